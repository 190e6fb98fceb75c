#include "search/InputValues.h"

#include "records/ByteText.h"
#include "records/InputFile.h"
#include "search/WizardCommand.h"

#include <array>
#include <string_view>

namespace pellaquin {

namespace {

constexpr std::array<std::string_view, 3> LISTING_TEXT_ELEMENTS = {"description", "year", "manufacturer"};
constexpr std::string_view CATEGORY = "category";
// No element of one value a merge writes comes near this.
constexpr std::size_t LONGEST_LINE = 1 << 16;

// Takes in one line: "<name>text</name>" after its indentation.
void TakeLine(std::string_view line, InputValues& values) {
    std::size_t open = line.find_first_not_of(" \t");
    if (open == std::string_view::npos || line[open] != '<') {
        return;
    }
    line.remove_prefix(open + 1);
    std::size_t nameEnd = line.find('>');
    if (nameEnd == 0 || nameEnd == std::string_view::npos || !line.ends_with('>')) {
        return;
    }
    std::string_view name = line.substr(0, nameEnd);
    if (name.find_first_of(" /=\"") != std::string_view::npos) {
        return;
    }
    std::string closing = "</" + std::string(name) + ">";
    if (!line.ends_with(closing) || line.size() < nameEnd + 1 + closing.size()) {
        return;
    }
    std::string_view text = line.substr(nameEnd + 1, line.size() - nameEnd - 1 - closing.size());
    if (text.find('<') != std::string_view::npos) {
        return;
    }
    for (std::string_view own : LISTING_TEXT_ELEMENTS) {
        if (name == own) {
            return;
        }
    }
    if (name == CATEGORY) {
        values.categories.emplace(text);
    } else {
        values.addedElements.emplace(name);
    }
}

} // namespace

InputValues ReadInputValues(const std::string& path) {
    InputValues values;
    InputFile input;
    if (input.Open(path) != InputFile::OpenResult::OK) {
        return values;
    }
    // A line comes in pieces; one longer than an element of one value could be is passed over whole.
    std::string line;
    bool tooLong = false;
    std::string_view piece;
    while (input.ReadPiece(piece)) {
        bool ends = piece.ends_with('\n');
        if (!tooLong) {
            line.append(piece.substr(0, piece.size() - (ends ? 1 : 0)));
            tooLong = line.size() > LONGEST_LINE;
        }
        if (ends) {
            if (!tooLong) {
                TakeLine(line, values);
            }
            line.clear();
            tooLong = false;
        }
    }
    if (!tooLong) {
        TakeLine(line, values);
    }
    return values;
}

std::vector<std::string> LeaveOutChoices(const std::set<std::string>& categories) {
    std::set<std::string> choices;
    bool mature = false;
    for (std::string category : categories) {
        std::size_t mark = category.find(MATURE_MARK);
        if (mark != std::string::npos) {
            mature = true;
            category.erase(mark, MATURE_MARK.size());
            TrimWhiteSpace(category);
        }
        if (category.empty()) {
            continue;
        }
        choices.insert(category.substr(0, category.find(" / ")));
        choices.insert(category);
    }
    std::vector<std::string> ordered;
    if (mature) {
        ordered.emplace_back(MATURE_MARK);
    }
    ordered.insert(ordered.end(), choices.begin(), choices.end());
    return ordered;
}

} // namespace pellaquin
