#include "ui/CPellaquinDlg.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "ui/CSearchDlg.h"
#include "ui/MessageBoxes.h"
#include "ui/ModalSeam.h"
#include "ui/QtText.h"
#include "ui/ResultView.h"

namespace pellaquin {

void CPellaquinDlg::SetBrowsingEnabled(bool enabled) {
    // Without an open input file there is nothing to page through or search.
    for (QPushButton* button : {m_prev, m_next, m_search}) {
        button->setEnabled(enabled);
    }
    m_inputFileView->setEnabled(enabled);
}

void CPellaquinDlg::UpdateBrowseButtons() {
    m_prev->setEnabled(m_browser.CanGoBack());
    m_next->setEnabled(m_browser.CanGoForward());
}

void CPellaquinDlg::ShowGameRecord(const std::string& record) {
    m_view->SetText(GameRecordForView(record));
}

void CPellaquinDlg::ShowNextGame() {
    if (!m_inputOpen) {
        return;
    }
    if (m_browser.NextGame()) {
        ShowGameRecord(m_browser.CurrentRecord());
    }
    UpdateBrowseButtons();
}

void CPellaquinDlg::ShowPreviousGame() {
    if (!m_inputOpen) {
        return;
    }
    if (m_browser.PreviousGame()) {
        ShowGameRecord(m_browser.CurrentRecord());
    }
    // "Next" keeps its state: at the last entry it stays off.
    m_prev->setEnabled(m_browser.CanGoBack());
}

void CPellaquinDlg::ShowInputFileView() {
    if (!m_inputOpen) {
        return;
    }
    m_browser.RereadCurrentGame();
    ShowGameRecord(m_browser.CurrentRecord());
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
    search.SetSearchText(m_browser.DescriptionSearchText());
    RunModal(search);
    switch (m_browser.SearchDescription(search.SearchText())) {
    case GameBrowser::SearchOutcome::FOUND:
        ShowGameRecord(m_browser.CurrentRecord());
        break;
    case GameBrowser::SearchOutcome::NOT_FOUND:
        ShowMessage(this, "No matches found");
        break;
    case GameBrowser::SearchOutcome::NO_TEXT:
        break;
    }
}

} // namespace pellaquin
