#include "search/InputValues.h"

#include "records/ByteText.h"
#include "search/WizardCommand.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <string_view>

#include <fcntl.h>
#include <unistd.h>

namespace pellaquin {

namespace {

constexpr std::array<std::string_view, 3> LISTING_TEXT_ELEMENTS = {"description", "year", "manufacturer"};
constexpr std::string_view CATEGORY = "category";

// Takes in one line: "<name>text</name>" after its indentation, with a CR at its end or not.
void TakeLine(std::string_view line, InputValues& values) {
    std::size_t open = line.find_first_not_of(" \t");
    if (open == std::string_view::npos || line[open] != '<') {
        return;
    }
    line.remove_prefix(open + 1);
    if (line.ends_with('\r')) {
        line.remove_suffix(1);
    }
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
    int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return values;
    }
    std::string buffer(1 << 20, '\0');
    std::size_t kept = 0;
    for (;;) {
        ssize_t count = ::read(descriptor, buffer.data() + kept, buffer.size() - kept);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        std::size_t filled = kept + static_cast<std::size_t>(count > 0 ? count : 0);
        std::string_view bytes(buffer.data(), filled);
        std::size_t lineStart = 0;
        for (const char* lineFeed = static_cast<const char*>(std::memchr(bytes.data(), '\n', bytes.size()));
             lineFeed != nullptr; lineFeed = static_cast<const char*>(
                                      std::memchr(bytes.data() + lineStart, '\n', bytes.size() - lineStart))) {
            std::size_t end = static_cast<std::size_t>(lineFeed - bytes.data());
            TakeLine(bytes.substr(lineStart, end - lineStart), values);
            lineStart = end + 1;
        }
        if (count <= 0) {
            TakeLine(bytes.substr(lineStart), values);
            break;
        }
        // A line longer than the buffer is no element of one value: it is passed over.
        kept = filled - lineStart < buffer.size() / 2 ? filled - lineStart : 0;
        std::memmove(buffer.data(), buffer.data() + filled - kept, kept);
    }
    ::close(descriptor);
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
