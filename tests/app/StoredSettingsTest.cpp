#include "app/StoredSettings.h"

#include "support/ScopedConditions.h"
#include "support/TestFiles.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace pellaquin {
namespace {

// Nothing is stored before the first save; the four paths come back as saved, each in its own value;
// a store that cannot be written says so.
TEST(StoredSettingsTest, SavedAndLoadedAsOne) {
    test::TemporaryFolder folder;
    test::ScopedEnvironment config("XDG_CONFIG_HOME", folder.Path().string());
    EXPECT_FALSE(LoadStoredPaths());
    ASSERT_TRUE(SaveStoredPaths({"/in.xml", "/list.xml", "/catver.ini", "/controls.xml"}));
    std::optional<StoredPaths> loaded = LoadStoredPaths();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->inputXmlFile, "/in.xml");
    EXPECT_EQ(loaded->listXmlFile, "/list.xml");
    EXPECT_EQ(loaded->catverFile, "/catver.ini");
    EXPECT_EQ(loaded->controlsFile, "/controls.xml");
    EXPECT_NE(
        test::ReadWholeFile((folder.Path() / "pellaquin" / "user.reg").string()).find("\"listXMLFile\"=\"/list.xml\""),
        std::string::npos);

    test::ScopedEnvironment under("XDG_CONFIG_HOME", (folder.Path() / "pellaquin" / "user.reg").string());
    EXPECT_FALSE(SaveStoredPaths({"/in.xml", "", "", ""}));
}

} // namespace
} // namespace pellaquin
