#include "data/IniIndex.h"

#include "records/ByteText.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace pellaquin {

namespace {

constexpr auto NOT_FOUND = std::string_view::npos;

constexpr std::string_view BYTE_ORDER_MARK = "\xEF\xBB\xBF";
constexpr std::string_view SETTINGS_SECTION = "FOLDER_SETTINGS";
constexpr std::string_view ROOT_SECTION = "ROOT_FOLDER";
constexpr std::string_view JOINER = ", ";

bool LowerAsciiEquals(std::string_view text, std::string_view other) {
    return std::equal(text.begin(), text.end(), other.begin(), other.end(),
                      [](char a, char b) { return LowerAsciiByte(a) == LowerAsciiByte(b); });
}

// Calls `visit(section, line)` with each line that may name a set, trimmed, and the name of the
// section it is under; lines before the first section are under [ROOT_FOLDER]. Comments, section
// lines and settings are passed over.
template <typename Visit> void ForEachSetLine(std::string_view text, Visit visit) {
    if (text.starts_with(BYTE_ORDER_MARK)) {
        text.remove_prefix(BYTE_ORDER_MARK.size());
    }
    std::string_view section = ROOT_SECTION;
    bool inSettings = false;
    while (!text.empty()) {
        std::size_t lineFeed = text.find('\n');
        std::string_view line = TrimWhiteSpace(text.substr(0, lineFeed));
        text.remove_prefix(lineFeed == NOT_FOUND ? text.size() : lineFeed + 1);
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            section = TrimWhiteSpace(line.substr(1, line.find(']') - 1));
            inSettings = LowerAsciiEquals(section, SETTINGS_SECTION);
        } else if (!inSettings) {
            visit(section, line);
        }
    }
}

// The name and value of a "name=value" line, both trimmed; no name when the line has no "=".
std::pair<std::string_view, std::string_view> SplitKeyValue(std::string_view line) {
    std::size_t equals = line.find('=');
    if (equals == NOT_FOUND) {
        return {};
    }
    return {TrimWhiteSpace(line.substr(0, equals)), TrimWhiteSpace(line.substr(equals + 1))};
}

} // namespace

IniIndex IniIndex::ReadDataFile(std::string_view text, std::string_view listName) {
    std::size_t withEquals = 0;
    std::size_t without = 0;
    ForEachSetLine(
        text, [&](std::string_view, std::string_view line) { ++(line.find('=') == NOT_FOUND ? without : withEquals); });
    IniIndex index;
    if (withEquals > without) {
        ForEachSetLine(text, [&](std::string_view, std::string_view line) {
            auto [name, value] = SplitKeyValue(line);
            if (!name.empty() && !value.empty()) {
                index.m_values.try_emplace(LowerAsciiCopy(name), value);
            }
        });
        return index;
    }

    // Each set's sections in the order of its lines, a section once; the values are joined after.
    std::unordered_map<std::string, std::vector<std::string_view>> sectionsOf;
    ForEachSetLine(text, [&](std::string_view section, std::string_view line) {
        if (LowerAsciiEquals(section, ROOT_SECTION)) {
            section = listName;
        }
        if (section.empty()) {
            return;
        }
        std::vector<std::string_view>& sections = sectionsOf[LowerAsciiCopy(line)];
        if (std::find(sections.begin(), sections.end(), section) == sections.end()) {
            sections.push_back(section);
        }
    });
    index.m_values.reserve(sectionsOf.size());
    for (auto& [name, sections] : sectionsOf) {
        std::string& value = index.m_values[name];
        for (std::string_view section : sections) {
            value.append(value.empty() ? "" : JOINER).append(section);
        }
    }
    return index;
}

IniIndex IniIndex::ReadSection(std::string_view text, std::string_view section) {
    IniIndex index;
    ForEachSetLine(text, [&](std::string_view lineSection, std::string_view line) {
        if (!LowerAsciiEquals(lineSection, section)) {
            return;
        }
        auto [name, value] = SplitKeyValue(line);
        if (!name.empty() && !value.empty()) {
            index.m_values.try_emplace(LowerAsciiCopy(name), value);
        }
    });
    return index;
}

std::string_view IniIndex::Find(std::string_view name) const {
    auto found = m_values.find(LowerAsciiCopy(name));
    return found == m_values.end() ? std::string_view() : found->second;
}

std::string DataFileElementName(std::string_view path) {
    std::string name = DataFileListName(path);
    for (char& c : name) {
        c = LowerAsciiByte(c);
        bool kept = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
        if (!kept) {
            c = '_';
        }
    }
    if (name.empty() || (name.front() >= '0' && name.front() <= '9') || name.front() == '-') {
        name.insert(0, "_");
    }
    return name;
}

std::string DataFileListName(std::string_view path) {
    return std::filesystem::path(path).stem().string();
}

} // namespace pellaquin
