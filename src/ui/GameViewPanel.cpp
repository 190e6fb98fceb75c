#include "ui/GameViewPanel.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "records/InputFile.h"
#include "ui/CSearchDlg.h"
#include "ui/DialogParts.h"
#include "ui/MessageBoxes.h"
#include "ui/ModalSeam.h"
#include "ui/ResultView.h"

namespace pellaquin {

namespace {

// The view's caption while no list has been made from the open file.
const QString OPENING_LABEL = QStringLiteral("Example ROM description:  You can search on anything shown in here.");
const QString NO_INPUT = QStringLiteral("No input file is open: choose one in Settings and Tools");

} // namespace

GameViewPanel::GameViewPanel(InputFile& input, QWidget* parent) : QWidget(parent), m_input(input), m_browser(input) {
    BuildControls();
    connect(m_next, &QPushButton::clicked, this, &GameViewPanel::ShowNextGame);
    connect(m_prev, &QPushButton::clicked, this, &GameViewPanel::ShowPreviousGame);
    connect(m_search, &QPushButton::clicked, this, &GameViewPanel::SearchDescription);
    connect(m_inputFileView, &QRadioButton::clicked, this, &GameViewPanel::ShowInputFileView);
    connect(m_searchResultsView, &QRadioButton::clicked, this, &GameViewPanel::ShowSearchResults);
    SetBrowsingEnabled(false);
}

void GameViewPanel::BuildControls() {
    m_label = MakeStaticText(this, OPENING_LABEL.toStdString(), ID_VIEW_LABEL);
    m_view = new ResultView(this);
    m_view->setObjectName(QString::number(ID_VIEW));
    m_prev = MakeButton(this, ID_PREV, "Prev");
    m_search = MakeButton(this, ID_SEARCH, "Search");
    m_next = MakeButton(this, ID_NEXT, "Next");
    m_inputFileView = MakeRadioButton(this, ID_INPUT_FILE_VIEW, "Input file");
    m_searchResultsView = MakeRadioButton(this, ID_SEARCH_RESULTS_VIEW, "Search Results");
    auto* viewChoices = new QVBoxLayout;
    viewChoices->addWidget(m_inputFileView);
    viewChoices->addWidget(m_searchResultsView);
    m_viewGroup = MakeGroup(this, "View", viewChoices);
    m_viewGroup->setObjectName(QString::number(ID_VIEW_GROUP));
    // Hidden until the first list is made, and keeping its room meanwhile, so the window does not grow then.
    QSizePolicy keepsRoom = m_viewGroup->sizePolicy();
    keepsRoom.setRetainSizeWhenHidden(true);
    m_viewGroup->setSizePolicy(keepsRoom);
    m_viewGroup->hide();

    SetHelp(*m_view, QStringLiteral("One game of the input file, or the list the last Go! made"));
    SetHelp(*m_prev, QStringLiteral("The game before"));
    SetHelp(*m_search, QStringLiteral("Find the next game whose description begins with a text"));
    SetHelp(*m_next, QStringLiteral("The next game"));
    SetHelp(*m_inputFileView, QStringLiteral("Show the game of the input file"));
    SetHelp(*m_searchResultsView, QStringLiteral("Show the list the last Go! made"));

    auto* browse = new QVBoxLayout;
    browse->addWidget(m_prev);
    browse->addWidget(m_search);
    browse->addWidget(m_next);
    browse->addStretch();
    browse->addWidget(m_viewGroup);
    auto* row = new QHBoxLayout;
    row->addWidget(m_view, 1);
    row->addLayout(browse);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(m_label);
    column->addLayout(row, 1);
}

void GameViewPanel::SetBrowsingEnabled(bool enabled) {
    // Without an open input file there is nothing to page through or search.
    for (QWidget* control : {static_cast<QWidget*>(m_prev), static_cast<QWidget*>(m_next),
                             static_cast<QWidget*>(m_search), static_cast<QWidget*>(m_inputFileView)}) {
        EnableWithReason(*control, enabled, NO_INPUT);
    }
}

void GameViewPanel::UpdateBrowseButtons() {
    EnableWithReason(*m_prev, m_browser.CanGoBack(), QStringLiteral("This is the first game shown"));
    EnableWithReason(*m_next, m_browser.CanGoForward(),
                     QStringLiteral("Browsing keeps the last 200 games: search for a game further on"));
}

void GameViewPanel::ShowInput(bool open) {
    m_inputOpen = open;
    m_resultText = std::make_shared<const std::string>();
    m_resultLabel.clear();
    m_label->setText(OPENING_LABEL);
    m_viewGroup->hide();
    m_view->SetText(std::string());
    SetBrowsingEnabled(open);
    if (open) {
        m_browser.Restart();
        ShowNextGame();
    }
}

void GameViewPanel::TakeResults(std::shared_ptr<const std::string> text, const QString& label) {
    m_resultText = std::move(text);
    m_resultLabel = label;
}

void GameViewPanel::OfferResults() {
    m_searchResultsView->setChecked(true);
    m_inputFileView->setChecked(false);
    m_viewGroup->show();
}

void GameViewPanel::ShowSearchResults() {
    m_view->SetText(m_resultText);
    EnableWithReason(*m_prev, false, QStringLiteral("Choose \"Input file\" to browse the games"));
    EnableWithReason(*m_next, false, QStringLiteral("Choose \"Input file\" to browse the games"));
    m_label->setText(m_resultLabel);
    m_inputFileView->setChecked(false);
    m_searchResultsView->setChecked(true);
}

void GameViewPanel::ShowGameRecord(const std::string& record) {
    if (record.size() <= MOST_SHOWN) {
        m_view->SetText(GameRecordForView(record));
        return;
    }
    // A record of hundreds of megabytes is shown by its start: the view needs no more to be searched on.
    m_view->SetText(GameRecordForView(std::string_view(record).substr(0, MOST_SHOWN)) +
                    "\r\n\r\n[This game's record runs to " + std::to_string(record.size()) + " bytes; the first " +
                    std::to_string(MOST_SHOWN) + " are shown.]");
}

void GameViewPanel::ShowNextGame() {
    if (!m_inputOpen) {
        return;
    }
    if (m_browser.NextGame()) {
        ShowGameRecord(m_browser.CurrentRecord());
    }
    UpdateBrowseButtons();
}

void GameViewPanel::ShowPreviousGame() {
    if (!m_inputOpen) {
        return;
    }
    if (m_browser.PreviousGame()) {
        ShowGameRecord(m_browser.CurrentRecord());
    }
    // "Next" keeps its state: at the last entry it stays off.
    EnableWithReason(*m_prev, m_browser.CanGoBack(), QStringLiteral("This is the first game shown"));
}

void GameViewPanel::ShowInputFileView() {
    if (!m_inputOpen) {
        return;
    }
    m_browser.RereadCurrentGame();
    ShowGameRecord(m_browser.CurrentRecord());
    m_label->setText(QStringLiteral("Example ROM description:  You can search on anything listed in here."));
    UpdateBrowseButtons();
    m_inputFileView->setChecked(true);
    m_searchResultsView->setChecked(false);
}

void GameViewPanel::SearchDescription() {
    if (!m_inputOpen) {
        return;
    }
    CSearchDlg search(this);
    search.SetSearchText(m_browser.DescriptionSearchText());
    RunModal(search);
    switch (m_browser.SearchDescription(search.SearchText())) {
    case GameBrowser::SearchOutcome::FOUND:
        ShowGameRecord(m_browser.CurrentRecord());
        UpdateBrowseButtons();
        break;
    case GameBrowser::SearchOutcome::NOT_FOUND:
        ShowMessage(this, "No matches found");
        break;
    case GameBrowser::SearchOutcome::NO_TEXT:
        break;
    }
}

} // namespace pellaquin
