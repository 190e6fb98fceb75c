#include "records/GameBrowser.h"

#include "records/ByteText.h"
#include "records/TagVocabulary.h"

namespace pellaquin {

bool GameBrowser::NextGame() {
    int& index = m_reader.m_currentIndex;
    if (index >= LAST_INDEX) {
        return false;
    }
    ++index;
    std::string record;
    if (!m_reader.ReadGameRecord(m_input, record, m_input.GameStartTag())) {
        return false;
    }
    m_currentRecord = std::move(record);
    m_reader.m_positions[index] = m_reader.m_lastStartPosition;
    return true;
}

bool GameBrowser::PreviousGame() {
    int& index = m_reader.m_currentIndex;
    if (index <= 0) {
        return false;
    }
    --index;
    std::string record;
    if (!m_reader.RereadGameRecord(m_input, record, m_input.GameStartTag())) {
        return false;
    }
    m_currentRecord = std::move(record);
    m_reader.m_positions[index] = m_reader.m_lastStartPosition;
    return true;
}

void GameBrowser::RereadCurrentGame() {
    m_reader.RereadGameRecord(m_input, m_currentRecord, m_input.GameStartTag());
}

GameBrowser::SearchOutcome GameBrowser::SearchDescription(const std::string& text) {
    if (text.empty()) {
        return SearchOutcome::NO_TEXT;
    }
    // A new text searches from the top; the same text again goes on from the last game read.
    if (text != m_searchText) {
        RewindInput(m_input);
    }
    m_searchText = text;
    // Case is ignored, as the search language ignores it.
    std::string key = LowerAsciiCopy(std::string(TagVocabulary::DescriptionTag(m_input.Format())) + text);

    // Games are read whole, so the game that holds the description is the one remembered, and "Prev"
    // or "Input file" show that same game again.
    std::string game;
    std::string lowered;
    for (;;) {
        m_reader.ReadGameRecord(m_input, game, m_input.GameStartTag());
        if (game.empty()) {
            return SearchOutcome::NOT_FOUND;
        }
        LowerAsciiCopy(game, lowered);
        if (lowered.find(key) == std::string::npos) {
            continue;
        }
        m_currentRecord = std::move(game);
        if (m_reader.m_currentIndex < LAST_INDEX) {
            ++m_reader.m_currentIndex;
            m_reader.m_positions[m_reader.m_currentIndex] = m_reader.m_lastStartPosition;
        }
        return SearchOutcome::FOUND;
    }
}

std::string GameRecordForView(std::string_view record) {
    std::string text(record);
    StripLeading(text, "\t");
    ReplaceAll(text, "\n\t", "\r\n");
    TrimWhiteSpace(text);
    return text;
}

} // namespace pellaquin
