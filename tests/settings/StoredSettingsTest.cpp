#include "settings/StoredSettings.h"

#include "settings/SettingsLocation.h"
#include "support/ScopedConditions.h"
#include "support/TestFiles.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace pellaquin {
namespace {

class StoredSettingsTest : public ::testing::Test {
protected:
    test::TemporaryFolder m_folder;
    test::ScopedEnvironment m_config{"XDG_CONFIG_HOME", m_folder.Path().string()};
    std::string m_file = (m_folder.Path() / "pellaquin" / "pellaquin.conf").string();

    std::string Write(std::string_view name, std::string_view bytes) {
        std::filesystem::create_directories(m_folder.Path() / "pellaquin");
        return m_folder.Write("pellaquin/" + std::string(name), bytes);
    }
};

// Nothing is stored before the first save; then every setting comes back as saved, values of any
// length and bytes, lists whose items hold commas and quotes, a shorter list leaving nothing behind.
TEST_F(StoredSettingsTest, FreshStartThenEverySettingKept) {
    SettingsLoad fresh = ReadStoredSettings();
    EXPECT_FALSE(fresh.settings);
    EXPECT_EQ(fresh.problem, "");

    StoredSettings saved{"/in.xml",         " /list.xml ",       "/catver,1.ini",
                         "\"/controls.xml", "/n\r\nplayers.ini", {"/best.ini", "/a,b.ini", "", " \"quoted\" "},
                         {"/roms"}};
    saved.windowGeometry = std::string(10000, 'g') + "\x01\xff";
    saved.exportOptions.launch = "mame \\ {file.basename}";
    ASSERT_TRUE(SaveStoredSettings(saved));
    std::optional<StoredSettings> loaded = LoadStoredSettings();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->inputXmlFile, saved.inputXmlFile);
    EXPECT_EQ(loaded->listXmlFile, saved.listXmlFile);
    EXPECT_EQ(loaded->catverFile, saved.catverFile);
    EXPECT_EQ(loaded->controlsFile, saved.controlsFile);
    EXPECT_EQ(loaded->nplayersFile, saved.nplayersFile);
    EXPECT_EQ(loaded->iniFiles, saved.iniFiles);
    EXPECT_EQ(loaded->availableFolders, saved.availableFolders);
    EXPECT_EQ(loaded->windowGeometry, saved.windowGeometry);
    EXPECT_EQ(loaded->exportOptions.launch, saved.exportOptions.launch);
    EXPECT_EQ(loaded->exportOptions.emulator, "mame");
    std::string text = test::ReadWholeFile(m_file);
    EXPECT_TRUE(text.starts_with("[General]\ninputXMLFile=/in.xml\nlistXMLFile=\" /list.xml \"\n")) << text;

    saved.iniFiles = {"/series.ini"};
    saved.availableFolders.clear();
    ASSERT_TRUE(SaveStoredSettings(saved));
    EXPECT_EQ(LoadStoredSettings()->iniFiles, std::vector<std::string>{"/series.ini"});
    EXPECT_TRUE(LoadStoredSettings()->availableFolders.empty());
}

// Where only an earlier version's store exists, its values are taken once into a settings file, and the
// old store stays as it was.
TEST_F(StoredSettingsTest, EarlierStoreImported) {
    const std::string legacy =
        "Windows Registry Editor Version 5.00\r\n\r\n"
        "[HKEY_CURRENT_USER\\Software\\Other]\r\n\"inputXMLFile\"=\"/not/ours.xml\"\r\n\r\n"
        "[HKEY_CURRENT_USER\\Software\\Pellaquin]\r\n"
        "\"INPUTXMLFILE\"=\"C:\\\\mame\\\\listxml.xml\"\r\n"
        "\"iniFile1\"=\"/best.ini\"\r\n\"iniFile2\"=hex(1):2f,6c,61,\\\r\n  6e,67,2e,69,6e,69,00\r\n"
        "\"iniFileCount\"=\"2\"\r\n\"availableFolderCount\"=\"0\"\r\n"
        "\"datName\"=\"Mine\"\r\n\"number\"=dword:0000002a\r\n";
    std::string legacyPath = Write("user.reg", legacy);
    std::optional<StoredSettings> imported = LoadStoredSettings();
    ASSERT_TRUE(imported);
    EXPECT_EQ(imported->inputXmlFile, "C:\\mame\\listxml.xml");
    EXPECT_EQ(imported->iniFiles, (std::vector<std::string>{"/best.ini", "/lang.ini"}));
    EXPECT_TRUE(imported->availableFolders.empty());
    EXPECT_EQ(imported->exportOptions.datName, "Mine");
    EXPECT_EQ(imported->exportOptions.emulator, "mame");
    EXPECT_EQ(test::ReadWholeFile(legacyPath), legacy);
    ASSERT_TRUE(std::filesystem::exists(m_file));

    // The settings file now decides: a change to the old store is not read again.
    Write("user.reg", "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\Software\\Pellaquin]\n");
    EXPECT_EQ(LoadStoredSettings()->inputXmlFile, "C:\\mame\\listxml.xml");
}

