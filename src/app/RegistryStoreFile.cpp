#include "app/RegistryStoreFile.h"

#include "platform/FileReplacement.h"
#include "records/ByteText.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pellaquin {

namespace {

constexpr std::string_view HEADER_LINE = "Windows Registry Editor Version 5.00";

enum class ReadStatus { OK, MISSING, UNREADABLE };

// The file's lines (line ends removed), grouped by the section they stand in.
struct Section {
    std::string headerLine;
    std::string name;
    std::vector<std::string> lines;
};

struct Document {
    std::vector<std::string> preamble; // between the header line and the first section
    std::vector<Section> sections;
};

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    c = LowerAsciiByte(c);
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanksLeft(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

std::string_view TrimBlanks(std::string_view text) {
    text = TrimBlanksLeft(text);
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool ConsumePrefix(std::string_view& text, std::string_view prefix) {
    if (!text.starts_with(prefix)) {
        return false;
    }
    text.remove_prefix(prefix.size());
    return true;
}

bool HoldsLineEnd(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

ReadStatus ReadStoreBytes(const std::filesystem::path& path, std::string& bytes) {
    int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return errno == ENOENT || errno == ENOTDIR ? ReadStatus::MISSING : ReadStatus::UNREADABLE;
    }
    struct stat status {};
    bool readable = ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode);
    char buffer[16384];
    while (readable) {
        ssize_t count = ::read(descriptor, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            readable = count == 0;
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
    ::close(descriptor);
    return readable ? ReadStatus::OK : ReadStatus::UNREADABLE;
}

// The store's folder is made on its first write.
bool ReplaceFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    if (!path.has_parent_path() || !path.has_filename()) {
        return false;
    }
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    if (error) {
        return false;
    }
    FileReplacement file(path.string());
    return file.Open() && file.Write(bytes) && file.Commit();
}

bool SaveBadCopy(const std::filesystem::path& path, std::string_view bytes) {
    std::filesystem::path copy = path;
    copy += ".bad";
    return ReplaceFileAtomically(copy, bytes);
}

std::vector<std::string> SplitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            continue;
        }
        if (bytes[i] == '\n') {
            lines.push_back(std::move(line));
            line.clear();
        } else {
            line.push_back(bytes[i]);
        }
    }
    if (!line.empty()) {
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string SectionName(std::string_view headerLine) {
    std::string_view name = TrimBlanks(headerLine.substr(1));
    if (name.ends_with(']')) {
        name.remove_suffix(1);
    }
    return std::string(name);
}

std::optional<Document> ParseDocument(std::string_view bytes) {
    std::vector<std::string> lines = SplitLines(bytes);
    if (lines.empty() || lines.front() != HEADER_LINE) {
        return std::nullopt;
    }
    Document document;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].starts_with('[')) {
            document.sections.push_back({lines[i], SectionName(lines[i]), {}});
        } else if (document.sections.empty()) {
            document.preamble.push_back(std::move(lines[i]));
        } else {
            document.sections.back().lines.push_back(std::move(lines[i]));
        }
    }
    return document;
}

// A CR that ends a line would be taken for half of its line end when read back, so it gets a CR LF
// line end of its own: a file that ended in a lone CR, or a line ending in CR CR LF, then reads the same.
void AppendLine(std::string& text, std::string_view line) {
    text += line;
    if (line.ends_with('\r')) {
        text += '\r';
    }
    text += '\n';
}

std::string FormatDocument(const Document& document) {
    std::string text;
    AppendLine(text, HEADER_LINE);
    for (const std::string& line : document.preamble) {
        AppendLine(text, line);
    }
    for (const Section& section : document.sections) {
        AppendLine(text, section.headerLine);
        for (const std::string& line : section.lines) {
            AppendLine(text, line);
        }
    }
    return text;
}

// The first section of the key wins; later ones of the same name are left as they are.
Section* FindSection(Document& document, std::string_view keyPath) {
    auto found = std::find_if(document.sections.begin(), document.sections.end(),
                              [&](const Section& section) { return EqualsIgnoringAsciiCase(section.name, keyPath); });
    return found == document.sections.end() ? nullptr : &*found;
}

// Reads a quoted text at the start of `text`, undoing the \\ and \" escapes, and moves past it.
std::optional<std::string> TakeQuoted(std::string_view& text) {
    if (!text.starts_with('"')) {
        return std::nullopt;
    }
    std::string unquoted;
    for (std::size_t i = 1; i < text.size(); ++i) {
        char c = text[i];
        if (c == '"') {
            text.remove_prefix(i + 1);
            return unquoted;
        }
        if (c == '\\') {
            if (i + 1 == text.size() || (text[i + 1] != '\\' && text[i + 1] != '"')) {
                return std::nullopt;
            }
            c = text[++i];
        }
        unquoted.push_back(c);
    }
    return std::nullopt;
}

