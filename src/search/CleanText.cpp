#include "search/CleanText.h"

namespace pellaquin {

namespace {

constexpr std::string_view REPLACEMENT = "\xEF\xBF\xBD";

bool IsContinuation(unsigned char byte, unsigned char low = 0x80, unsigned char high = 0xBF) {
    return byte >= low && byte <= high;
}

// The length of the clean character that starts at `at`, or 0 when the byte there starts none.
std::size_t CleanCharacterLength(std::string_view text, std::size_t at) {
    auto byte = [&](std::size_t offset) -> unsigned char {
        return at + offset < text.size() ? static_cast<unsigned char>(text[at + offset]) : 0u;
    };
    unsigned char lead = byte(0);
    if (lead < 0x80) {
        return lead >= 0x20 || lead == '\t' || lead == '\n' || lead == '\r' ? 1 : 0;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return IsContinuation(byte(1)) ? 2 : 0;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        // E0 must not be overlong, ED must not encode a surrogate.
        unsigned char low = lead == 0xE0 ? 0xA0 : 0x80;
        unsigned char high = lead == 0xED ? 0x9F : 0xBF;
        if (!IsContinuation(byte(1), low, high) || !IsContinuation(byte(2))) {
            return 0;
        }
        bool nonCharacter = lead == 0xEF && byte(1) == 0xBF && (byte(2) == 0xBE || byte(2) == 0xBF);
        return nonCharacter ? 0 : 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        unsigned char low = lead == 0xF0 ? 0x90 : 0x80;
        unsigned char high = lead == 0xF4 ? 0x8F : 0xBF;
        return IsContinuation(byte(1), low, high) && IsContinuation(byte(2)) && IsContinuation(byte(3)) ? 4 : 0;
    }
    return 0;
}

bool IsPlainAscii(char c) {
    auto byte = static_cast<unsigned char>(c);
    return byte >= 0x20 && byte < 0x80;
}

} // namespace

bool IsCleanText(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        if (IsPlainAscii(text[at])) {
            ++at;
            continue;
        }
        std::size_t length = CleanCharacterLength(text, at);
        if (length == 0) {
            return false;
        }
        at += length;
    }
    return true;
}

bool AppendCleanText(std::string& out, std::string_view text) {
    bool replaced = false;
    std::size_t cleanFrom = 0;
    for (std::size_t at = 0; at < text.size();) {
        if (IsPlainAscii(text[at])) {
            ++at;
            continue;
        }
        std::size_t length = CleanCharacterLength(text, at);
        if (length != 0) {
            at += length;
            continue;
        }
        out.append(text.substr(cleanFrom, at - cleanFrom));
        out.append(REPLACEMENT);
        replaced = true;
        cleanFrom = ++at;
    }
    out.append(text.substr(cleanFrom));
    return replaced;
}

} // namespace pellaquin
