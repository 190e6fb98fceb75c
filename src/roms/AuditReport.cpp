#include "roms/AuditReport.h"

#include <algorithm>

namespace pellaquin {

std::size_t AuditReport::Count(SetVerdict verdict) const {
    return static_cast<std::size_t>(
        std::count_if(sets.begin(), sets.end(), [&](const SetAudit& set) { return set.verdict == verdict; }));
}

std::string_view VerdictName(SetVerdict verdict) {
    switch (verdict) {
    case SetVerdict::GOOD:
        return "good";
    case SetVerdict::BEST_AVAILABLE:
        return "best available";
    case SetVerdict::BAD:
        return "bad";
    case SetVerdict::NOT_FOUND:
        return "not found";
    case SetVerdict::NONE_NEEDED:
        return "none needed";
    }
    return {};
}

std::string_view ReasonName(ProblemReason reason) {
    switch (reason) {
    case ProblemReason::NOT_FOUND:
        return "not found";
    case ProblemReason::WRONG_SIZE:
        return "wrong size";
    case ProblemReason::WRONG_CRC:
        return "wrong crc";
    case ProblemReason::WRONG_SHA1:
        return "wrong sha1";
    }
    return {};
}

bool Runs(SetVerdict verdict) {
    return verdict == SetVerdict::GOOD || verdict == SetVerdict::BEST_AVAILABLE || verdict == SetVerdict::NONE_NEEDED;
}

std::string CountsLine(const AuditReport& report) {
    constexpr SetVerdict ORDER[] = {SetVerdict::GOOD, SetVerdict::BEST_AVAILABLE, SetVerdict::BAD,
                                    SetVerdict::NOT_FOUND, SetVerdict::NONE_NEEDED};
    std::string line = std::to_string(report.sets.size()).append(report.sets.size() == 1 ? " set: " : " sets: ");
    for (SetVerdict verdict : ORDER) {
        line.append(verdict == ORDER[0] ? "" : ", ").append(std::to_string(report.Count(verdict)));
        line.append(" ").append(VerdictName(verdict));
    }
    return line.append(report.stopped ? "; stopped before the end" : "");
}

} // namespace pellaquin