std::optional<std::uint32_t> ParseHexNumber(std::string_view digits) {
    if (digits.empty() || digits.size() > 8) {
        return std::nullopt;
    }
    std::uint32_t number = 0;
    for (char c : digits) {
        int digit = HexDigitValue(c);
        if (digit < 0) {
            return std::nullopt;
        }
        number = number << 4 | static_cast<std::uint32_t>(digit);
    }
    return number;
}

// "01,2a, ff": bytes of one or two hex digits, separated by commas.
std::optional<std::string> ParseHexBytes(std::string_view list) {
    std::string bytes;
    list = TrimBlanks(list);
    while (!list.empty()) {
        std::size_t digits = 0;
        while (digits < list.size() && digits < 2 && HexDigitValue(list[digits]) >= 0) {
            ++digits;
        }
        std::optional<std::uint32_t> byte = ParseHexNumber(list.substr(0, digits));
        if (!byte) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<char>(*byte));
        list = TrimBlanksLeft(list.substr(digits));
        if (!list.empty() && (!ConsumePrefix(list, ",") || TrimBlanks(list).empty())) {
            return std::nullopt;
        }
        list = TrimBlanksLeft(list);
    }
    return bytes;
}

std::string LittleEndian(std::uint32_t number) {
    std::string bytes(4, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(number & 0xff);
        number >>= 8;
    }
    return bytes;
}

// Parses the value line at `index`; a hex list whose line ends in a backslash goes on in the next
// line, and `index` is left on the last line used.
std::optional<StoredValue> ParseValue(const std::vector<std::string>& lines, std::size_t& index) {
    std::string_view line = lines[index];
    StoredValue value;
    if (!ConsumePrefix(line, "@")) {
        std::optional<std::string> name = TakeQuoted(line);
        if (!name) {
            return std::nullopt;
        }
        value.name = std::move(*name);
    }
    line = TrimBlanksLeft(line);
    if (!ConsumePrefix(line, "=")) {
        return std::nullopt;
    }
    line = TrimBlanksLeft(line);
    if (line.starts_with('"')) {
        std::optional<std::string> text = TakeQuoted(line);
        if (!text || !TrimBlanks(line).empty()) {
            return std::nullopt;
        }
        value.type = REG_SZ;
        value.data = std::move(*text) + '\0';
        return value;
    }
    if (ConsumePrefix(line, "dword:")) {
        std::optional<std::uint32_t> number = ParseHexNumber(TrimBlanks(line));
        if (!number) {
            return std::nullopt;
        }
        value.type = REG_DWORD;
        value.data = LittleEndian(*number);
        return value;
    }
    if (ConsumePrefix(line, "hex:")) {
        value.type = REG_BINARY;
    } else if (ConsumePrefix(line, "hex(")) {
        std::size_t close = line.find("):");
        std::optional<std::uint32_t> type = ParseHexNumber(line.substr(0, close));
        if (close == std::string_view::npos || !type) {
            return std::nullopt;
        }
        value.type = *type;
        line.remove_prefix(close + 2);
    } else {
        return std::nullopt;
    }
    std::string list(line);
    while (TrimBlanks(list).ends_with('\\') && index + 1 < lines.size()) {
        list.resize(list.rfind('\\'));
        list += lines[++index];
    }
    std::optional<std::string> bytes = ParseHexBytes(list);
    if (!bytes) {
        return std::nullopt;
    }
    value.data = std::move(*bytes);
    return value;
}

// Blank lines and ";" comments are allowed between values; any other line that is not a value makes
// the whole key unreadable.
std::optional<std::vector<StoredValue>> ParseValues(const std::vector<std::string>& lines) {
    std::vector<StoredValue> values;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        std::string_view line = TrimBlanks(lines[index]);
        if (line.empty() || line.starts_with(';')) {
            continue;
        }
        std::optional<StoredValue> value = ParseValue(lines, index);
        if (!value) {
            return std::nullopt;
        }
        values.push_back(std::move(*value));
    }
    return values;
}

std::string QuoteText(std::string_view text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') {
            quoted += '\\';
        }
        quoted += c;
    }
    return quoted + '"';
}

std::string FormatHexBytes(std::string_view bytes) {
    static constexpr char DIGITS[] = "0123456789abcdef";
    std::string list;
    for (unsigned char byte : bytes) {
        if (!list.empty()) {
            list += ',';
        }
        list += DIGITS[byte >> 4];
        list += DIGITS[byte & 0xf];
    }
    return list;
}

// A text goes between quotes only when its data is the text and one NUL and the text holds no line
// end, which would split the line; any other text is written as hex(1) bytes, which keep every byte.
bool FitsInQuotes(std::string_view data) {
    return data.ends_with('\0') && data.find_first_of(std::string_view("\r\n\0", 3)) == data.size() - 1;
}

