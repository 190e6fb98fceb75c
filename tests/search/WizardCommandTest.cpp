#include "search/WizardCommand.h"

#include "search/MatchGame.h"

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

struct TodaysDataCase {
    const char* label;
    void (*choose)(WizardState&);
    const char* command;
};

class WizardTodaysDataTest : public ::testing::TestWithParam<TodaysDataCase> {};

// Each choice on today's data adds its own terms, for machines and merged files alike, and none for
// classic listings or controls.xml.
TEST_P(WizardTodaysDataTest, ComposesItsTerms) {
    WizardState state;
    GetParam().choose(state);
    EXPECT_EQ(ComposeWizardCommand(state, FORMAT_LISTXML, RecordElement::MACHINE), GetParam().command)
        << GetParam().label;
    EXPECT_EQ(ComposeWizardCommand(state, FORMAT_MERGED, RecordElement::GAME), GetParam().command) << GetParam().label;
    EXPECT_EQ(ComposeWizardCommand(state, FORMAT_LISTXML, RecordElement::GAME), "") << GetParam().label;
    EXPECT_EQ(ComposeWizardCommand(state, FORMAT_CONTROLS, RecordElement::GAME), "") << GetParam().label;
}

INSTANTIATE_TEST_SUITE_P(
    Choices, WizardTodaysDataTest,
    ::testing::Values(
        TodaysDataCase{"working", [](WizardState& s) { s.working = WorkingChoice::GOOD; }, "driver_status=good"},
        TodaysDataCase{"imperfect too", [](WizardState& s) { s.working = WorkingChoice::GOOD_OR_IMPERFECT; },
                       "(driver_status=good | driver_status=imperfect)"},
        TodaysDataCase{"flags",
                       [](WizardState& s) { s.noMechanical = s.noBiosOrDevices = s.hasScreen = s.noChd = true; },
                       "(!ismechanical=yes & !isbios=yes & !isdevice=yes & !runnable=no & <display_ & !<disk_)"},
        TodaysDataCase{"software lists", [](WizardState& s) { s.noSoftwareList = true; }, "!<softwarelist_"},
        TodaysDataCase{"one player", [](WizardState& s) { s.playersAtLeast = 1; },
                       "(input_players= & !(input_players=0_ | input_players=0/ | input_players=0>))"},
        TodaysDataCase{
            "three players and at once",
            [](WizardState& s) {
                s.playersAtLeast = 3;
                s.simultaneous = true;
            },
            "(input_players= & !(input_players=0_ | input_players=0/ | input_players=0> | input_players=1_ | "
            "input_players=1/ | input_players=1> | input_players=2_ | input_players=2/ | input_players=2>)) "
            "& p_sim</nplayers>"},
        TodaysDataCase{"best from 80", [](WizardState& s) { s.bestAtLeast = "80"; },
                       "(<bestgames>80_to | <bestgames>90_to)"},
        TodaysDataCase{"best past the last", [](WizardState& s) { s.bestAtLeast = "95"; }, "<bestgames>90_to"},
        TodaysDataCase{"categories",
                       [](WizardState& s) {
                           s.leftOutCategories = {"Tabletop / Mahjong", "Ball & Paddle", std::string(MATURE_MARK)};
                       },
                       "(!<category>Tabletop_/_Mahjong & !<category>Ball_&_Paddle & !*_mature_*)"}));

// The composed terms take no more than they say: one player is not twelve, one button is not ten, and a
// feature's status is not the driver's.
TEST(WizardCommandTest, TermsTakeNoMoreThanTheySay) {
    constexpr std::string_view TWELVE = "<machine name=\"a\">\n<input players=\"12\" coins=\"1\">\n"
                                        "<control type=\"joy\" player=\"1\" buttons=\"10\" ways=\"8\"/>\n</input>\n"
                                        "<driver status=\"preliminary\"/>\n<feature type=\"sound\" status=\"good\"/>\n"
                                        "</machine>\n";
    constexpr std::string_view ONE = "<machine name=\"b\">\n<input players=\"1\">\n<control type=\"joy\" "
                                     "buttons=\"1\"/>\n</input>\n<driver status=\"imperfect\"/>\n</machine>\n";
    auto command = [](void (*choose)(WizardState&)) {
        WizardState state;
        choose(state);
        return ComposeWizardCommand(state, FORMAT_LISTXML, RecordElement::MACHINE);
    };
    std::string onePlayerAtLeast = command([](WizardState& s) { s.playersAtLeast = 1; });
    std::string twoPlayersAtLeast = command([](WizardState& s) { s.playersAtLeast = 2; });
    std::string oneButton = command([](WizardState& s) { s.buttonsIndex = 2; });
    std::string working = command([](WizardState& s) { s.working = WorkingChoice::GOOD; });
    std::string imperfect = command([](WizardState& s) { s.working = WorkingChoice::GOOD_OR_IMPERFECT; });
    EXPECT_FALSE(MatchGame(TWELVE, twoPlayersAtLeast));
    EXPECT_TRUE(MatchGame(ONE, twoPlayersAtLeast));
    EXPECT_FALSE(MatchGame(ONE, onePlayerAtLeast));
    EXPECT_TRUE(MatchGame("<machine name=\"c\">\n</machine>\n", onePlayerAtLeast));
    EXPECT_TRUE(MatchGame(TWELVE, oneButton));
    EXPECT_FALSE(MatchGame(ONE, oneButton));
    EXPECT_TRUE(MatchGame(TWELVE, working));
    EXPECT_TRUE(MatchGame(ONE, working));
    EXPECT_FALSE(MatchGame(ONE, imperfect));
}

} // namespace
} // namespace pellaquin
