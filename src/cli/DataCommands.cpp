#include "cli/DataCommands.h"

#include "data/MameCapture.h"
#include "output/ListRequest.h"

#include <ostream>

namespace pellaquin {

int RunMergeCommand(const MergeSources& sources, const std::string& outputPath, std::ostream& err) {
    MergeResult result = MergeDataFiles(sources, outputPath, {},
                                        [&err](const std::string& path) { err << MergeLeftOutMessage(path) << '\n'; });
    if (result == MergeResult::OK) {
        return 0;
    }
    err << MergeResultMessage(result, sources) << '\n';
    if (result == MergeResult::OUTPUT_NOT_WRITABLE || result == MergeResult::WRITE_FAILED) {
        err << OutputNotWritableMessage(outputPath) << '\n';
    }
    return 1;
}

int RunCaptureCommand(const std::string& mamePath, std::ostream& out, std::ostream& err) {
    CaptureOutcome outcome = CaptureListing(mamePath);
    std::string message = CaptureMessage(outcome);
    if (!message.empty()) {
        err << message << '\n';
    }
    if (!outcome.listingPath) {
        return 1;
    }
    out << *outcome.listingPath << '\n';
    return 0;
}

} // namespace pellaquin