std::string FormatValue(const StoredValue& value) {
    std::string line = value.name.empty() ? "@" : QuoteText(value.name);
    line += '=';
    std::string_view data = value.data;
    if (value.type == REG_SZ && FitsInQuotes(data)) {
        line += QuoteText(data.substr(0, data.size() - 1));
    } else if (value.type == REG_DWORD && data.size() == 4) {
        std::uint32_t number = 0;
        for (std::size_t i = 4; i-- > 0;) {
            number = number << 8 | static_cast<unsigned char>(data[i]);
        }
        char digits[16];
        std::snprintf(digits, sizeof digits, "dword:%08x", number);
        line += digits;
    } else if (value.type == REG_BINARY) {
        line += "hex:" + FormatHexBytes(data);
    } else {
        char prefix[16];
        std::snprintf(prefix, sizeof prefix, "hex(%x):", value.type);
        line += prefix + FormatHexBytes(data);
    }
    return line;
}

// The store read for a change to one key, with the key's section in place and its values parsed.
struct KeyChange {
    Document document;
    std::size_t section = 0;
    std::vector<StoredValue> values;
    bool needsWrite = false;
};

// A missing file starts a new document. A malformed file, or a malformed section of the key, is
// copied to ".bad" first, because the change will overwrite it; when the file cannot be read or the
// copy cannot be made, nothing is changed at all.
std::optional<KeyChange> BeginKeyChange(const std::filesystem::path& path, std::string_view keyPath) {
    if (HoldsLineEnd(keyPath)) {
        return std::nullopt;
    }
    std::string bytes;
    ReadStatus status = ReadStoreBytes(path, bytes);
    if (status == ReadStatus::UNREADABLE) {
        return std::nullopt;
    }
    KeyChange change;
    if (status == ReadStatus::OK) {
        std::optional<Document> document = ParseDocument(bytes);
        if (!document && !SaveBadCopy(path, bytes)) {
            return std::nullopt;
        }
        change.document = std::move(document).value_or(Document{});
    }
    Section* section = FindSection(change.document, keyPath);
    if (section == nullptr) {
        std::vector<std::string>& before =
            change.document.sections.empty() ? change.document.preamble : change.document.sections.back().lines;
        if (before.empty() || !before.back().empty()) {
            before.emplace_back();
        }
        change.document.sections.push_back({"[" + std::string(keyPath) + "]", std::string(keyPath), {}});
        section = &change.document.sections.back();
        change.needsWrite = true;
    } else {
        std::optional<std::vector<StoredValue>> values = ParseValues(section->lines);
        if (!values && !SaveBadCopy(path, bytes)) {
            return std::nullopt;
        }
        change.needsWrite = !values;
        change.values = std::move(values).value_or(std::vector<StoredValue>{});
    }
    change.section = static_cast<std::size_t>(section - change.document.sections.data());
    return change;
}

bool CommitKeyChange(const std::filesystem::path& path, KeyChange& change) {
    std::vector<std::string>& lines = change.document.sections[change.section].lines;
    lines.clear();
    for (const StoredValue& value : change.values) {
        lines.push_back(FormatValue(value));
    }
    lines.emplace_back();
    return ReplaceFileAtomically(path, FormatDocument(change.document));
}

} // namespace

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return LowerAsciiByte(x) == LowerAsciiByte(y); });
}

RegistryStoreFile::RegistryStoreFile(std::filesystem::path path) : m_path(std::move(path)) {}

std::optional<std::vector<StoredValue>> RegistryStoreFile::ReadKey(std::string_view keyPath) const {
    std::string bytes;
    if (ReadStoreBytes(m_path, bytes) != ReadStatus::OK) {
        return std::nullopt;
    }
    std::optional<Document> document = ParseDocument(bytes);
    Section* section = document ? FindSection(*document, keyPath) : nullptr;
    if (section == nullptr) {
        return std::nullopt;
    }
    return ParseValues(section->lines);
}

std::optional<std::vector<StoredValue>> RegistryStoreFile::CreateKey(std::string_view keyPath) {
    std::optional<KeyChange> change = BeginKeyChange(m_path, keyPath);
    if (!change || (change->needsWrite && !CommitKeyChange(m_path, *change))) {
        return std::nullopt;
    }
    return std::move(change->values);
}

bool RegistryStoreFile::WriteValue(std::string_view keyPath, const StoredValue& value) {
    if (HoldsLineEnd(value.name)) {
        return false;
    }
    std::optional<KeyChange> change = BeginKeyChange(m_path, keyPath);
    if (!change) {
        return false;
    }
    std::vector<StoredValue>& values = change->values;
    auto sameName = [&](const StoredValue& stored) { return EqualsIgnoringAsciiCase(stored.name, value.name); };
    auto first = std::find_if(values.begin(), values.end(), sameName);
    if (first == values.end()) {
        values.push_back(value);
    } else {
        *first = value;
        values.erase(std::remove_if(first + 1, values.end(), sameName), values.end());
    }
    return CommitKeyChange(m_path, *change);
}

} // namespace pellaquin
