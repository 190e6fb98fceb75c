#pragma once

#include "search/WizardCommand.h"

#include <optional>
#include <string>
#include <string_view>

namespace pellaquin {

// The wizard's boxes named as a script names them, comma-separated, starting from none ticked and
// buttons "any": cocktail, upright, horizontal, vertical, buttons<=N, buttons=N, joy2, joy4, joy8, dial,
// trackball, pedal, no-clones, no-samples, playable, category=TEXT, not-category=TEXT, working,
// working-or-imperfect, no-mechanical, no-bios-devices, has-screen, no-chd, no-softlist, players>=N,
// simultaneous, best>=TEXT, leave-out=TEXT (repeatable). The state they stand for, or nothing with the
// first name that is none of these (or a number out of range) in `unknown`.
std::optional<WizardState> ParseWizardChoices(std::string_view list, std::string& unknown);

// Every name, for the command line's help.
inline constexpr std::string_view WIZARD_CHOICE_NAMES =
    "cocktail, upright, horizontal, vertical, buttons<=N, buttons=N (N 0-10), joy2, joy4, joy8, dial, trackball, "
    "pedal, no-clones, no-samples, playable, category=TEXT, not-category=TEXT, working, working-or-imperfect, "
    "no-mechanical, no-bios-devices, has-screen, no-chd, no-softlist, players>=N (N 1-8), simultaneous, "
    "best>=N (a bestgames section's start: 0, 10 ... 90), leave-out=TEXT (a category; repeatable)";

} // namespace pellaquin
