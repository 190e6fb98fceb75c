#pragma once

#include "records/InputFormat.h"

#include <string>

namespace pellaquin {

// What the Quick-find Wizard's controls show. Check states count whether or not a control is enabled.
struct WizardState {
    bool cocktail = false;       // "Cocktail"; "Upright" adds nothing
    bool horizontalOnly = false; // "Horizontal Only"
    bool verticalOnly = false;   // "Vertical Only"
    int buttonsIndex = 0;        // item of the buttons box: 0 "any", i >= 1 for i - 1 buttons, -1 none selected
    bool orLess = false;         // "or less"
    bool joy2way = false;
    bool joy4way = false;
    bool joy8way = false;
    bool dial = false;
    bool trackball = false;
    bool pedal = false;
    bool noClones = false;
    bool noSamples = false;
    bool playable = false;
    int categoryIndex = 0;    // item of the category box: 0 "Any", -1 none selected
    std::string categoryText; // the selected category's text
    bool categoryNot = false; // "Not"
};

// The search command the wizard's state stands for in a file of `format` whose records are
// `element`s; empty when nothing is chosen. Machines of today's MAME are asked in their own terms:
// joysticks by their ways, buttons on each control (a count ending where its number ends), and
// "Playable" leaves out devices too.
std::string ComposeWizardCommand(const WizardState& state, InputFormat format,
                                 RecordElement element = RecordElement::GAME);

} // namespace pellaquin
