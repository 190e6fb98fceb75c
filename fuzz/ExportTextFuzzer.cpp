// Random texts through the exports' escaping: each format's reader must give the text back (as the
// format can hold it), and nothing written may be text a reader refuses.

#include "FuzzSupport.h"

#include "output/ExportText.h"
#include "search/CleanText.h"

#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>
#include <pugixml.hpp>

namespace pellaquin {

namespace {

void CheckXml(const std::string& text) {
    std::string document = "<a b=\"";
    AppendXmlEscaped(document, text, XmlPlace::ATTRIBUTE);
    document.append("\">");
    AppendXmlEscaped(document, text);
    document.append("</a>");
    if (!IsCleanText(document)) {
        fuzz::Fail("escaped XML is not clean text");
    }
    pugi::xml_document parsed;
    if (!parsed.load_buffer(document.data(), document.size(), pugi::parse_default | pugi::parse_ws_pcdata)) {
        fuzz::Fail("escaped XML does not parse");
    }
    if (parsed.child("a").attribute("b").value() != text || parsed.child("a").child_value() != text) {
        fuzz::Fail("XML gives another text back");
    }
}

void CheckJson(const std::string& text) {
    std::string dumped = nlohmann::json(text).dump(-1, ' ', false, nlohmann::json::error_handler_t::strict);
    if (nlohmann::json::parse(dumped).get<std::string>() != text) {
        fuzz::Fail("JSON gives another text back");
    }
}

// One RFC 4180 field that ends the text.
std::string ReadCsvField(std::string_view field) {
    if (!field.starts_with('"')) {
        return std::string(field);
    }
    std::string value;
    for (std::size_t at = 1; at + 1 < field.size(); ++at) {
        if (field[at] == '"') {
            if (field[at + 1] != '"') {
                fuzz::Fail("a lone quote inside a CSV field");
            }
            ++at;
        }
        value.push_back(field[at]);
    }
    return value;
}

void CheckCsv(const std::string& text) {
    std::string field;
    AppendCsvField(field, text, ";");
    if (!field.starts_with('"') && field.find_first_of(";\"\r\n") != std::string::npos) {
        fuzz::Fail("a CSV field that needs quotes has none");
    }
    if (ReadCsvField(field) != text) {
        fuzz::Fail("CSV gives another text back");
    }
}

// Attract-Mode's reader: blanks skipped, a quoted field to the next quote not after a backslash,
// "\"" made a quote, trailing blanks dropped.
void CheckAttract(const std::string& text) {
    std::string line;
    AppendAttractField(line, text);
    std::string expected = text;
    for (char& c : expected) {
        c = c == '\r' || c == '\n' ? ' ' : c;
    }
    expected.erase(0, std::min(expected.find_first_not_of(" \t"), expected.size()));
    expected.erase(std::min(expected.find_last_not_of(" \t") + 1, expected.size()));
    std::string read;
    if (line.starts_with('"')) {
        std::size_t close = 1;
        while (close < line.size() && (line[close] != '"' || line[close - 1] == '\\')) {
            ++close;
        }
        if (close != line.size() - 1) {
            fuzz::Fail("a quoted romlist field ends before its closing quote");
        }
        read = line.substr(1, close - 1);
        for (std::size_t quote = read.find("\\\""); quote != std::string::npos; quote = read.find("\\\"", quote)) {
            read.erase(quote, 1);
            ++quote;
        }
        read.erase(std::min(read.find_last_not_of(" \t") + 1, read.size()));
    } else {
        if (line.find(';') != std::string::npos) {
            fuzz::Fail("an unquoted romlist field holds a separator");
        }
        read = line;
    }
    if (read != expected) {
        fuzz::Fail("a romlist field gives another text back");
    }
}

} // namespace

} // namespace pellaquin

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pellaquin;
    std::string text;
    AppendCleanText(text, fuzz::AsText(data, size));
    if (!IsCleanText(text)) {
        fuzz::Fail("cleaned text is not clean");
    }
    CheckXml(text);
    CheckJson(text);
    CheckCsv(text);
    CheckAttract(text);
    std::string line;
    AppendLineValue(line, text);
    if (line.find_first_of("\r\n") != std::string::npos) {
        fuzz::Fail("a line value holds a line end");
    }
    return 0;
}
