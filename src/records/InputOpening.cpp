#include "records/InputOpening.h"

#include "records/RecordReader.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
    std::int64_t firstGame = input.Tell();
    RecordReader reader;
    std::string record;
    reader.ReadGameRecord(input, record, input.GameStartTag());
    if (reader.m_sharedLine) {
        return InputOpening::SHARED_LINES;
    }
    input.Seek(firstGame);
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
    case InputOpening::SHARED_LINES:
        return SHARED_LINES_MESSAGE;
    case InputOpening::OK:
        break;
    }
    return {};
}

std::string InputOpeningMessage(InputOpening result, const std::string& path) {
    std::string message(InputOpeningMessage(result));
    if (result == InputOpening::CANNOT_READ || result == InputOpening::UNRECOGNISED) {
        message += "\r\n" + InputProblemLine(path);
    }
    return message;
}

std::string InputProblemLine(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return path + (errno == ENOENT || errno == ENOTDIR ? ": missing" : ": unreadable");
    }
    if (S_ISDIR(status.st_mode)) {
        return path + ": a folder";
    }
    InputFile input;
    std::string header;
    if (input.Open(path) != InputFile::OpenResult::OK) {
        return path + ": unreadable";
    }
    if (DetectInputFormat(input, header) == FORMAT_UNKNOWN) {
        return path + (input.HadReadError() ? ": unreadable" : ": not a listing of any known form");
    }
    // It opens and reads as a listing now; what failed was a read part-way.
    return path + ": unreadable";
}

} // namespace pellaquin
