#include "ui/CPellaquinDlg.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "records/ByteText.h"
#include "records/TagVocabulary.h"
#include "ui/CSearchDlg.h"
#include "ui/MessageBoxes.h"
#include "ui/ModalSeam.h"
#include "ui/QtText.h"
#include "ui/ResultView.h"

namespace pellaquin {

namespace {

constexpr int LAST_INDEX = RecordReader::POSITION_COUNT - 1;

} // namespace

void CPellaquinDlg::SetBrowsingEnabled(bool enabled) {
    // Without an open input file there is nothing to page through or search.
    for (QPushButton* button : {m_prev, m_next, m_search}) {
        button->setEnabled(enabled);
    }
    m_inputFileView->setEnabled(enabled);
}

void CPellaquinDlg::UpdateBrowseButtons() {
    m_prev->setEnabled(m_browseReader.m_currentIndex > 0);
    m_next->setEnabled(m_browseReader.m_currentIndex < LAST_INDEX);
}

void CPellaquinDlg::ShowGameRecord(const std::string& record) {
    std::string text = record;
    StripLeading(text, "\t");
    ReplaceAll(text, "\n\t", "\r\n");
    TrimWhiteSpace(text);
    m_view->SetText(std::move(text));
}

void CPellaquinDlg::ShowNextGame() {
    if (!m_inputOpen) {
        return;
    }
    int& index = m_browseReader.m_currentIndex;
    if (index < LAST_INDEX) {
        ++index;
        // At the end of the file the view keeps its game, though the index has moved on.
        if (m_browseReader.ReadGameRecord(m_inputFile, m_currentRecord, m_inputFile.GameStartTag())) {
            ShowGameRecord(m_currentRecord);
            m_browseReader.m_positions[index] = m_browseReader.m_lastStartPosition;
        }
    }
    UpdateBrowseButtons();
}

void CPellaquinDlg::ShowPreviousGame() {
    int& index = m_browseReader.m_currentIndex;
    if (!m_inputOpen || index <= 0) {
        return;
    }
    --index;
    if (m_browseReader.RereadGameRecord(m_inputFile, m_currentRecord, m_inputFile.GameStartTag())) {
        ShowGameRecord(m_currentRecord);
        m_browseReader.m_positions[index] = m_browseReader.m_lastStartPosition;
    }
    m_prev->setEnabled(index != 0);
}

void CPellaquinDlg::ShowInputFileView() {
    if (!m_inputOpen) {
        return;
    }
    m_browseReader.RereadGameRecord(m_inputFile, m_currentRecord, m_inputFile.GameStartTag());
    ShowGameRecord(m_currentRecord);
    m_viewLabel->setText(ToQString("Example ROM description:  You can search on anything listed in here."));
    UpdateBrowseButtons();
    m_inputFileView->setChecked(true);
    m_searchResultsView->setChecked(false);
}

void CPellaquinDlg::SearchDescription() {
    if (!m_inputOpen) {
        return;
    }
    CSearchDlg search(this);
    search.SetSearchText(m_descriptionSearchText);
    RunModal(search);
    const std::string& text = search.SearchText();
    if (text.empty()) {
        return;
    }
    // A new text searches from the top; the same text again goes on from the last game read.
    if (text != m_descriptionSearchText) {
        RewindInput(m_inputFile);
    }
    m_descriptionSearchText = text;
    std::string key = std::string(TagVocabulary::DescriptionTag(m_inputFile.Format())) + text;
    std::string_view startTag = m_inputFile.GameStartTag();

    // Games are read whole, so the game that holds the description is the one remembered, and
    // "Prev" or "Input file" show that same game again.
    std::string game;
    for (;;) {
        m_browseReader.ReadGameRecord(m_inputFile, game, startTag);
        if (game.empty()) {
            ShowMessage(this, "No matches found");
            return;
        }
        std::size_t found = game.find(key);
        if (found == std::string::npos) {
            continue;
        }
        std::size_t lineStart = game.rfind('\n', found);
        m_currentRecord = game.substr(lineStart == std::string::npos ? 0 : lineStart + 1);
        ShowGameRecord(m_currentRecord);
        // At the last entry the game is shown without being remembered.
        if (m_browseReader.m_currentIndex < LAST_INDEX) {
            ++m_browseReader.m_currentIndex;
            m_browseReader.m_positions[m_browseReader.m_currentIndex] = m_browseReader.m_lastStartPosition;
        }
        return;
    }
}

} // namespace pellaquin
