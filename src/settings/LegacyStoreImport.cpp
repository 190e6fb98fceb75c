#include "settings/LegacyStoreImport.h"

#include "records/ByteText.h"

#include <algorithm>

namespace pellaquin {

namespace {

constexpr std::string_view SECTION = "[hkey_current_user\\software\\pellaquin]";

int HexValue(char c) {
    c = LowerAsciiByte(c);
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// A quoted text at the start of `text`, its \\ and \" escapes undone; moves past it.
std::optional<std::string> TakeQuoted(std::string_view& text) {
    if (!text.starts_with('"')) {
        return std::nullopt;
    }
    std::string value;
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] == '"') {
            text.remove_prefix(i + 1);
            return value;
        }
        if (text[i] == '\\' && i + 1 < text.size()) {
            ++i;
        }
        value += text[i];
    }
    return std::nullopt;
}

// "61,62,00": the bytes up to the first NUL, which ends a stored text.
std::optional<std::string> HexText(std::string_view list) {
    std::string bytes;
    for (std::string_view item : SplitList(list, ',')) {
        item = TrimWhiteSpace(item);
        if (item.empty() || item.size() > 2 ||
            !std::all_of(item.begin(), item.end(), [](char c) { return HexValue(c) >= 0; })) {
            return std::nullopt;
        }
        bytes += static_cast<char>(item.size() == 1 ? HexValue(item[0]) : HexValue(item[0]) * 16 + HexValue(item[1]));
    }
    return bytes.substr(0, bytes.find('\0'));
}

std::vector<std::string> Lines(std::string_view bytes) {
    std::vector<std::string> lines;
    while (!bytes.empty()) {
        std::size_t end = bytes.find('\n');
        std::string line(bytes.substr(0, end));
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (line.ends_with('\r')) {
            line.pop_back();
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace

std::optional<std::vector<std::pair<std::string, std::string>>> ReadLegacyStoreValues(std::string_view bytes) {
    std::vector<std::string> lines = Lines(bytes);
    auto section = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
        return LowerAsciiCopy(TrimWhiteSpace(std::string_view(line))) == SECTION;
    });
    if (section == lines.end()) {
        return std::nullopt;
    }
    std::vector<std::pair<std::string, std::string>> values;
    for (auto line = section + 1; line != lines.end() && !TrimWhiteSpace(std::string_view(*line)).starts_with('[');
         ++line) {
        std::string_view text = TrimWhiteSpace(std::string_view(*line));
        if (text.empty() || text.starts_with(';')) {
            continue;
        }
        std::optional<std::string> name = TakeQuoted(text);
        if (!name || !text.starts_with('=')) {
            return std::nullopt;
        }
        text.remove_prefix(1);
        std::optional<std::string> value;
        if (text.starts_with('"')) {
            value = TakeQuoted(text);
        } else if (std::size_t colon = text.find(':'); text.starts_with("hex") && colon != std::string_view::npos) {
            // A long hex list goes on in the next lines, each but the last ending in a backslash.
            std::string list(text.substr(colon + 1));
            while (TrimWhiteSpace(std::string_view(list)).ends_with('\\') && line + 1 != lines.end()) {
                list.resize(list.rfind('\\'));
                list += *++line;
            }
            value = HexText(list);
        } else {
            // Numbers and the like were never among the texts kept.
            continue;
        }
        if (!value) {
            return std::nullopt;
        }
        values.emplace_back(std::move(*name), std::move(*value));
    }
    return values;
}

} // namespace pellaquin
