#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pellaquin {

// The tagged values of a MaLa game list file.
namespace mala {

inline constexpr char LIST_START = 0x01;
inline constexpr char LIST_END = 0x00;
inline constexpr char STRING_TAG = 0x06;
inline constexpr char INT8_TAG = 0x02;
inline constexpr char INT16_TAG = 0x03;
inline constexpr char DATE_TIME_TAG = 0x11;
inline constexpr char MARKER = 0x08;

// A length byte can say no more than this; longer texts keep their first 255 bytes.
inline constexpr std::size_t MAX_STRING = 255;
// The count field holds 16 bits; more games than that are counted as this many.
inline constexpr std::int32_t MAX_COUNT = 65535;

void AppendString(std::string& out, std::string_view text);
void AppendInt8(std::string& out, std::uint32_t value);
void AppendInt16(std::string& out, std::uint32_t value);
// The two count bytes, least significant first, for `count` games.
std::string CountBytes(std::int32_t count);

// The low 32 bits of the signed decimal integer at the start of `text` (after white space and an
// optional sign), of any length; 0 when the text does not begin with a number.
std::uint32_t LeadingNumber(std::string_view text);

// The header for `title`; the game count sits at CountOffset(title) as 01 00 until patched.
std::string Header(std::string_view title);
std::int64_t CountOffset(std::string_view title);

} // namespace mala

} // namespace pellaquin
