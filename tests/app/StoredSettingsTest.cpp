#include "app/StoredSettings.h"

#include "support/ScopedConditions.h"
#include "support/TestFiles.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace pellaquin {
namespace {

// Nothing is stored before the first save; every setting comes back as saved, each path in its own value
// and a shorter list leaving none of the longer one's entries; a store that cannot be written says so.
TEST(StoredSettingsTest, SavedAndLoadedAsOne) {
    test::TemporaryFolder folder;
    test::ScopedEnvironment config("XDG_CONFIG_HOME", folder.Path().string());
    EXPECT_FALSE(LoadStoredSettings());
    StoredSettings saved{"/in.xml", "/list.xml", "/catver.ini", "/controls.xml", "/nplayers.ini",
                         {"/best.ini", "/languages.ini"}, {"/roms", "/more roms"}};
    ASSERT_TRUE(SaveStoredSettings(saved));
    std::optional<StoredSettings> loaded = LoadStoredSettings();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->inputXmlFile, "/in.xml");
    EXPECT_EQ(loaded->listXmlFile, "/list.xml");
    EXPECT_EQ(loaded->catverFile, "/catver.ini");
    EXPECT_EQ(loaded->controlsFile, "/controls.xml");
    EXPECT_EQ(loaded->nplayersFile, "/nplayers.ini");
    EXPECT_EQ(loaded->iniFiles, saved.iniFiles);
    EXPECT_EQ(loaded->availableFolders, saved.availableFolders);
    saved.iniFiles = {"/series.ini"};
    saved.availableFolders.clear();
    ASSERT_TRUE(SaveStoredSettings(saved));
    EXPECT_EQ(LoadStoredSettings()->iniFiles, std::vector<std::string>{"/series.ini"});
    EXPECT_TRUE(LoadStoredSettings()->availableFolders.empty());
    EXPECT_NE(
        test::ReadWholeFile((folder.Path() / "pellaquin" / "user.reg").string()).find("\"listXMLFile\"=\"/list.xml\""),
        std::string::npos);

    test::ScopedEnvironment under("XDG_CONFIG_HOME", (folder.Path() / "pellaquin" / "user.reg").string());
    EXPECT_FALSE(SaveStoredSettings(saved));
}

} // namespace
} // namespace pellaquin
