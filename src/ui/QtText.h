#pragma once

#include <string>
#include <string_view>

#include <QString>

namespace pellaquin {

// The program's byte strings are UTF-8 on Linux; these are the only crossings between them and Qt's text.

// `bytes` as Qt text, unchanged.
QString ToQString(std::string_view bytes);

// `text` as bytes, unchanged.
std::string ToBytes(const QString& text);

// `bytes` as Qt text for a label or message, with every "\r\n" turned into the "\n" Qt breaks lines at.
QString ToDisplayText(std::string_view bytes);

} // namespace pellaquin
