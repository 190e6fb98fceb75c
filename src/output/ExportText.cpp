#include "output/ExportText.h"

#include "records/ByteText.h"
#include "search/CleanText.h"

namespace pellaquin {

namespace {

// Spaces and tabs, the blanks a line-based reader trims.
constexpr std::string_view BLANKS = " \t";

// `text` on one line: its line ends made spaces, trimmed of blanks.
std::string_view OneLine(std::string_view text, std::string& scratch) {
    if (text.find_first_of("\r\n") != std::string_view::npos) {
        scratch.assign(text);
        ReplaceChar(scratch, '\r', ' ');
        ReplaceChar(scratch, '\n', ' ');
        text = scratch;
    }
    std::size_t first = text.find_first_not_of(BLANKS);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(BLANKS) - first + 1);
}

} // namespace

void AppendXmlEscaped(std::string& out, std::string_view text, XmlPlace place) {
    std::string_view special = place == XmlPlace::ATTRIBUTE ? "&<>\"\t\n\r" : "&<>\"\r";
    for (;;) {
        std::size_t found = text.find_first_of(special);
        out.append(text.substr(0, found));
        if (found == std::string_view::npos) {
            return;
        }
        switch (text[found]) {
        case '&':
            out.append("&amp;");
            break;
        case '<':
            out.append("&lt;");
            break;
        case '>':
            out.append("&gt;");
            break;
        case '"':
            out.append("&quot;");
            break;
        case '\t':
            out.append("&#9;");
            break;
        case '\n':
            out.append("&#10;");
            break;
        default:
            out.append("&#13;");
        }
        text.remove_prefix(found + 1);
    }
}

void AppendAttractField(std::string& out, std::string_view text) {
    std::string scratch;
    text = OneLine(text, scratch);
    if (text.find(';') == std::string_view::npos && !text.starts_with('"')) {
        out.append(text);
        return;
    }
    out.push_back('"');
    for (char c : text) {
        if (c == '"') {
            out.push_back('\\');
        }
        out.push_back(c);
    }
    // A backslash right before the closing quote would escape it; the reader trims the blank.
    if (text.ends_with('\\')) {
        out.push_back(' ');
    }
    out.push_back('"');
}

void AppendCsvField(std::string& out, std::string_view text, std::string_view delimiter) {
    bool quoted = text.find_first_of("\"\r\n") != std::string_view::npos ||
                  (!delimiter.empty() && text.find(delimiter) != std::string_view::npos);
    if (!quoted) {
        out.append(text);
        return;
    }
    out.push_back('"');
    for (char c : text) {
        if (c == '"') {
            out.push_back('"');
        }
        out.push_back(c);
    }
    out.push_back('"');
}

void AppendLineValue(std::string& out, std::string_view text) {
    std::string scratch;
    out.append(OneLine(text, scratch));
}

std::string MameFolderTitle(std::string_view title) {
    std::string line;
    AppendLineValue(line, title);
    ReplaceChar(line, ']', ')');
    return line;
}

bool CleanExportOptions(ExportOptions& options) {
    bool replaced = false;
    for (std::string* text : {&options.romFolder, &options.romExtension, &options.emulator, &options.corePath,
                              &options.coreName, &options.collection, &options.launch, &options.datName,
                              &options.fields, &options.tableDelimiter, &options.folderTitle}) {
        if (!IsCleanText(*text)) {
            std::string clean;
            AppendCleanText(clean, *text);
            *text = std::move(clean);
            replaced = true;
        }
    }
    return replaced;
}

std::string RomPath(const ExportOptions& options, std::string_view name) {
    const std::string& folder = options.romFolder;
    std::string path = folder.empty() ? "." : folder;
    if (!path.ends_with('/') && !path.ends_with('\\')) {
        bool backslashes = folder.find('\\') != std::string::npos && folder.find('/') == std::string::npos;
        path.push_back(backslashes ? '\\' : '/');
    }
    path.append(name);
    if (!options.romExtension.empty() && !options.romExtension.starts_with('.')) {
        path.push_back('.');
    }
    path.append(options.romExtension);
    return path;
}

} // namespace pellaquin
