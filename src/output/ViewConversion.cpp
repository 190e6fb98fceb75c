#include "output/ViewConversion.h"

#include "records/ByteText.h"

namespace pellaquin {

void ConvertForView(std::string& resultText, OutputType type) {
    ReplaceAll(resultText, "\n", type == OutputType::ATOMIC_FE ? ".zip\r\n" : "\r\n");
}

} // namespace pellaquin
