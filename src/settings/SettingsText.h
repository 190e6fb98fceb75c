#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pellaquin {

// One "key=value" line of the settings file, under the section it stands in. The value is kept as
// written (its quotes and escapes undone only by the Decode functions), so a key this version does
// not know goes back into the file as it came.
struct SettingsEntry {
    std::string section;
    std::string key;
    std::string rawValue;
    std::size_t line = 0; // 1-based; 0 for an entry not read from a file
};

// Where a settings text cannot be read, and why.
struct SettingsProblem {
    std::size_t line = 0;
    std::string cause;
};

// The settings file's text: INI form, "[Section]" lines, "key=value" lines, blank lines and comments
// (lines beginning with ";" or "#"). Keys before the first section belong to "General". A value is
// written plain, or between double quotes with the escapes \\, \", \n, \r, \t and \xHH; a list is one
// value, its items joined by "," and each quoted where needed. Keys match without regard to A-Z case.
class SettingsText {
public:
    static constexpr std::string_view GENERAL = "General";

    // The entries of `bytes` (a CR before a LF is dropped), or the first line that is none of the forms
    // above.
    static std::optional<SettingsText> Parse(std::string_view bytes, SettingsProblem& problem);

    // The entry of `key` in `section`, the last one when the text has it twice; nothing when absent.
    const SettingsEntry* Find(std::string_view section, std::string_view key) const;
    // Gives `key` in `section` the value `rawValue` (already encoded), in place of every entry of that key.
    void Set(std::string_view section, std::string_view key, std::string rawValue);

    // The text of every entry, each section once, in the order the sections first appear.
    std::string Format() const;

    const std::vector<SettingsEntry>& Entries() const { return m_entries; }

private:
    std::vector<SettingsEntry> m_entries;
};

// The value `text` as written in the file: plain when it reads back the same, else quoted.
std::string EncodeSettingsValue(std::string_view text);
// The text of a written value; nothing, with the cause, when its quotes or escapes are broken.
std::optional<std::string> DecodeSettingsValue(std::string_view rawValue, std::string& cause);

// A list as one written value.
std::string EncodeSettingsList(const std::vector<std::string>& items);
// The items of a written list (none for an empty value); nothing, with the cause, when an item's quotes
// or escapes are broken or text follows a quoted item before its ",".
std::optional<std::vector<std::string>> DecodeSettingsList(std::string_view rawValue, std::string& cause);

} // namespace pellaquin
