#include "output/CsvColumns.h"

#include <gtest/gtest.h>

#include <set>

namespace pellaquin {
namespace {

using enum CsvColumn;

// The columns not offered for a kind of file.
std::set<CsvColumn> NotOffered(InputFormat format, RecordElement element) {
    std::set<CsvColumn> columns;
    for (std::size_t column = 0; column < CSV_COLUMN_COUNT; ++column) {
        if (!CsvColumnKey(static_cast<CsvColumn>(column), format, element)) {
            columns.insert(static_cast<CsvColumn>(column));
        }
    }
    return columns;
}

std::vector<CsvColumn> AllColumns() {
    std::vector<CsvColumn> all;
    for (std::size_t column = CSV_COLUMN_COUNT; column-- > 0;) {
        all.push_back(static_cast<CsvColumn>(column));
    }
    return all;
}

constexpr RecordElement GAME = RecordElement::GAME;
constexpr RecordElement MACHINE = RecordElement::MACHINE;

// Each kind of file leaves out exactly the columns it has no value for.
TEST(CsvColumnsTest, ColumnsNotOffered) {
    EXPECT_EQ(NotOffered(FORMAT_LISTXML, GAME),
              (std::set{COCKTAIL, TILT, ALTERNATING, PLAYERS, USES_SERVICE, MIRRORED, CATEGORY}));
    EXPECT_EQ(NotOffered(FORMAT_CONTROLS, GAME),
              (std::set{YEAR, MANUFACTURER, ORIENTATION, VIDEO_WIDTH, VIDEO_HEIGHT, DISPLAY_TYPE, EMULATION_STATUS}));
    EXPECT_EQ(NotOffered(FORMAT_MERGED, GAME), std::set<CsvColumn>{});
    EXPECT_EQ(NotOffered(FORMAT_UNKNOWN, GAME), std::set<CsvColumn>{});
    EXPECT_EQ(NotOffered(FORMAT_LISTXML, MACHINE), (std::set{DISPLAY_TYPE, COCKTAIL, ALTERNATING, MIRRORED, CATEGORY}));
    EXPECT_EQ(NotOffered(FORMAT_MERGED, MACHINE), std::set{DISPLAY_TYPE});
}

struct ListCase {
    const char* label;
    InputFormat format;
    RecordElement element;
    std::vector<CsvColumn> ticked;
    const char* columnList;
};

class ComposeColumnListTest : public ::testing::TestWithParam<ListCase> {};

// The ticked columns' keys for the file, in column order whatever order they were ticked in, joined by
// ","; columns without a key, or not offered, add nothing.
TEST_P(ComposeColumnListTest, KeysInColumnOrder) {
    const ListCase& list = GetParam();
    EXPECT_EQ(ComposeColumnList(list.ticked, list.format, list.element), list.columnList) << list.label;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ComposeColumnListTest,
    ::testing::Values(
        ListCase{"listxml", FORMAT_LISTXML, GAME, {ROM_NAME, DESCRIPTION}, "<description>,<game name="},
        ListCase{"column order",
                 FORMAT_LISTXML,
                 GAME,
                 {EMULATION_STATUS, YEAR, DESCRIPTION},
                 "<description>,year,emulation="},
        ListCase{"controls",
                 FORMAT_CONTROLS,
                 GAME,
                 {BUTTONS, CONTROLS, ROM_NAME},
                 "<game romname=,numButtons=,control_name="},
        ListCase{"nothing", FORMAT_LISTXML, GAME, {}, ""},
        ListCase{"cocktail adds nothing", FORMAT_MERGED, GAME, {DESCRIPTION, COCKTAIL}, "<description>"},
        ListCase{"not offered adds nothing", FORMAT_LISTXML, GAME, {CATEGORY, TILT, DESCRIPTION}, "<description>"},
        ListCase{"unknown name adds nothing", FORMAT_UNKNOWN, GAME, AllColumns(),
                 "<description>,numButtons=,control_name="},
        ListCase{"all listxml", FORMAT_LISTXML, GAME, AllColumns(),
                 "<description>,<game name=,year,manufacturer,buttons=,control_type=,width=,height=,rotate=,"
                 "display_type=,emulation="},
        ListCase{"all controls", FORMAT_CONTROLS, GAME, AllColumns(),
                 "<description>,<game romname=,numButtons=,control_name=,<category>,tilt=,alternating=,numPlayers=,"
                 "usesService=,mirrored="},
        ListCase{"all merged", FORMAT_MERGED, GAME, AllColumns(),
                 "<description>,<game name=,year,manufacturer,numButtons=,control_name=,width=,height=,rotate=,"
                 "display_type=,emulation=,<category>,tilt=,alternating=,numPlayers=,usesService=,mirrored="},
        ListCase{"all machines", FORMAT_LISTXML, MACHINE, AllColumns(),
                 "<description>,<machine name=,year,manufacturer,_buttons=,control_type=,width=,height=,rotate=,"
                 "emulation=,tilt=,input_players=,service="},
        ListCase{"all merged machines", FORMAT_MERGED, MACHINE, AllColumns(),
                 "<description>,<machine name=,year,manufacturer,_buttons=,control_type=,width=,height=,rotate=,"
                 "emulation=,<category>,tilt=,alternating=,input_players=,usesService=,mirrored="}));

} // namespace
} // namespace pellaquin
