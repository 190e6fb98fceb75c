#pragma once

#include "search/RecordStructure.h"

#include <string>
#include <string_view>

namespace pellaquin {

// The values the export lists derive from a record's structure, alike in every list.

// Whether a front-end can start the set: one with a name, not a BIOS set, not a device, not marked
// unrunnable.
bool FrontEndStarts(const RecordStructure& game);

// The title a front-end shows: the description, or the set's name when the description is blank or
// only line ends, which a reader would take for no title at all.
std::string_view Title(const RecordStructure& game);

// The manufacturer, empty for MAME's "<unknown>", which a front-end would show as a maker's name.
std::string_view KnownManufacturer(const RecordStructure& game);

// How many play: <input players=>, else controls.xml's numPlayers, else the number an nplayers
// value begins with ("2P sim" gives "2"); empty when none says.
std::string_view PlayerCount(const RecordStructure& game);

// PlayerCount, empty for "0", which MAME writes for machines without players and a front-end would
// show as a count.
std::string_view KnownPlayerCount(const RecordStructure& game);

// Players as Attract-Mode shows them: the nplayers value when the input holds one ("2P sim"), else
// PlayerCount.
std::string_view PlayersText(const RecordStructure& game);

// The buttons: <input buttons=> of old listings, else those of the first control that has any, else
// controls.xml's numButtons.
std::string_view ButtonCount(const RecordStructure& game);

// The ways of the first joystick that says them; old names such as "joy4way" give theirs.
std::string_view JoystickWays(const RecordStructure& game);

// The controls as Attract-Mode names them ("joystick (8-way)", "joystick (analog)", "double
// joystick", other types as they are; old "joy4way"-style names the same way), joined by ",".
void AppendControlsText(std::string& out, const RecordStructure& game);

// The year when it is four digits, else empty ("198?" says no year a date can hold).
std::string_view FourDigitYear(const RecordStructure& game);

} // namespace pellaquin
