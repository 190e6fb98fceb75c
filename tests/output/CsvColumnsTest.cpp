#include "output/CsvColumns.h"

#include <gtest/gtest.h>

#include <set>

namespace pellaquin {
namespace {

// The ids of the columns not offered for a kind of file.
std::set<int> NotOffered(InputFormat format, RecordElement element) {
    std::set<int> ids;
    for (std::size_t column = 0; column < CSV_COLUMN_COUNT; ++column) {
        if (!CsvColumnKey(column, format, element)) {
            ids.insert(CsvColumns()[column].id);
        }
    }
    return ids;
}

// The column numbers of `ids`, in the order given.
std::vector<std::size_t> Columns(std::initializer_list<int> ids) {
    std::vector<std::size_t> columns;
    for (int id : ids) {
        for (std::size_t column = 0; column < CSV_COLUMN_COUNT; ++column) {
            if (CsvColumns()[column].id == id) {
                columns.push_back(column);
            }
        }
    }
    return columns;
}

std::vector<std::size_t> AllColumns() {
    std::vector<std::size_t> all(CSV_COLUMN_COUNT);
    for (std::size_t column = 0; column < CSV_COLUMN_COUNT; ++column) {
        all[column] = column;
    }
    return all;
}

constexpr RecordElement GAME = RecordElement::GAME;
constexpr RecordElement MACHINE = RecordElement::MACHINE;

// Each kind of file leaves out exactly the columns it has no value for.
TEST(CsvColumnsTest, ColumnsNotOffered) {
    EXPECT_EQ(NotOffered(FORMAT_LISTXML, GAME), (std::set<int>{1047, 1048, 1049, 1050, 1051, 1052, 1053}));
    EXPECT_EQ(NotOffered(FORMAT_CONTROLS, GAME), (std::set<int>{1034, 1036, 1039, 1043, 1044, 1045, 1046}));
    EXPECT_EQ(NotOffered(FORMAT_MERGED, GAME), std::set<int>{});
    EXPECT_EQ(NotOffered(FORMAT_UNKNOWN, GAME), std::set<int>{});
    EXPECT_EQ(NotOffered(FORMAT_LISTXML, MACHINE), (std::set<int>{1045, 1047, 1049, 1052, 1053}));
    EXPECT_EQ(NotOffered(FORMAT_MERGED, MACHINE), std::set<int>{1045});
}

// Every column has a box of its own on the chooser's screen, and an id of its own.
TEST(CsvColumnsTest, EachColumnHasItsOwnBox) {
    std::set<std::pair<int, int>> cells;
    std::set<int> ids;
    for (const CsvColumn& column : CsvColumns()) {
        EXPECT_TRUE(cells.insert({column.screenColumn, column.screenRow}).second) << column.caption;
        EXPECT_TRUE(ids.insert(column.id).second) << column.caption;
    }
}

struct ListCase {
    const char* label;
    InputFormat format;
    RecordElement element;
    std::vector<std::size_t> ticked;
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
        ListCase{"listxml", FORMAT_LISTXML, GAME, Columns({1041, 1040}), "<description>,<game name="},
        ListCase{"column order", FORMAT_LISTXML, GAME, Columns({1046, 1034, 1040}), "<description>,year,emulation="},
        ListCase{"controls", FORMAT_CONTROLS, GAME, Columns({1038, 1037, 1041}),
                 "<game romname=,numButtons=,control_name="},
        ListCase{"nothing", FORMAT_LISTXML, GAME, {}, ""},
        ListCase{"cocktail adds nothing", FORMAT_MERGED, GAME, Columns({1040, 1047}), "<description>"},
        ListCase{"not offered adds nothing", FORMAT_LISTXML, GAME, Columns({1053, 1048, 1040}), "<description>"},
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
