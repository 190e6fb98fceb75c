#include "settings/StoredSettings.h"

#include "platform/FileReplacement.h"
#include "records/InputFile.h"
#include "records/RecordReader.h"
#include "settings/LegacyStoreImport.h"
#include "settings/SettingsLocation.h"
#include "settings/SettingsText.h"

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <type_traits>
#include <utility>
#include <variant>

namespace pellaquin {

namespace {

using TextMember = std::string StoredSettings::*;
using ListMember = std::vector<std::string> StoredSettings::*;
using OptionMember = std::string ExportOptions::*;
using ChoiceMember = bool ExportOptions::*;

constexpr std::string_view YES = "true";
constexpr std::string_view NO = "false";

struct SettingKey {
    std::string_view name;
    std::variant<TextMember, ListMember, OptionMember, ChoiceMember> member;
    // Earlier versions kept a list as numbered values, "iniFile1", "iniFile2"... and their count.
    std::string_view legacyListName = {};
};

// Every setting by its key, in the order the file lists them.
const SettingKey KEYS[] = {
    {"inputXMLFile", &StoredSettings::inputXmlFile},
    {"listXMLFile", &StoredSettings::listXmlFile},
    {"catverFile", &StoredSettings::catverFile},
    {"controlsFile", &StoredSettings::controlsFile},
    {"nplayersFile", &StoredSettings::nplayersFile},
    {"iniFiles", &StoredSettings::iniFiles, "iniFile"},
    {"availableFolders", &StoredSettings::availableFolders, "availableFolder"},
    {"windowGeometry", &StoredSettings::windowGeometry},
};

// The settings' keys, then the export options' by their stored names.
std::vector<SettingKey> Keys() {
    std::vector<SettingKey> keys(std::begin(KEYS), std::end(KEYS));
    for (const ExportOptionInfo& option : ExportOptionTable()) {
        std::visit([&](auto member) { keys.push_back({option.storedName, member}); }, option.member);
    }
    return keys;
}

enum class FileRead { MISSING, READ, UNREADABLE };

FileRead ReadFile(const std::filesystem::path& path, std::string& bytes) {
    std::error_code error;
    if (path.empty() || !std::filesystem::exists(path, error)) {
        return error && error != std::errc::no_such_file_or_directory ? FileRead::UNREADABLE : FileRead::MISSING;
    }
    InputFile file;
    if (file.Open(path.string()) != InputFile::OpenResult::OK) {
        return FileRead::UNREADABLE;
    }
    ReadRemainingText(file, bytes);
    return file.HadReadError() ? FileRead::UNREADABLE : FileRead::READ;
}

bool ReplaceFile(const std::filesystem::path& path, std::string_view bytes) {
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    FileReplacement file(path.string());
    return !error && file.Open() && file.Write(bytes) && file.Commit();
}

// The settings of a readable settings text; `problem` names the first value that cannot be decoded.
std::optional<StoredSettings> SettingsOf(const SettingsText& text, SettingsProblem& problem) {
    StoredSettings settings;
    for (const SettingKey& key : Keys()) {
        const SettingsEntry* entry = text.Find(SettingsText::GENERAL, key.name);
        if (entry == nullptr) {
            continue;
        }
        std::string cause;
        bool decoded = std::visit(
            [&](auto member) {
                using Member = decltype(member);
                if constexpr (std::is_same_v<Member, ListMember>) {
                    std::optional<std::vector<std::string>> list = DecodeSettingsList(entry->rawValue, cause);
                    return list && (settings.*member = std::move(*list), true);
                } else if constexpr (std::is_same_v<Member, ChoiceMember>) {
                    cause = "neither true nor false";
                    settings.exportOptions.*member = entry->rawValue == YES;
                    return entry->rawValue == YES || entry->rawValue == NO;
                } else {
                    std::optional<std::string> value = DecodeSettingsValue(entry->rawValue, cause);
                    if constexpr (std::is_same_v<Member, OptionMember>) {
                        return value && (settings.exportOptions.*member = std::move(*value), true);
                    } else {
                        return value && (settings.*member = std::move(*value), true);
                    }
                }
            },
            key.member);
        if (!decoded) {
            problem = {entry->line, std::string(key.name) + ": " + cause};
            return std::nullopt;
        }
    }
    return settings;
}

// The settings an earlier version stored, by their old names.
std::optional<StoredSettings> ImportLegacyStore(const std::filesystem::path& path) {
    std::string bytes;
    if (ReadFile(path, bytes) != FileRead::READ) {
        return std::nullopt;
    }
    std::optional<std::vector<std::pair<std::string, std::string>>> values = ReadLegacyStoreValues(bytes);
    if (!values) {
        return std::nullopt;
    }
    // The old names match without regard to A-Z case, as the settings text's keys do.
    SettingsText text;
    for (const auto& [name, value] : *values) {
        text.Set(SettingsText::GENERAL, name, EncodeSettingsValue(value));
    }
    SettingsProblem never;
    std::optional<StoredSettings> settings = SettingsOf(text, never);
    for (const SettingKey& key : KEYS) {
        if (key.legacyListName.empty()) {
            continue;
        }
        std::vector<std::string>& list = (*settings).*std::get<ListMember>(key.member);
        const SettingsEntry* count = text.Find(SettingsText::GENERAL, std::string(key.legacyListName) + "Count");
        std::size_t entries = count == nullptr ? 0 : std::strtoul(count->rawValue.c_str(), nullptr, 10);
        for (std::size_t item = 1; item <= entries; ++item) {
            const SettingsEntry* entry =
                text.Find(SettingsText::GENERAL, std::string(key.legacyListName) + std::to_string(item));
            if (entry == nullptr) {
                break;
            }
            std::string cause;
            list.push_back(DecodeSettingsValue(entry->rawValue, cause).value_or(""));
        }
    }
    return settings;
}

} // namespace

SettingsLoad ReadStoredSettings() {
    SettingsLocation location = SettingsLocation::ForCurrentUser();
    std::filesystem::path path = location.SettingsFile();
    std::string bytes;
    switch (ReadFile(path, bytes)) {
    case FileRead::MISSING: {
        std::optional<StoredSettings> imported = ImportLegacyStore(location.LegacyStoreFile());
        if (imported) {
            SaveStoredSettings(*imported);
        }
        return {imported, {}};
    }
    case FileRead::UNREADABLE:
        return {std::nullopt, path.string() + " cannot be read"};
    case FileRead::READ:
        break;
    }
    SettingsProblem problem;
    std::optional<SettingsText> text = SettingsText::Parse(bytes, problem);
    std::optional<StoredSettings> settings = text ? SettingsOf(*text, problem) : std::nullopt;
    if (!settings) {
        return {std::nullopt, path.string() + ", line " + std::to_string(problem.line) + ": " + problem.cause};
    }
    return {settings, {}};
}

std::string SettingsUnreadableMessage(const std::string& problem) {
    return "Your settings could not be read:\r\n" + problem +
           "\r\nPellaquin starts as on a first run and leaves the file as it is until you press \"Set\".";
}

std::optional<StoredSettings> LoadStoredSettings() {
    return ReadStoredSettings().settings;
}

bool SaveStoredSettings(const StoredSettings& settings) {
    std::filesystem::path path = SettingsLocation::ForCurrentUser().SettingsFile();
    if (path.empty()) {
        return false;
    }
    std::string bytes;
    SettingsProblem problem;
    std::optional<SettingsText> kept;
    if (FileRead read = ReadFile(path, bytes); read == FileRead::READ) {
        kept = SettingsText::Parse(bytes, problem);
        if (!kept && !ReplaceFile(std::filesystem::path(path) += ".bad", bytes)) {
            return false;
        }
    } else if (read == FileRead::UNREADABLE) {
        return false;
    }
    SettingsText text = kept.value_or(SettingsText());
    for (const SettingKey& key : Keys()) {
        std::string raw = std::visit(
            [&](auto member) {
                using Member = decltype(member);
                if constexpr (std::is_same_v<Member, ListMember>) {
                    return EncodeSettingsList(settings.*member);
                } else if constexpr (std::is_same_v<Member, ChoiceMember>) {
                    return std::string(settings.exportOptions.*member ? YES : NO);
                } else if constexpr (std::is_same_v<Member, OptionMember>) {
                    return EncodeSettingsValue(settings.exportOptions.*member);
                } else {
                    return EncodeSettingsValue(settings.*member);
                }
            },
            key.member);
        text.Set(SettingsText::GENERAL, key.name, std::move(raw));
    }
    return ReplaceFile(path, text.Format());
}

} // namespace pellaquin
