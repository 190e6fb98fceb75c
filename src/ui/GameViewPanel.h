#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include <QString>
#include <QWidget>

#include "records/GameBrowser.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace pellaquin {

class InputFile;
class ResultView;

// The view of one game of the input file or of the last list made, with its label, the browse buttons
// ("Prev", "Search", "Next") and the choice between the two ("Input file", "Search Results").
class GameViewPanel : public QWidget {
    Q_OBJECT
public:
    enum ControlId {
        ID_VIEW = 1000,
        ID_PREV = 1001,
        ID_NEXT = 1002,
        ID_SEARCH = 1030,
        ID_VIEW_LABEL = 1032,
        ID_INPUT_FILE_VIEW = 1048,
        ID_SEARCH_RESULTS_VIEW = 1049,
        ID_VIEW_GROUP = 1050,
    };

    // The most of a game record the view shows; a longer one is shown cut, with a note.
    static constexpr std::size_t MOST_SHOWN = 1 << 20;

    // Browses `input`, which must outlive the panel.
    explicit GameViewPanel(InputFile& input, QWidget* parent = nullptr);

    // A new input file was opened, or failed to open (`open` false): the list made from the file before and
    // its game are gone; an open file shows its first game.
    void ShowInput(bool open);
    // Keeps the list of a run and the label that counts it, for "Search Results".
    void TakeResults(std::shared_ptr<const std::string> text, const QString& label);
    // Shows the choice between the game and the list, the list chosen.
    void OfferResults();
    // Shows the list of the last run with its label.
    void ShowSearchResults();

private:
    void BuildControls();
    void ShowNextGame();
    void ShowPreviousGame();
    void ShowInputFileView();
    void SearchDescription();
    void ShowGameRecord(const std::string& record);
    void UpdateBrowseButtons();
    void SetBrowsingEnabled(bool enabled);

    InputFile& m_input;
    GameBrowser m_browser;
    bool m_inputOpen = false;
    std::shared_ptr<const std::string> m_resultText = std::make_shared<const std::string>();
    QString m_resultLabel;
    ResultView* m_view = nullptr;
    QLabel* m_label = nullptr;
    QPushButton* m_prev = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_search = nullptr;
    QGroupBox* m_viewGroup = nullptr;
    QRadioButton* m_inputFileView = nullptr;
    QRadioButton* m_searchResultsView = nullptr;
};

} // namespace pellaquin
