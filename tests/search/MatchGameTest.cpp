#include "search/MatchGame.h"

#include <gtest/gtest.h>

namespace pellaquin {
namespace {

// A listing record with a cocktail dip switch, three buttons, a vertical screen and samples.
constexpr std::string_view RECORD = R"(<game name="galaxian" sourcefile="galaxian.c" cloneof="galaxnp" romof="galaxnp">
	<description>Galaxian (Namco set 1)</description>
	<sample name="fire"/>
	<display type="raster" rotate="90" width="256" height="224"/>
	<input players="2" buttons="10" coins="1">
		<control type="joy2way"/>
	</input>
	<dipvalue name="Cocktail"/>
	<driver status="good" emulation="good"/>
</game>
)";

struct MatchCase {
    const char* command;
    bool matches;
};

void PrintTo(const MatchCase& matchCase, std::ostream* out) {
    *out << matchCase.command;
}

class MatchGameTest : public ::testing::TestWithParam<MatchCase> {};

// Every command in the table either lists the record or leaves it out, as the rewriting rules decide.
TEST_P(MatchGameTest, ListsOrRejects) {
    EXPECT_EQ(MatchGame(RECORD, GetParam().command), !GetParam().matches) << GetParam().command;
    EXPECT_EQ(MatchGameByRewriting(RECORD, GetParam().command), !GetParam().matches) << GetParam().command;
}

INSTANTIATE_TEST_SUITE_P(
    Language, MatchGameTest,
    ::testing::Values(
        // Terms are plain substrings of the record with quotes removed and case folded.
        MatchCase{"rotate=90", true}, MatchCase{"ROTATE=\"90\"", true}, MatchCase{"rotate=270", false},
        MatchCase{"buttons=1", true}, // buttons="10" holds buttons=1
        MatchCase{"!cloneof", false}, MatchCase{"-cloneof", false}, MatchCase{"!emulation=preliminary", true},
        MatchCase{"!sample_name=", false}, // "_" stands for a space
        MatchCase{"sample_name=fire", true},
        // Negation strips "!" and "-" at both ends only.
        MatchCase{"!galaxian-", false}, MatchCase{"galaxian-", false}, MatchCase{"!x-y", true},
        // Truth tokens: "=" is in every record, a typed NO is lowered to "no" and searched as text.
        MatchCase{"=", true}, MatchCase{"NO", false}, MatchCase{"namco", true},
        // One term runs to the next space; without operators the whole command is one term.
        MatchCase{"joy2way dial", false}, MatchCase{"joy2way & dial", false}, MatchCase{"joy2way | dial", true},
        MatchCase{"rotate=90&dial", false}, MatchCase{"& rotate=90 & dial", false},
        // "&" binds tighter than "|"; chains are tried left to right.
        MatchCase{"dial & rotate=90 | joy2way & name=cocktail", true}, MatchCase{"dial | trackball", false},
        MatchCase{"dial |", true}, MatchCase{"rotate=90 joy2way &", true},
        // Groups become tokens, innermost and rightmost first, at any depth.
        MatchCase{"(rotate=90 | rotate=270)", true}, MatchCase{"(rotate=0 | rotate=180)", false},
        MatchCase{"!(rotate=90)", false}, MatchCase{"!(dial)", true}, MatchCase{"()", true},
        MatchCase{"(dial) | (joy2way)", true}, MatchCase{"(joy2way) | (dial)", true},
        MatchCase{"((dial | joy2way) & rotate=90)", true}, MatchCase{"((dial | trackball) & rotate=90)", false},
        MatchCase{"( joy2way )", false},
        MatchCase{"name=cocktail & (rotate=90 | rotate=270) & (!cloneof & !sample_name=)", false},
        MatchCase{"(buttons=3 | buttons=2 | buttons=1 | !buttons=)", true},
        MatchCase{"(numButtons=3 | numButtons=2)", false},
        // Identical groups are replaced together by one token.
        MatchCase{"(dial) & (dial) | joy2way", true},
        // Unclosed groups end the group phase; what is left is tested as it stands.
        // A command whose last "(" is never closed ends instead of looping.
        MatchCase{"(joy2way", false}, MatchCase{"a) (b", false}, MatchCase{"((joy2way)", false},
        MatchCase{"joy2way & (rotate=90", false}, MatchCase{")(", false}, MatchCase{"(()", false},
        MatchCase{"x & ) ( | (", true}, MatchCase{"(joy2way) (b (c", false}));

// A command whose groups lead its records down more paths than one command keeps states for: the
// records past that are rewritten one by one, with the same answers.
TEST(MatchGameManyPathsTest, PastTheStatesKept) {
    std::string command = "(k0z | nothing)";
    for (int group = 1; group < 11; ++group) {
        command += " & (k" + std::to_string(group) + "z | nothing)";
    }
    for (int bits = 0; bits < 1 << 11; ++bits) {
        std::string record = "<game name=\"x\">";
        for (int group = 0; group < 11; ++group) {
            record += (bits >> group & 1) != 0 ? " k" + std::to_string(group) + "z" : "";
        }
        ASSERT_EQ(MatchGame(record, command), bits != (1 << 11) - 1) << record;
    }
}

} // namespace
} // namespace pellaquin
