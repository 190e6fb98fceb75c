#include "app/SettingsLocation.h"

#include <cstdlib>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "app/RegistryKey.h"

namespace pellaquin {
namespace {

// Sets (or removes) an environment variable for one test and puts back what was there.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::optional<std::string>& value) : m_name(name) {
        if (const char* old = std::getenv(name)) {
            m_saved = old;
        }
        Put(value);
    }
    ~ScopedVariable() { Put(m_saved); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    void Put(const std::optional<std::string>& value) const {
        value ? ::setenv(m_name, value->c_str(), 1) : ::unsetenv(m_name);
    }

    const char* m_name;
    std::optional<std::string> m_saved;
};

struct LocationCase {
    const char* label;
    std::optional<std::string> configHome;
    std::optional<std::string> home;
    std::string storeFile;
};

class LocationTest : public ::testing::TestWithParam<LocationCase> {};

// The store lives under XDG_CONFIG_HOME when absolute, else under HOME/.config, else nowhere.
TEST_P(LocationTest, StoreFileFollowsEnvironment) {
    ScopedVariable configHome("XDG_CONFIG_HOME", GetParam().configHome);
    ScopedVariable home("HOME", GetParam().home);
    EXPECT_EQ(SettingsLocation::ForCurrentUser().StoreFile().string(), GetParam().storeFile);
}

INSTANTIATE_TEST_SUITE_P(
    Environments, LocationTest,
    ::testing::Values(LocationCase{"ConfigHome", "/cfg", "/home/u", "/cfg/pellaquin/user.reg"},
                      LocationCase{"EmptyConfigHome", "", "/home/u", "/home/u/.config/pellaquin/user.reg"},
                      LocationCase{"RelativeConfigHome", "cfg", "/home/u", "/home/u/.config/pellaquin/user.reg"},
                      LocationCase{"NoConfigHome", std::nullopt, "/home/u", "/home/u/.config/pellaquin/user.reg"},
                      LocationCase{"RelativeHome", std::nullopt, "u", ""},
                      LocationCase{"Nothing", std::nullopt, std::nullopt, ""}),
    [](const auto& testCase) { return std::string(testCase.param.label); });

// Without a folder there is no store: even the writer fails, so every start is a first run.
TEST(SettingsLocationTest, NoFolderMeansNoStore) {
    CRegistryKey writer(CRegistryKey::MODE_CREATE, SettingsLocation({}));
    EXPECT_FALSE(writer.Open("Software\\Pellaquin"));
}

} // namespace
} // namespace pellaquin
