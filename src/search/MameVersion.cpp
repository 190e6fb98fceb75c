#include "search/MameVersion.h"

#include "records/ByteText.h"

namespace pellaquin {

namespace {

// Longer runs of digits would not fit; no release number comes near them.
constexpr std::size_t MAX_DIGITS = 9;

// Takes the run of digits at the front of `text`; nothing when there is none or it is too long.
std::optional<std::uint32_t> TakeNumber(std::string_view& text) {
    std::size_t digits = 0;
    std::uint32_t number = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
        number = number * 10 + static_cast<std::uint32_t>(text[digits] - '0');
        ++digits;
    }
    if (digits == 0 || digits > MAX_DIGITS) {
        return std::nullopt;
    }
    text.remove_prefix(digits);
    return number;
}

bool TakePrefix(std::string_view& text, std::string_view prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (LowerAsciiByte(text[i]) != prefix[i]) {
            return false;
        }
    }
    text.remove_prefix(prefix.size());
    return true;
}

} // namespace

std::optional<MameVersion> MameVersion::Parse(std::string_view text) {
    MameVersion version;
    std::optional<std::uint32_t> major = TakeNumber(text);
    if (!major || !TakePrefix(text, ".")) {
        return std::nullopt;
    }
    std::optional<std::uint32_t> minor = TakeNumber(text);
    if (!minor) {
        return std::nullopt;
    }
    version.m_major = *major;
    version.m_minor = *minor;
    if (text.empty()) {
        return version;
    }
    // A lone letter is a point release ("0.69b"); "b" with a number is a beta ("0.37b7").
    if (text.size() == 1) {
        char letter = LowerAsciiByte(text.front());
        if (letter < 'a' || letter > 'z' || letter == 'u') {
            return std::nullopt;
        }
        version.m_number = static_cast<std::uint32_t>(letter - 'a' + 1);
        return version;
    }
    if (TakePrefix(text, "rc")) {
        version.m_stage = Stage::RELEASE_CANDIDATE;
    } else if (TakePrefix(text, "b")) {
        version.m_stage = Stage::BETA;
    } else if (TakePrefix(text, "u")) {
        version.m_stage = Stage::UPDATE;
    } else {
        return std::nullopt;
    }
    std::optional<std::uint32_t> number = TakeNumber(text);
    if (!number) {
        return std::nullopt;
    }
    version.m_number = *number;
    if (version.m_stage == Stage::UPDATE && TakePrefix(text, "p")) {
        version.m_patched = true;
    }
    if (!text.empty()) {
        return std::nullopt;
    }
    return version;
}

} // namespace pellaquin
