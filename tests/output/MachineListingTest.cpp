#include "output/WriterFixture.h"
#include "search/WizardCommand.h"

namespace pellaquin {
namespace {

// The wizard's start-up state: "2" buttons with "or less" and "Playable".
WizardState WizardDefaults() {
    WizardState state;
    state.buttonsIndex = 3;
    state.orLess = true;
    state.playable = true;
    return state;
}

class MachineListingTest : public test::WriterFixture {
protected:
    void SetUp() override { OpenData("machines_small.xml"); }

    std::string Names(const std::string& command) { return List(ListType::NAMES, command); }
};

// The wizard's commands for machines: per-control buttons (not "reqbuttons"), no devices, joysticks by ways.
TEST_F(MachineListingTest, WizardCommandsMeanTheSame) {
    std::string defaults = ComposeWizardCommand(WizardDefaults(), FORMAT_LISTXML, RecordElement::MACHINE);
    const std::string twoOrLess =
        "(_buttons=2_ | _buttons=2/ | _buttons=2> | _buttons=1_ | _buttons=1/ | _buttons=1> | !_buttons=)";
    EXPECT_EQ(defaults, twoOrLess + " & (!emulation=preliminary & !runnable=no)");
    EXPECT_EQ(Names(defaults), "puckman\npacman\n");

    WizardState state = WizardDefaults();
    state.noClones = true;
    state.joy4way = true;
    std::string parents = ComposeWizardCommand(state, FORMAT_LISTXML, RecordElement::MACHINE);
    EXPECT_EQ(parents, twoOrLess + " & ways=4 & (!cloneof & !emulation=preliminary & !runnable=no)");
    EXPECT_EQ(Names(parents), "puckman\n");

    state = WizardState{};
    state.joy2way = state.joy8way = true;
    state.cocktail = true;
    EXPECT_EQ(ComposeWizardCommand(state, FORMAT_LISTXML, RecordElement::MACHINE), "name=cocktail & (ways=2 | ways=8)");
    EXPECT_EQ(Names(ComposeWizardCommand(state, FORMAT_LISTXML, RecordElement::MACHINE)), "");
    state.cocktail = false;
    EXPECT_EQ(Names(ComposeWizardCommand(state, FORMAT_LISTXML, RecordElement::MACHINE)), "neobios\ndariusg\nwiping\n");

    // Merged files of machines take the listing's buttons, which every machine has.
    EXPECT_EQ(ComposeWizardCommand(WizardDefaults(), FORMAT_MERGED, RecordElement::MACHINE),
              twoOrLess + " & (!emulation=preliminary & !runnable=no)");
    // The words that classic listings use would take the three-button machine for two buttons.
    EXPECT_EQ(Names("(buttons=2 | buttons=1 | !buttons=)"), "puckman\npacman\ndariusg\nwiping\nz80\n");
}

// Every writer reads machine records: names, XML with its closing tag, batch lines, descriptions.
TEST_F(MachineListingTest, WritersReadMachines) {
    EXPECT_EQ(Names("cloneof"), "pacman\n");
    std::string xml = List(ListType::XML, "isbios=yes");
    EXPECT_TRUE(xml.ends_with("\t</machine>\n\r\n</mame>\n"));
    EXPECT_NE(xml.find("<machine name=\"neobios\""), std::string::npos);
    m_request.batchTemplate = "copy %ROM%.zip roms";
    EXPECT_EQ(List(ListType::BATCH, "sourcefile=pacman/"), "copy puckman.zip roms\ncopy pacman.zip roms\n");
    EXPECT_EQ(List(ListType::DESCRIPTIONS, "sourcefile=pacman/"), "Puck Man (Japan set 1)\nPac-Man (Midway)\n");
}

// Columns and MaLa entries take today's keys: buttons per control, players from the input element.
TEST_F(MachineListingTest, ColumnsAndEntriesFindValues) {
    EXPECT_EQ(List(ListType::CSV, "<machine name=,_buttons=,input_players=,tilt=,service=,rotate="),
              "neobios,4 & 4,2,,yes,0\n"
              "puckman,,2,,,90\n"
              "pacman,,2,,,90\n"
              "dariusg,3 & 3,2,yes,yes,0 & 0\n"
              "wiping,1,2,,,90\n"
              "z80,,,,,\n");

    std::string bytes = List(ListType::MALA, "name=dariusg");
    auto text = [](std::string_view value) {
        return std::string{'\x06', static_cast<char>(value.size())} + std::string(value);
    };
    // The buttons, tagged as a byte, follow the manufacturer and the (empty) category.
    const std::string before = text("Taito Corporation Japan") + text("");
    std::size_t found = bytes.find(before);
    ASSERT_NE(found, std::string::npos);
    EXPECT_EQ(bytes.substr(found + before.size(), 2), std::string("\x02\x03", 2));
    EXPECT_NE(bytes.find(text("2P") + text("joy & joy")), std::string::npos);
}

} // namespace
} // namespace pellaquin
