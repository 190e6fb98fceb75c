#include "data/MameCapture.h"

#include "output/ByteSink.h"
#include "platform/ProcessStart.h"
#include "platform/UserFolder.h"
#include "records/ByteText.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

#include <sys/stat.h>
#include <unistd.h>

namespace pellaquin {

namespace {

constexpr std::string_view PROGRAM_MARKER = ".exe";
constexpr const char* LISTING_ARGUMENT = "-listxml";
// Debian's MAME, in a folder not every user's PATH holds.
constexpr const char* SYSTEM_MAME = "/usr/games/mame";

// A sink for the listing at `path`, or null when its folder cannot take the temporary file.
std::unique_ptr<ReplacingFileSink> OpenListing(const std::string& path) {
    auto sink = std::make_unique<ReplacingFileSink>(path);
    if (!sink->Open()) {
        sink.reset();
    }
    return sink;
}

bool IsRunnableFile(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

} // namespace

bool IsMameProgram(const std::string& path) {
    return path.find(PROGRAM_MARKER) != std::string::npos || IsRunnableFile(path);
}

std::optional<std::string> FindMameProgram() {
    const char* path = std::getenv("PATH");
    for (std::string_view folder : SplitList(path == nullptr ? "" : path, ':')) {
        // A relative entry, like an empty one, would find a program in whatever folder we happen to be in.
        if (folder.front() == '/' && IsRunnableFile(std::string(folder) + "/mame")) {
            return std::string(folder) + "/mame";
        }
    }
    if (IsRunnableFile(SYSTEM_MAME)) {
        return std::string(SYSTEM_MAME);
    }
    return std::nullopt;
}

bool IsSystemProgram(const std::string& program) {
    std::error_code error;
    std::filesystem::path resolved = std::filesystem::weakly_canonical(program, error);
    std::string path = (error ? std::filesystem::path(program) : resolved).string();
    if (path.starts_with("/usr/") || path.starts_with("/opt/")) {
        return true;
    }
    struct stat folder {};
    std::string parent = std::filesystem::path(path).parent_path().string();
    return ::stat(parent.empty() ? "." : parent.c_str(), &folder) == 0 && folder.st_uid != ::geteuid();
}

CaptureOutcome CaptureListing(const std::string& chosenPath, const CaptureProgress& progress) {
    CaptureOutcome outcome;
    outcome.program = chosenPath;
    if (!IsMameProgram(chosenPath)) {
        outcome.result = CaptureResult::LISTING_CHOSEN;
        outcome.listingPath = chosenPath;
        return outcome;
    }

    std::filesystem::path folder = std::filesystem::path(chosenPath).parent_path();
    std::string listingPath = (folder / CAPTURED_LISTING_NAME).string();
    // A folder the package manager owns is no place for the user's files, even when it can be written.
    bool forUser = IsSystemProgram(chosenPath);
    std::unique_ptr<ReplacingFileSink> listing = forUser ? nullptr : OpenListing(listingPath);
    bool elsewhere = false;
    if (!listing) {
        // Where a listing goes when MAME's own folder cannot take it; empty when there is no home to use.
        std::filesystem::path dataFolder = UserFolder("XDG_DATA_HOME", ".local/share");
        if (!dataFolder.empty()) {
            // A folder that cannot be made shows as the listing failing to open in it.
            std::error_code ignored;
            std::filesystem::create_directories(dataFolder, ignored);
            listingPath = (dataFolder / CAPTURED_LISTING_NAME).string();
            listing = OpenListing(listingPath);
            elsewhere = true;
        }
    }
    if (!listing) {
        outcome.result = CaptureResult::CANNOT_WRITE;
        return outcome;
    }

    std::int64_t received = 0;
    ProgramRun run = RunProgram(chosenPath, {LISTING_ARGUMENT}, folder.string(), [&](std::string_view bytes) {
        received += static_cast<std::int64_t>(bytes.size());
        if (progress) {
            progress(received);
        }
        return listing->Write(bytes);
    });
    outcome.code = run.code;
    outcome.killed = run.outcome == ProgramRun::Outcome::KILLED;
    if (run.outcome == ProgramRun::Outcome::CANNOT_START) {
        outcome.result = CaptureResult::CANNOT_START;
    } else if (run.outcome == ProgramRun::Outcome::KILLED || run.code != 0) {
        outcome.result = CaptureResult::MAME_FAILED;
    } else if (received == 0) {
        outcome.result = CaptureResult::EMPTY_LISTING;
    } else if (!listing->Commit()) {
        outcome.result = CaptureResult::WRITE_FAILED;
    } else {
        outcome.result = !elsewhere ? CaptureResult::CAPTURED
                         : forUser  ? CaptureResult::CAPTURED_FOR_USER
                                    : CaptureResult::CAPTURED_ELSEWHERE;
        outcome.listingPath = listingPath;
    }
    return outcome;
}

std::string CaptureMessage(const CaptureOutcome& outcome) {
    switch (outcome.result) {
    case CaptureResult::LISTING_CHOSEN:
        return {};
    case CaptureResult::CAPTURED:
    case CaptureResult::CAPTURED_FOR_USER:
        return "MAME's xml listing was saved as\r\n" + outcome.listingPath.value_or(std::string());
    case CaptureResult::CAPTURED_ELSEWHERE:
        return "MAME's folder cannot be written to, so its xml listing was saved as\r\n" +
               outcome.listingPath.value_or(std::string());
    case CaptureResult::CANNOT_WRITE:
        return "There is no folder I can save MAME's xml listing in!?\r\nYour listing path is unchanged.";
    case CaptureResult::CANNOT_START:
        return "MAME could not be started (" + std::string(std::strerror(outcome.code)) + ")!?\r\n" + outcome.program +
               "\r\nYour listing path is unchanged.";
    case CaptureResult::MAME_FAILED:
        return (outcome.killed ? "MAME was stopped by signal " + std::to_string(outcome.code)
                               : "MAME ended with exit status " + std::to_string(outcome.code)) +
               " before giving up its xml listing!?\r\nYour listing path is unchanged.";
    case CaptureResult::EMPTY_LISTING:
        return "MAME gave up an empty xml listing!?\r\nYour listing path is unchanged.";
    case CaptureResult::WRITE_FAILED:
        return "Error writing MAME's xml listing!?\r\nYour listing path is unchanged.";
    }
    return {};
}

} // namespace pellaquin
