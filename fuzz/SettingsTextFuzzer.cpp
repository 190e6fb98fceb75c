// Random settings texts through the reader: nothing may crash, a text read and written again reads
// back the same, and any value or list written reads back exactly.

#include "FuzzSupport.h"

#include "records/ByteText.h"
#include "settings/LegacyStoreImport.h"
#include "settings/SettingsText.h"

#include <cstdint>
#include <string>
#include <vector>

// The first line is a value, which is also cut at its "|" into a list; the rest is the settings text,
// and the store file of earlier versions too.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pellaquin;
    std::string_view text = fuzz::AsText(data, size);
    std::string value(fuzz::TakeLine(text));

    std::string cause;
    if (DecodeSettingsValue(EncodeSettingsValue(value), cause) != value) {
        fuzz::Fail("a value does not read back");
    }
    std::vector<std::string> list;
    for (std::size_t start = 0;;) {
        std::size_t bar = value.find('|', start);
        list.push_back(value.substr(start, bar - start));
        if (bar == std::string::npos) {
            break;
        }
        start = bar + 1;
    }
    if (DecodeSettingsList(EncodeSettingsList(list), cause) != list) {
        fuzz::Fail("a list does not read back");
    }

    ReadLegacyStoreValues(text);
    SettingsProblem problem;
    std::optional<SettingsText> read = SettingsText::Parse(text, problem);
    if (!read) {
        return 0;
    }
    std::string written = read->Format();
    std::optional<SettingsText> again = SettingsText::Parse(written, problem);
    if (!again || again->Format() != written) {
        fuzz::Fail("a text written does not read back");
    }
    for (const SettingsEntry& entry : read->Entries()) {
        const SettingsEntry* kept = again->Find(entry.section, entry.key);
        if (kept == nullptr || kept->rawValue != read->Find(entry.section, entry.key)->rawValue) {
            fuzz::Fail("a key lost its value");
        }
    }
    return 0;
}
