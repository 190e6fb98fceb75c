#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pellaquin {

// Byte-string edits shared by the reader, the search language, extraction and the writers.
// Texts are bytes: only A to Z have a lower case, and white space is the C locale's set.

// Space, tab, LF, VT, FF and CR.
inline constexpr std::string_view WHITE_SPACE = " \t\n\v\f\r";

// True for a byte of WHITE_SPACE.
bool IsWhiteSpace(char c);

// The byte lowered if it is one of A to Z, else the byte itself.
constexpr char LowerAsciiByte(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

// Lowers A to Z in place; every other byte stays.
void LowerAscii(std::string& text);

// Makes `lowered` a copy of `text` with A to Z lowered, reusing its storage.
void LowerAsciiCopy(std::string_view text, std::string& lowered);
// The same as a new string.
std::string LowerAsciiCopy(std::string_view text);

// Removes every `c` from `text`.
void RemoveChar(std::string& text, char c);

// Replaces every `from` by `to`, left to right, without overlaps and without scanning inserted text.
// An empty `from` replaces nothing.
void ReplaceAll(std::string& text, std::string_view from, std::string_view to);

// Replaces every byte `from` by `to`.
void ReplaceChar(std::string& text, char from, char to);

// Remove from the front (or back) every byte that is in `set`.
void StripLeading(std::string& text, std::string_view set);
void StripTrailing(std::string& text, std::string_view set);

// Removes white space from both ends.
void TrimWhiteSpace(std::string& text);
std::string_view TrimWhiteSpace(std::string_view text);

// The pieces of a list such as "a,b,,c" or a PATH, between the `separator`s, in order; empty pieces
// are left out.
std::vector<std::string_view> SplitList(std::string_view text, char separator);

} // namespace pellaquin
