#pragma once

#include <cstdint>

namespace pellaquin {

// Which kind of game-list file is open; settled only by DetectInputFormat.
using InputFormat = std::int32_t;

inline constexpr InputFormat FORMAT_UNKNOWN = -1;
inline constexpr InputFormat FORMAT_LISTXML = 0;
inline constexpr InputFormat FORMAT_CONTROLS = 1;
inline constexpr InputFormat FORMAT_MERGED = 2;

// The element a listing's records are: "game" until MAME 0.162, "machine" since. Detection settles
// it beside the format; controls.xml records are always games.
enum class RecordElement { GAME, MACHINE };

} // namespace pellaquin
