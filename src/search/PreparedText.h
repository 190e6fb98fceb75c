#pragma once

#include <string>
#include <string_view>

namespace pellaquin {

// Puts into `prepared` the text the search language tests terms against: `text` with A to Z
// lowered and every double quote removed. Every record of a scan goes through here, so it uses
// the processor's vector instructions where it has them.
void PrepareText(std::string_view text, std::string& prepared);

// The same result one byte at a time: the path of processors without vector instructions, and the
// reference the fast path is checked against.
void PrepareTextByteByByte(std::string_view text, std::string& prepared);

} // namespace pellaquin
