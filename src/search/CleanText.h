#pragma once

#include <string>
#include <string_view>

namespace pellaquin {

// Clean text is UTF-8 that every export format can carry: no byte outside a well-formed sequence,
// no control character below U+0020 but tab, LF and CR, no U+FFFE or U+FFFF.

// True when `text` is clean.
bool IsCleanText(std::string_view text);

// Appends `text` to `out`, each byte that is not part of clean text replaced by U+FFFD. Returns
// whether any was.
bool AppendCleanText(std::string& out, std::string_view text);

} // namespace pellaquin
