#include "settings/SettingsText.h"

#include "records/ByteText.h"

#include <algorithm>

namespace pellaquin {

namespace {

constexpr char HEX_DIGITS[] = "0123456789abcdef";

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return LowerAsciiByte(x) == LowerAsciiByte(y); });
}

bool IsControl(char c) {
    auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7f;
}

int HexValue(char c) {
    c = LowerAsciiByte(c);
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

bool NeedsQuotes(std::string_view text) {
    return !text.empty() && (text.front() == '"' || IsWhiteSpace(text.front()) || IsWhiteSpace(text.back()) ||
                             std::any_of(text.begin(), text.end(), IsControl));
}

std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    for (char c : text) {
        switch (c) {
        case '\\':
        case '"':
            quoted += '\\';
            quoted += c;
            break;
        case '\n':
            quoted += "\\n";
            break;
        case '\r':
            quoted += "\\r";
            break;
        case '\t':
            quoted += "\\t";
            break;
        default:
            if (IsControl(c)) {
                auto byte = static_cast<unsigned char>(c);
                quoted += "\\x";
                quoted += HEX_DIGITS[byte >> 4];
                quoted += HEX_DIGITS[byte & 0xf];
            } else {
                quoted += c;
            }
        }
    }
    return quoted + '"';
}

// Reads the quoted text at the start of `text` (its opening quote first) and moves past its closing quote.
std::optional<std::string> TakeQuoted(std::string_view& text, std::string& cause) {
    std::string value;
    for (std::size_t i = 1; i < text.size(); ++i) {
        char c = text[i];
        if (c == '"') {
            text.remove_prefix(i + 1);
            return value;
        }
        if (c != '\\') {
            value += c;
            continue;
        }
        if (++i == text.size()) {
            break;
        }
        switch (text[i]) {
        case '\\':
        case '"':
            value += text[i];
            break;
        case 'n':
            value += '\n';
            break;
        case 'r':
            value += '\r';
            break;
        case 't':
            value += '\t';
            break;
        case 'x':
            if (i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
                value += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
                i += 2;
                break;
            }
            cause = "\\x is not followed by two hex digits";
            return std::nullopt;
        default:
            cause = std::string("unknown escape \\") + text[i];
            return std::nullopt;
        }
    }
    cause = "a quoted value has no closing quote";
    return std::nullopt;
}

} // namespace

std::optional<SettingsText> SettingsText::Parse(std::string_view bytes, SettingsProblem& problem) {
    SettingsText text;
    std::string section(GENERAL);
    std::size_t lineNumber = 0;
    while (!bytes.empty()) {
        ++lineNumber;
        std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (line.ends_with('\r') && end != std::string_view::npos) {
            line.remove_suffix(1);
        }
        auto fail = [&](std::string cause) {
            problem = {lineNumber, std::move(cause)};
            return std::nullopt;
        };
        if (line.find('\0') != std::string_view::npos) {
            return fail("it holds a NUL byte");
        }
        line = TrimWhiteSpace(line);
        if (line.empty() || line.front() == ';' || line.front() == '#') {
            continue;
        }
        if (line.front() == '[') {
            if (!line.ends_with(']')) {
                return fail("a section name has no closing \"]\"");
            }
            section = TrimWhiteSpace(line.substr(1, line.size() - 2));
            continue;
        }
        std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            return fail("it is neither a [section] nor a key=value line");
        }
        std::string_view key = TrimWhiteSpace(line.substr(0, equals));
        if (key.empty()) {
            return fail("it has no key before its \"=\"");
        }
        text.m_entries.push_back(
            {section, std::string(key), std::string(TrimWhiteSpace(line.substr(equals + 1))), lineNumber});
    }
    return text;
}

const SettingsEntry* SettingsText::Find(std::string_view section, std::string_view key) const {
    auto found = std::find_if(m_entries.rbegin(), m_entries.rend(), [&](const SettingsEntry& entry) {
        return EqualsIgnoringCase(entry.section, section) && EqualsIgnoringCase(entry.key, key);
    });
    return found == m_entries.rend() ? nullptr : &*found;
}

void SettingsText::Set(std::string_view section, std::string_view key, std::string rawValue) {
    auto same = [&](const SettingsEntry& entry) {
        return EqualsIgnoringCase(entry.section, section) && EqualsIgnoringCase(entry.key, key);
    };
    auto first = std::find_if(m_entries.begin(), m_entries.end(), same);
    if (first == m_entries.end()) {
        m_entries.push_back({std::string(section), std::string(key), std::move(rawValue)});
        return;
    }
    *first = {std::string(section), std::string(key), std::move(rawValue)};
    m_entries.erase(std::remove_if(first + 1, m_entries.end(), same), m_entries.end());
}

std::string SettingsText::Format() const {
    std::vector<std::string_view> sections;
    for (const SettingsEntry& entry : m_entries) {
        if (std::none_of(sections.begin(), sections.end(),
                         [&](std::string_view known) { return EqualsIgnoringCase(known, entry.section); })) {
            sections.push_back(entry.section);
        }
    }
    std::string bytes;
    for (std::string_view section : sections) {
        if (!bytes.empty()) {
            bytes += '\n';
        }
        bytes += "[" + std::string(section) + "]\n";
        for (const SettingsEntry& entry : m_entries) {
            if (EqualsIgnoringCase(entry.section, section)) {
                bytes += entry.key + "=" + entry.rawValue + "\n";
            }
        }
    }
    return bytes;
}

std::string EncodeSettingsValue(std::string_view text) {
    return NeedsQuotes(text) ? Quoted(text) : std::string(text);
}

std::optional<std::string> DecodeSettingsValue(std::string_view rawValue, std::string& cause) {
    if (!rawValue.starts_with('"')) {
        return std::string(rawValue);
    }
    std::optional<std::string> value = TakeQuoted(rawValue, cause);
    if (value && !TrimWhiteSpace(rawValue).empty()) {
        cause = "text follows a quoted value";
        return std::nullopt;
    }
    return value;
}

std::string EncodeSettingsList(const std::vector<std::string>& items) {
    std::string list;
    for (const std::string& item : items) {
        if (&item != &items.front()) {
            list += ',';
        }
        bool quoted = item.empty() || item.find(',') != std::string::npos || NeedsQuotes(item);
        list += quoted ? Quoted(item) : item;
    }
    return list;
}

std::optional<std::vector<std::string>> DecodeSettingsList(std::string_view rawValue, std::string& cause) {
    std::vector<std::string> items;
    rawValue = TrimWhiteSpace(rawValue);
    while (!rawValue.empty()) {
        if (rawValue.front() == '"') {
            std::optional<std::string> item = TakeQuoted(rawValue, cause);
            if (!item) {
                return std::nullopt;
            }
            items.push_back(std::move(*item));
            rawValue = TrimWhiteSpace(rawValue);
            if (!rawValue.empty() && rawValue.front() != ',') {
                cause = "text follows a quoted item before its \",\"";
                return std::nullopt;
            }
        } else {
            items.emplace_back(TrimWhiteSpace(rawValue.substr(0, rawValue.find(','))));
            rawValue.remove_prefix(std::min(rawValue.find(','), rawValue.size()));
        }
        if (!rawValue.empty()) {
            rawValue.remove_prefix(1); // the ","
            rawValue = TrimWhiteSpace(rawValue);
            if (rawValue.empty()) {
                items.emplace_back();
            }
        }
    }
    return items;
}

} // namespace pellaquin
