#include "output/ExportPlaces.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace pellaquin {
namespace {

struct PlaceCase {
    ListType type;
    std::string romFolder, emulator; // the ROM folder under the home folder when it begins with "/"
    const char* made;                // the folder made under the home folder, if any
    std::string fileName;
    const char* found; // the folder found, under the home folder; null for none
};

class ExportPlacesTest : public ::testing::TestWithParam<PlaceCase> {};

// Each front-end's file gets its usual name, and its folder is the first of those the front-end reads
// that exists: ES-DE's own before RetroPie's, the ROM folder for Pegasus only when it is absolute,
// RetroArch's playlists only for a playlist given its ROM folder.
TEST_P(ExportPlacesTest, UsualNameAndFolder) {
    const PlaceCase& place = GetParam();
    test::TemporaryFolder home;
    if (*place.made) {
        std::filesystem::create_directories(home.Path() / place.made);
    }
    ExportOptions options;
    options.romFolder =
        place.romFolder.starts_with('/') ? (home.Path() / place.romFolder.substr(1)).string() : place.romFolder;
    options.emulator = place.emulator;
    ExportPlace usual = UsualExportPlace(place.type, options, home.Path());
    EXPECT_EQ(usual.fileName, place.fileName);
    EXPECT_EQ(ExistingExportFolder(usual), place.found ? home.Path() / place.found : std::filesystem::path());
}

INSTANTIATE_TEST_SUITE_P(
    Types, ExportPlacesTest,
    ::testing::Values(
        PlaceCase{ListType::ATTRACT, "", "mame2003", ".attract/romlists", "mame2003.txt", ".attract/romlists"},
        PlaceCase{ListType::EMULATIONSTATION, "", "", "ES-DE/gamelists/mame", "gamelist.xml", "ES-DE/gamelists/mame"},
        PlaceCase{ListType::RETROARCH, "/roms", "", ".config/retroarch/playlists", "MAME.lpl",
                  ".config/retroarch/playlists"},
        PlaceCase{ListType::RETROARCH, "", "", ".config/retroarch/playlists", "MAME.lpl", nullptr},
        PlaceCase{ListType::PEGASUS, "/roms", "", "roms", "metadata.pegasus.txt", "roms"},
        PlaceCase{ListType::PEGASUS, "roms", "", "roms", "metadata.pegasus.txt", nullptr},
        PlaceCase{ListType::DAT, "", "", "", "selection.dat", nullptr}));

} // namespace
} // namespace pellaquin
