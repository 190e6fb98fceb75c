#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace pellaquin {

// Shown before MAME is run, since the capture blocks for a while.
#ifdef _WIN32
inline constexpr std::string_view CAPTURE_NOTICE =
    "I will now attempt to coax MAME.exe to\r\ngive up the full xml listing.\r\nThis may take awhile.";
#else
inline constexpr std::string_view CAPTURE_NOTICE =
    "I will now attempt to coax MAME to\r\ngive up the full xml listing.\r\nThis may take awhile.";
#endif

// The name the captured listing takes, in MAME's folder or in our data folder.
inline constexpr std::string_view CAPTURED_LISTING_NAME = "listxml.xml";

enum class CaptureResult {
    LISTING_CHOSEN,     // the chosen file is not a program: it is the listing itself
    CAPTURED,           // the listing is beside MAME, a program in a folder of the user's own
    CAPTURED_FOR_USER,  // MAME is a system program: the listing is in our data folder
    CAPTURED_ELSEWHERE, // MAME's folder could not take it: it is in our data folder
    CANNOT_WRITE,       // neither folder could take it
    CANNOT_START,
    MAME_FAILED, // exited with a failure status or was killed
    EMPTY_LISTING,
    WRITE_FAILED, // the listing could not be written whole, as on a full disk
};

struct CaptureOutcome {
    CaptureResult result = CaptureResult::CANNOT_START;
    // The listing path to hold from now on; set only when the capture (or the choice) succeeded.
    std::optional<std::string> listingPath;
    // The program that was run, for messages.
    std::string program;
    // The exit status or signal of a failed MAME, the errno of one that could not start.
    int code = 0;
    bool killed = false;
};

// True when the chosen path names MAME rather than a listing: it contains ".exe" (in that case),
// or it is a regular file we may execute.
bool IsMameProgram(const std::string& path);

// The MAME a user has: "mame" in a folder of PATH, else /usr/games/mame; nothing when neither is a program
// the user may run.
std::optional<std::string> FindMameProgram();

// True when `program` is a system program: under /usr or /opt, or in a folder not owned by the user.
bool IsSystemProgram(const std::string& program);

// Told how many bytes of the listing MAME has given so far; called on the thread that captures.
using CaptureProgress = std::function<void(std::int64_t received)>;

// Takes the file the user chose. A listing is taken as it is. MAME is run in its own folder with the
// argument "-listxml", and its output becomes "listxml.xml" beside it when MAME lives in a folder of the
// user's own (a MAME built at home); for a system MAME, or when its folder cannot be written, it goes
// to $XDG_DATA_HOME/pellaquin (~/.local/share/pellaquin by default), whatever the write permissions of
// MAME's folder. An earlier listing is replaced only by a complete, non-empty one.
CaptureOutcome CaptureListing(const std::string& chosenPath, const CaptureProgress& progress = {});

// What the user is told about the outcome; empty when there is nothing to say.
std::string CaptureMessage(const CaptureOutcome& outcome);

} // namespace pellaquin
