#include "output/MalaEncoding.h"

#include "records/ByteText.h"

#include <algorithm>

namespace pellaquin::mala {

namespace {

// 3 June 2007 11:57:42, as days since 30 December 1899 in a little-endian double.
constexpr std::string_view LIST_DATE_TIME = "\x11\xb1\x60\xf5\xf2\x8f\x28\xe3\x40";

std::string_view FitString(std::string_view text) {
    return text.substr(0, std::min(text.size(), MAX_STRING));
}

} // namespace

void AppendString(std::string& out, std::string_view text) {
    std::string_view fitted = FitString(text);
    out.push_back(STRING_TAG);
    out.push_back(static_cast<char>(fitted.size()));
    out.append(fitted);
}

void AppendInt8(std::string& out, std::uint32_t value) {
    out.push_back(INT8_TAG);
    out.push_back(static_cast<char>(value & 0xff));
}

void AppendInt16(std::string& out, std::uint32_t value) {
    out.push_back(INT16_TAG);
    out.push_back(static_cast<char>(value & 0xff));
    out.push_back(static_cast<char>((value >> 8) & 0xff));
}

std::string CountBytes(std::int32_t count) {
    auto value = static_cast<std::uint32_t>(std::clamp(count, 0, MAX_COUNT));
    return {static_cast<char>(value & 0xff), static_cast<char>((value >> 8) & 0xff)};
}

std::uint32_t LeadingNumber(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && IsWhiteSpace(text[at])) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    // Unsigned arithmetic wraps, which keeps exactly the low bits the fields need.
    std::uint32_t value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = value * 10 + static_cast<std::uint32_t>(text[at] - '0');
    }
    return negative ? 0u - value : value;
}

std::string Header(std::string_view title) {
    std::string header;
    header.push_back(LIST_START);
    AppendString(header, title);
    AppendString(header, "");
    AppendString(header, "");
    header.append(LIST_DATE_TIME);
    header.append(LIST_DATE_TIME);
    header.push_back(MARKER);
    AppendInt16(header, 1);
    AppendInt8(header, 0);
    header.push_back(LIST_END);
    return header;
}

std::int64_t CountOffset(std::string_view title) {
    return 27 + static_cast<std::int64_t>(FitString(title).size());
}

} // namespace pellaquin::mala
