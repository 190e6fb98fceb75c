// Random column lists against random records: no crash or hang, one FieldExtractor asked for several
// lists at once gives each the line ExtractFields gives it alone, and the keys found
// together in one pass are found where a plain search finds them.

#include "FuzzSupport.h"

#include "search/FieldExtractor.h"
#include "search/KeyOccurrences.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace pellaquin {

namespace {

std::vector<std::string_view> SplitLists(std::string_view lists) {
    std::vector<std::string_view> split;
    for (;;) {
        std::size_t bar = lists.find('|');
        split.push_back(lists.substr(0, bar));
        if (bar == std::string_view::npos) {
            return split;
        }
        lists.remove_prefix(bar + 1);
    }
}

void CheckRecord(FieldExtractor& together, const std::vector<std::size_t>& numbers, std::string_view separator,
                 const std::vector<std::string_view>& lists, std::string_view record) {
    together.SetRecord(record);
    std::string alone;
    std::string joint;
    for (std::size_t i = 0; i < lists.size(); ++i) {
        bool aloneFound = ExtractFields(record, lists[i], separator, alone);
        bool jointFound = together.Extract(numbers[i], separator, joint);
        if (aloneFound != jointFound || alone != joint) {
            fuzz::Fail("several column lists at once differ from one at a time");
        }
        if (aloneFound == alone.empty()) {
            fuzz::Fail("the result does not tell whether the line is empty");
        }
    }
}

void CheckKeyOccurrences(const std::vector<std::vector<ParsedColumn>>& parsed, std::string_view record) {
    std::string lowered(record);
    for (char& c : lowered) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    KeyOccurrences occurrences;
    std::vector<std::pair<std::size_t, std::string_view>> keys;
    for (const std::vector<ParsedColumn>& columns : parsed) {
        for (const ParsedColumn& column : columns) {
            for (std::string_view key : {std::string_view(column.key), std::string_view(column.keyWithoutClose)}) {
                if (!key.empty()) {
                    keys.emplace_back(occurrences.Add(key), key);
                }
            }
        }
    }
    occurrences.Scan(lowered);
    for (const auto& [number, key] : keys) {
        for (std::size_t from = 0;; ++from) {
            std::size_t expected = lowered.find(key, from);
            std::size_t found = occurrences.FirstFrom(number, from);
            if (found != (expected == std::string::npos ? KeyOccurrences::NONE : expected)) {
                fuzz::Fail("a key found together differs from a plain search");
            }
            if (expected == std::string::npos) {
                break;
            }
            from = expected;
        }
    }
}

} // namespace

} // namespace pellaquin

// The first line holds column lists separated by "|", the second the field separator, the rest is
// the record; the record's second half is then read as a record of its own by the same extractor.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pellaquin;
    std::string_view record = fuzz::AsText(data, size);
    std::vector<std::string_view> lists = SplitLists(fuzz::TakeLine(record));
    std::string separator(fuzz::TakeLine(record));

    FieldExtractor together;
    std::vector<std::size_t> numbers;
    std::vector<std::vector<ParsedColumn>> parsed;
    for (std::string_view list : lists) {
        parsed.push_back(ParseColumnList(list));
        numbers.push_back(together.AddColumns(parsed.back()));
    }
    CheckKeyOccurrences(parsed, record);
    CheckRecord(together, numbers, separator, lists, record);
    CheckRecord(together, numbers, separator, lists, record.substr(record.size() / 2));
    return 0;
}
