#include "settings/SettingsLocation.h"

#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "settings/StoredSettings.h"
#include "support/ScopedConditions.h"

namespace pellaquin {
namespace {

struct LocationCase {
    const char* label;
    std::optional<std::string> configHome;
    std::optional<std::string> home;
    std::string storeFile;
};

class LocationTest : public ::testing::TestWithParam<LocationCase> {};

// The store lives under XDG_CONFIG_HOME when absolute, else under HOME/.config, else nowhere.
TEST_P(LocationTest, StoreFileFollowsEnvironment) {
    test::ScopedEnvironment configHome("XDG_CONFIG_HOME", GetParam().configHome);
    test::ScopedEnvironment home("HOME", GetParam().home);
    EXPECT_EQ(SettingsLocation::ForCurrentUser().SettingsFile().string(), GetParam().storeFile);
}

INSTANTIATE_TEST_SUITE_P(
    Environments, LocationTest,
    ::testing::Values(LocationCase{"ConfigHome", "/cfg", "/home/u", "/cfg/pellaquin/pellaquin.conf"},
                      LocationCase{"EmptyConfigHome", "", "/home/u", "/home/u/.config/pellaquin/pellaquin.conf"},
                      LocationCase{"RelativeConfigHome", "cfg", "/home/u", "/home/u/.config/pellaquin/pellaquin.conf"},
                      LocationCase{"NoConfigHome", std::nullopt, "/home/u", "/home/u/.config/pellaquin/pellaquin.conf"},
                      LocationCase{"RelativeHome", std::nullopt, "u", ""},
                      LocationCase{"Nothing", std::nullopt, std::nullopt, ""}),
    [](const auto& testCase) { return std::string(testCase.param.label); });

// Without a folder there is no settings file: a save fails, so every start is a first run.
TEST(SettingsLocationTest, NoFolderMeansNoSettings) {
    test::ScopedEnvironment configHome("XDG_CONFIG_HOME", std::nullopt);
    test::ScopedEnvironment home("HOME", std::nullopt);
    EXPECT_FALSE(SaveStoredSettings({}));
    EXPECT_FALSE(ReadStoredSettings().settings);
}

} // namespace
} // namespace pellaquin
