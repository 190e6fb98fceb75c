#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pellaquin {

// MAME's verdict on a set, as -verifyroms gives it.
enum class SetVerdict {
    GOOD,
    BEST_AVAILABLE, // all there is: a ROM with no good dump, a bad dump, or a missing optional ROM
    BAD,            // something missing or wrong
    NOT_FOUND,      // nothing of its own found
    NONE_NEEDED,    // a set without ROMs or disks
};

enum class ProblemReason { NOT_FOUND, WRONG_SIZE, WRONG_CRC, WRONG_SHA1 };

// A ROM or disk of a set that is missing or not what the listing says.
struct MediaProblem {
    std::string name;
    ProblemReason reason;
    std::string where; // the file found, or the sets and containers searched
};

struct SetAudit {
    std::string name;
    SetVerdict verdict = SetVerdict::NOT_FOUND;
    std::vector<MediaProblem> problems;
};

struct AuditReport {
    std::vector<SetAudit> sets; // in the order asked, up to where a stop came
    bool stopped = false;

    std::size_t Count(SetVerdict verdict) const;
};

// Told how far a long run has come; returns false to have it stop as soon as it can.
using WorkProgress = std::function<bool(std::uint64_t done, std::uint64_t total)>;

// The words the command line and the window show: "good", "best available", "bad", "not found",
// "none needed"; "not found", "wrong size", "wrong crc", "wrong sha1".
std::string_view VerdictName(SetVerdict verdict);
std::string_view ReasonName(ProblemReason reason);

// True for the verdicts of a set MAME starts: good, best available and none needed.
bool Runs(SetVerdict verdict);

// The report's summary, as the command line and the window show it: "3 sets: 1 good, 1 best available,
// 1 bad, 0 not found, 0 none needed", then "; stopped before the end" when a stop came.
std::string CountsLine(const AuditReport& report);

} // namespace pellaquin
