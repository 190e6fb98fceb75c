#include "search/WizardCommand.h"

#include <gtest/gtest.h>

namespace pellaquin {
namespace {

// The main window's start-up state: "2" buttons with "or less", "Playable".
WizardState Defaults() {
    WizardState state;
    state.buttonsIndex = 3;
    state.orLess = true;
    state.playable = true;
    return state;
}

// The first command of each format at start-up.
TEST(WizardCommandTest, StartUpCommandPerFormat) {
    EXPECT_EQ(ComposeWizardCommand(Defaults(), FORMAT_LISTXML),
              "(buttons=2 | buttons=1 | !buttons=) & !emulation=preliminary");
    EXPECT_EQ(ComposeWizardCommand(Defaults(), FORMAT_MERGED),
              "(numButtons=2 | numButtons=1 | numButtons=0) & !emulation=preliminary");
    EXPECT_EQ(ComposeWizardCommand(Defaults(), FORMAT_CONTROLS), "(numButtons=2 | numButtons=1 | numButtons=0)");
}

// Every piece in its place and order, as in the cocktail example.
TEST(WizardCommandTest, AllPiecesInOrder) {
    WizardState state = Defaults();
    state.cocktail = true;
    state.verticalOnly = true;
    state.joy4way = state.joy8way = true;
    state.noClones = true;
    EXPECT_EQ(ComposeWizardCommand(state, FORMAT_LISTXML),
              "name=cocktail & (buttons=2 | buttons=1 | !buttons=) & (rotate=90 | rotate=270) & (joy4way | joy8way) & "
              "(!cloneof & !emulation=preliminary)");
    state.categoryIndex = 10;
    state.categoryText = "Mini-Games";
    state.categoryNot = true;
    state.horizontalOnly = true;
    EXPECT_EQ(ComposeWizardCommand(state, FORMAT_MERGED),
              "cocktail=1 & (numButtons=2 | numButtons=1 | numButtons=0) & (joy4way | joy8way) & "
              "(!cloneof & !emulation=preliminary) & !Mini-Games");
}

struct ButtonsCase {
    int index;
    bool orLess;
    InputFormat format;
    const char* expected;
};

class WizardButtonsTest : public ::testing::TestWithParam<ButtonsCase> {};

// The buttons piece for each count, with and without "or less".
TEST_P(WizardButtonsTest, ButtonsPiece) {
    WizardState state;
    state.buttonsIndex = GetParam().index;
    state.orLess = GetParam().orLess;
    EXPECT_EQ(ComposeWizardCommand(state, GetParam().format), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Counts, WizardButtonsTest,
                         ::testing::Values(ButtonsCase{0, true, FORMAT_LISTXML, ""},
                                           ButtonsCase{-1, true, FORMAT_LISTXML, ""},
                                           ButtonsCase{1, false, FORMAT_LISTXML, "!buttons="},
                                           ButtonsCase{1, true, FORMAT_LISTXML, "(!buttons=)"},
                                           ButtonsCase{1, true, FORMAT_CONTROLS, "(numButtons=0)"},
                                           ButtonsCase{1, false, FORMAT_MERGED, "numButtons=0"},
                                           ButtonsCase{5, false, FORMAT_CONTROLS, "numButtons=4"},
                                           ButtonsCase{4, true, FORMAT_MERGED,
                                                       "(numButtons=3 | numButtons=2 | numButtons=1 | numButtons=0)"},
                                           ButtonsCase{11, false, FORMAT_LISTXML, "buttons=10"}));

// Single boxes give bare words; controls.xml never gets the misc piece; both orientations add nothing.
TEST(WizardCommandTest, SingleBoxesAndFormatRules) {
    WizardState state;
    state.noClones = true;
    EXPECT_EQ(ComposeWizardCommand(state, FORMAT_LISTXML), "!cloneof");
    EXPECT_EQ(ComposeWizardCommand(state, FORMAT_CONTROLS), "");
    state = WizardState{};
    state.pedal = true;
    EXPECT_EQ(ComposeWizardCommand(state, FORMAT_CONTROLS), "pedal");
    state.horizontalOnly = state.verticalOnly = true;
    EXPECT_EQ(ComposeWizardCommand(state, FORMAT_LISTXML), "pedal");
    state = WizardState{};
    state.horizontalOnly = true;
    state.categoryIndex = 1;
    state.categoryText = "Ball & Paddle";
    EXPECT_EQ(ComposeWizardCommand(state, FORMAT_MERGED), "(rotate=0 | rotate=180) & Ball & Paddle");
    EXPECT_EQ(ComposeWizardCommand(WizardState{}, FORMAT_LISTXML), "");
}

// Buttons on machines' controls end where the number ends, so "1" never takes "10" to "19"; the other
// forms keep their plain keys.
TEST(WizardCommandTest, MachineButtonsEndWithTheirNumber) {
    WizardState state = Defaults();
    state.playable = false;
    EXPECT_EQ(ComposeWizardCommand(state, FORMAT_LISTXML, RecordElement::MACHINE),
              "(_buttons=2_ | _buttons=2/ | _buttons=2> | _buttons=1_ | _buttons=1/ | _buttons=1> | !_buttons=)");
    state.orLess = false;
    EXPECT_EQ(ComposeWizardCommand(state, FORMAT_MERGED, RecordElement::MACHINE),
              "(_buttons=2_ | _buttons=2/ | _buttons=2>)");
    state.buttonsIndex = 1;
    EXPECT_EQ(ComposeWizardCommand(state, FORMAT_LISTXML, RecordElement::MACHINE), "!_buttons=");
}

} // namespace
} // namespace pellaquin
