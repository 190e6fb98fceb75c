#pragma once

#include <cstdint>

namespace pellaquin {

// Which kind of game-list file is open; settled only by DetectInputFormat.
using InputFormat = std::int32_t;

inline constexpr InputFormat FORMAT_UNKNOWN = -1;
inline constexpr InputFormat FORMAT_LISTXML = 0;
inline constexpr InputFormat FORMAT_CONTROLS = 1;
inline constexpr InputFormat FORMAT_MERGED = 2;

} // namespace pellaquin
