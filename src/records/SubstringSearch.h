#pragma once

#include <cstddef>
#include <string_view>

namespace pellaquin {

// The position of the first occurrence of `needle` in `text` at or after `from`, or npos. An empty
// needle is found at `from`. Terms and keys are searched in every record of a scan, so this looks
// at sixteen places at a time.
std::size_t FindSubstring(std::string_view text, std::string_view needle, std::size_t from = 0);

} // namespace pellaquin
