#include "search/WizardChoices.h"

#include <gtest/gtest.h>

namespace pellaquin {
namespace {

std::string Compose(std::string_view list, InputFormat format = FORMAT_LISTXML,
                    RecordElement element = RecordElement::MACHINE) {
    std::string unknown;
    std::optional<WizardState> state = ParseWizardChoices(list, unknown);
    return state ? ComposeWizardCommand(*state, format, element) : "unknown: " + unknown;
}

// Every name ticks its own box: the command each composes alone, from none ticked and buttons "any".
TEST(WizardChoicesTest, EachNameAlone) {
    const std::pair<const char*, const char*> names[] = {
        {"cocktail", "name=cocktail"},
        {"cocktail,upright", ""},
        {"horizontal", "(rotate=0 | rotate=180)"},
        {"vertical", "(rotate=90 | rotate=270)"},
        {"buttons<=0", "(!_buttons=)"},
        {"buttons=3", "(_buttons=3_ | _buttons=3/ | _buttons=3>)"},
        {"joy2", "ways=2"},
        {"joy4", "ways=4"},
        {"joy8", "ways=8"},
        {"dial", "dial"},
        {"trackball", "trackball"},
        {"pedal", "pedal"},
        {"no-clones", "!cloneof"},
        {"no-samples", "!sample_name="},
        {"playable", "(!emulation=preliminary & !runnable=no)"},
        {"category=Maze", "Maze"},
        {"not-category=Ball & Paddle", "!Ball & Paddle"},
        {"working", "driver_status=good"},
        {"working-or-imperfect", "(driver_status=good | driver_status=imperfect)"},
        {"no-mechanical", "!ismechanical=yes"},
        {"no-bios-devices", "!isbios=yes & !isdevice=yes & !runnable=no"},
        {"has-screen", "<display_"},
        {"no-chd", "!<disk_"},
        {"no-softlist", "!<softwarelist_"},
        {"players>=1", "(input_players= & !(input_players=0_ | input_players=0/ | input_players=0>))"},
        {"simultaneous", "p_sim</nplayers>"},
        {"best>=90", "<bestgames>90_to"},
        {"leave-out=Casino,leave-out=Mahjong<=x", "(!<category>Casino & !<category>Mahjong<=x)"},
    };
    for (const auto& [list, command] : names) {
        EXPECT_EQ(Compose(list), command) << list;
    }
    EXPECT_EQ(Compose("buttons<=2,,joy4", FORMAT_LISTXML, RecordElement::GAME),
              "(buttons=2 | buttons=1 | !buttons=) & joy4way");
}

// A name that is none of them, a value out of range or a value missing is named back.
TEST(WizardChoicesTest, UnknownNames) {
    for (const char* list : {"joy3", "playable,players>=9", "buttons<=11", "best>=85", "category=", "leave-out",
                             "cocktail=1", "players>=two"}) {
        std::string unknown;
        EXPECT_FALSE(ParseWizardChoices(list, unknown)) << list;
        EXPECT_FALSE(unknown.empty()) << list;
    }
}

} // namespace
} // namespace pellaquin
