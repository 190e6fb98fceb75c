// Random data files read in every shape: no crash or hang; a set is found whatever the case of its
// letters; a value is one line, never empty, without white space at either end; and a file reads the
// same with CR LF line ends and with a byte-order mark before it.

#include "FuzzSupport.h"

#include "data/IniIndex.h"
#include "records/ByteText.h"

#include <cstdint>
#include <string>

namespace pellaquin {

namespace {

constexpr std::string_view BYTE_ORDER_MARK = "\xEF\xBB\xBF";

std::string Upper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper;
}

void CheckValue(const IniIndex& index, std::string_view name) {
    std::string_view value = index.Find(name);
    if (value != index.Find(Upper(name))) {
        fuzz::Fail("a set is found by the case of its letters");
    }
    if (!value.empty() &&
        (value.find('\n') != std::string_view::npos || IsWhiteSpace(value.front()) || IsWhiteSpace(value.back()))) {
        fuzz::Fail("a value is not one trimmed line");
    }
}

} // namespace

} // namespace pellaquin

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pellaquin;
    std::string_view text = fuzz::AsText(data, size);
    std::string downloaded = text.starts_with(BYTE_ORDER_MARK) ? "" : std::string(BYTE_ORDER_MARK);
    for (char c : text) {
        downloaded += c == '\n' ? std::string_view("\r\n") : std::string_view(&c, 1);
    }
    const IniIndex sets = IniIndex::ReadDataFile(text, "Working Arcade");
    const IniIndex downloadedSets = IniIndex::ReadDataFile(downloaded, "Working Arcade");
    const IniIndex versions = IniIndex::ReadSection(text, "VerAdded");
    if (sets.Size() != downloadedSets.Size()) {
        fuzz::Fail("CR LF or a byte-order mark changes how many sets a file gives");
    }
    // Every line and every text before an "=" may name a set.
    for (std::string_view rest = text; !rest.empty();) {
        std::string_view line = fuzz::TakeLine(rest);
        for (std::string_view name : {line, TrimWhiteSpace(line), TrimWhiteSpace(line.substr(0, line.find('=')))}) {
            CheckValue(sets, name);
            CheckValue(versions, name);
            if (sets.Find(name) != downloadedSets.Find(name)) {
                fuzz::Fail("CR LF or a byte-order mark changes a value");
            }
        }
    }
    return 0;
}