// Keys and sections this version does not know survive its save, as a newer version wrote them.
TEST_F(StoredSettingsTest, UnknownKeysKept) {
    Write("pellaquin.conf", "; written by a newer version\n[General]\nfutureKey = \"a, b\"\ninputxmlfile=/old.xml\n\n"
                            "[Future]\nother=1\n");
    StoredSettings settings = *LoadStoredSettings();
    EXPECT_EQ(settings.inputXmlFile, "/old.xml");
    settings.inputXmlFile = "/new.xml";
    ASSERT_TRUE(SaveStoredSettings(settings));
    std::string text = test::ReadWholeFile(m_file);
    EXPECT_NE(text.find("\nfutureKey=\"a, b\"\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\n[Future]\nother=1\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("inputxmlfile"), std::string::npos) << text;
    EXPECT_EQ(LoadStoredSettings()->inputXmlFile, "/new.xml");
}

// A damaged file is reported by its path, line and cause, reads as no settings and is left as it is;
// the next save keeps it beside the new file.
TEST_F(StoredSettingsTest, DamagedFileReported) {
    using namespace std::string_view_literals;
    const std::pair<std::string_view, const char*> damaged[] = {
        {"[General]\ninputXMLFile=/a.xml\nno equals sign\n", "line 3: it is neither a [section] nor a key=value"},
        {"[General\n", "line 1: a section name has no closing \"]\""},
        {"[General]\n=value\n", "line 2: it has no key before its \"=\""},
        {"inputXMLFile=\"/a.xml\n", "line 1: inputXMLFile: a quoted value has no closing quote"},
        {"\n\ncatverFile=\"/a\\q\"\n", "line 3: catverFile: unknown escape \\q"},
        {"iniFiles=\"/a.ini\" /b.ini\n", "line 1: iniFiles: text follows a quoted item"},
        {"windowGeometry=\"ab\\x4\"\n", "line 1: windowGeometry: \\x is not followed by two hex digits"},
        {"inputXMLFile=/a.xml\n\x01\x02\0binary\n"sv, "line 2: it holds a NUL byte"},
    };
    for (const auto& [text, problem] : damaged) {
        SCOPED_TRACE(problem);
        Write("pellaquin.conf", text);
        SettingsLoad load = ReadStoredSettings();
        EXPECT_FALSE(load.settings);
        EXPECT_TRUE(load.problem.starts_with(m_file + ", ")) << load.problem;
        EXPECT_NE(load.problem.find(problem), std::string::npos) << load.problem;
        EXPECT_EQ(test::ReadWholeFile(m_file), text);
    }
    ASSERT_TRUE(SaveStoredSettings({"/chosen.xml"}));
    EXPECT_EQ(LoadStoredSettings()->inputXmlFile, "/chosen.xml");
    EXPECT_EQ(test::ReadWholeFile(m_file + ".bad"), damaged[std::size(damaged) - 1].first);

    std::filesystem::remove(m_file);
    std::filesystem::create_directory(m_file);
    EXPECT_EQ(ReadStoredSettings().problem, m_file + " cannot be read");
    EXPECT_FALSE(SaveStoredSettings({"/chosen.xml"}));
}

// A save that fails at any byte (a full disk) leaves the earlier file whole and nothing beside it.
TEST_F(StoredSettingsTest, InterruptedSaveKeepsTheOldFile) {
    StoredSettings old{"/old.xml", "/list.xml"};
    ASSERT_TRUE(SaveStoredSettings(old));
    const std::string before = test::ReadWholeFile(m_file);
    StoredSettings next{"/a/much/longer/path/to/the/new/input.xml", "/list.xml"};
    for (std::uint64_t limit = 0;; ++limit) {
        ASSERT_LT(limit, 4096u);
        bool saved = false;
        {
            test::FileSizeLimit full(limit);
            saved = SaveStoredSettings(next);
        }
        ASSERT_EQ(test::FolderNames(m_folder.Path() / "pellaquin"), std::set<std::string>{"pellaquin.conf"});
        if (saved) {
            EXPECT_GT(limit, before.size());
            break;
        }
        ASSERT_EQ(test::ReadWholeFile(m_file), before) << limit;
    }
    EXPECT_EQ(LoadStoredSettings()->inputXmlFile, next.inputXmlFile);
}

} // namespace
} // namespace pellaquin
