// Random search commands against random records: no crash or hang, the vector paths and the command
// taken apart once agree with their references, and the case of A to Z in the record never changes the answer.

#include "FuzzSupport.h"

#include "records/SubstringSearch.h"
#include "search/MatchGame.h"
#include "search/PreparedText.h"

#include <cstdint>
#include <string>

namespace pellaquin {

namespace {

std::string FlipAsciiCase(std::string_view text) {
    std::string flipped(text);
    for (char& c : flipped) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return flipped;
}

void CheckPreparation(std::string_view text) {
    std::string fast;
    std::string reference;
    PrepareText(text, fast);
    PrepareTextByteByByte(text, reference);
    if (fast != reference) {
        fuzz::Fail("PrepareText differs from its byte-by-byte reference");
    }
}

// Every blank-separated word of the command is searched for in the record from a few places.
void CheckSubstringSearch(std::string_view record, std::string_view command) {
    std::size_t wordStart = 0;
    while (wordStart <= command.size()) {
        std::size_t wordEnd = command.find(' ', wordStart);
        std::string_view word =
            command.substr(wordStart, wordEnd == std::string_view::npos ? wordEnd : wordEnd - wordStart);
        for (std::size_t from : {std::size_t{0}, word.size(), record.size() / 2, record.size(), record.size() + 1}) {
            if (FindSubstring(record, word, from) != record.find(word, from)) {
                fuzz::Fail("FindSubstring differs from std::string_view::find");
            }
        }
        if (wordEnd == std::string_view::npos) {
            break;
        }
        wordStart = wordEnd + 1;
    }
}

} // namespace

} // namespace pellaquin

// The first line is the search command, the rest the record.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pellaquin;
    std::string_view record = fuzz::AsText(data, size);
    std::string_view command = fuzz::TakeLine(record);
    CheckPreparation(record);
    CheckPreparation(command);
    CheckSubstringSearch(record, command);
    bool rejected = MatchGame(record, command);
    if (MatchGame(FlipAsciiCase(record), command) != rejected) {
        fuzz::Fail("the case of the record changed the answer");
    }
    if (MatchGameByRewriting(record, command) != rejected) {
        fuzz::Fail("the command taken apart once answers otherwise than rewriting it");
    }
    return 0;
}
