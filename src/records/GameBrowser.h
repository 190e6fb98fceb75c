#pragma once

#include "records/InputFile.h"
#include "records/RecordReader.h"

#include <string>
#include <string_view>

namespace pellaquin {

// Paging through the input file one game at a time, remembering where the last 200 games shown
// start, and the description search. It reads; the window shows what it read.
class GameBrowser {
public:
    static constexpr int LAST_INDEX = RecordReader::POSITION_COUNT - 1;

    enum class SearchOutcome { NO_TEXT, FOUND, NOT_FOUND };

    // Browses `input`, which must stay open and recognised while the browser reads it.
    explicit GameBrowser(InputFile& input) : m_input(input) {}

    // Back to before the first game: the next NextGame reads it.
    void Restart() { m_reader.m_currentIndex = -1; }

    // "Next": moves to the next entry and reads the game from where reading stopped. True when a whole
    // game was read into CurrentRecord; at the end of the file the record stays, though the entry
    // moved on. At the last entry nothing moves.
    bool NextGame();
    // "Prev": moves back an entry and reads its game again, keeping CurrentRecord when that fails. False at
    // the first entry.
    bool PreviousGame();
    // "Input file": reads the current entry's game again into CurrentRecord, whatever that gives.
    void RereadCurrentGame();
    // Reads on to the next game whose description begins with `text` (A-Z case ignored) and makes it the
    // next entry; a text other than the last one searches from the top of the file. At the last entry the
    // game is found without being remembered.
    SearchOutcome SearchDescription(const std::string& text);

    // The game read last, its whole record.
    const std::string& CurrentRecord() const { return m_currentRecord; }
    // The text of the last description search, empty before the first.
    const std::string& DescriptionSearchText() const { return m_searchText; }
    bool CanGoBack() const { return m_reader.m_currentIndex > 0; }
    bool CanGoForward() const { return m_reader.m_currentIndex < LAST_INDEX; }

private:
    InputFile& m_input;
    RecordReader m_reader;
    std::string m_currentRecord;
    std::string m_searchText;
};

// A record as the view shows it: the tabs at its start removed, every line break followed by a tab
// made a CR LF in the tab's place, white space at both ends removed.
std::string GameRecordForView(std::string_view record);

} // namespace pellaquin
