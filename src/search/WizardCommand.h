#pragma once

#include "records/InputFormat.h"

#include <string>
#include <string_view>
#include <vector>

namespace pellaquin {

// Which driver states count as working.
enum class WorkingChoice { ANY, GOOD, GOOD_OR_IMPERFECT };

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

    // Today's data, asked of listings of machines and of merged files only.
    WorkingChoice working = WorkingChoice::ANY; // from the driver's overall status
    bool noMechanical = false;
    bool noBiosOrDevices = false; // BIOS sets, devices and whatever cannot run
    bool hasScreen = false;
    bool noChd = false;
    bool noSoftwareList = false;
    int playersAtLeast = 0;                     // 0: any number
    bool simultaneous = false;                  // several play at once, from a merged file's nplayers data
    std::string bestAtLeast;                    // the start of a bestgames section ("80"); empty: any
    std::vector<std::string> leftOutCategories; // category texts (or their first words) to leave out
};

// Whether a file of `format` whose records are `element`s can answer the choices on today's data:
// listings of machines, and merged files.
bool AnswersTodaysData(InputFormat format, RecordElement element);

// The category text that stands for the "* Mature *" mark of catver.ini's categories in leftOutCategories.
inline constexpr std::string_view MATURE_MARK = "* Mature *";

// The search command the wizard's state stands for in a file of `format` whose records are
// `element`s; empty when nothing is chosen. Machines of today's MAME are asked in their own terms:
// joysticks by their ways, buttons on each control (a count ending where its number ends), and
// "Playable" leaves out devices too. The choices on today's data add their terms only for listings of
// machines and merged files, the files that can answer them.
std::string ComposeWizardCommand(const WizardState& state, InputFormat format,
                                 RecordElement element = RecordElement::GAME);

} // namespace pellaquin
