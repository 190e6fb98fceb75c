#include "records/InputOpening.h"

#include "records/RecordReader.h"

namespace pellaquin {

InputOpening OpenRecognisedInput(const std::string& path, InputFile& input, std::string& header) {
    if (path.empty()) {
        input.Close();
        return InputOpening::NO_PATH;
    }
    if (input.Open(path) != InputFile::OpenResult::OK) {
        return InputOpening::CANNOT_READ;
    }
    if (DetectInputFormat(input, header) == FORMAT_UNKNOWN) {
        return input.HadReadError() ? InputOpening::CANNOT_READ : InputOpening::UNRECOGNISED;
    }
    return InputOpening::OK;
}

std::string_view InputOpeningMessage(InputOpening result) {
    switch (result) {
    case InputOpening::NO_PATH:
        return "Please hit the settings button to select an input file.";
    case InputOpening::CANNOT_READ:
        return "Open or Read error on input file!?\r\nCheck your settings.";
    case InputOpening::UNRECOGNISED:
        return "Invalid input file.  Unable to locate MAME or controls.xml header!?";
    case InputOpening::OK:
        break;
    }
    return {};
}

} // namespace pellaquin
