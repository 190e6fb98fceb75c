#include "output/ViewConversion.h"

#include "records/ByteText.h"
#include "output/GameScanner.h"

namespace pellaquin {

void WriteResultList(GameScanner& scanner, InputFile& input, OutputType type, const std::string& batchTemplate) {
    switch (type) {
    case OutputType::XML:
        scanner.WriteXmlList(input);
        break;
    case OutputType::CSV:
        scanner.WriteCsvList(input);
        break;
    case OutputType::BATCH:
        scanner.WriteBatchList(input, batchTemplate);
        break;
    case OutputType::DESCRIPTIONS:
        scanner.WriteDescriptionList(input);
        break;
    case OutputType::NAMES:
    case OutputType::ATOMIC_FE:
        scanner.WriteNameList(input);
        break;
    case OutputType::MALA:
        break;
    }
}

void ConvertForView(std::string& resultText, OutputType type) {
    ReplaceAll(resultText, "\n", type == OutputType::ATOMIC_FE ? ".zip\r\n" : "\r\n");
}

} // namespace pellaquin
