#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>

#include <QDialog>

#include "output/ListRequest.h"
#include "records/GameBrowser.h"
#include "records/InputFile.h"
#include "search/InputValues.h"
#include "search/WizardCommand.h"
#include "settings/StoredSettings.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace pellaquin {

class ResultView;

// The main window: the Quick-find Wizard, the command line, the output choices, the view of one game
// or of the last result, and "Go!". Closing it ends the program.
class CPellaquinDlg : public QDialog {
    Q_OBJECT
public:
    // Control ids, as the dialog is known by them; each control carries its id as its object name.
    enum ControlId {
        ID_GO = 1,
        ID_QUIT = 2,
        ID_VIEW = 1000,
        ID_PREV = 1001,
        ID_NEXT = 1002,
        ID_BUTTONS = 1003,
        ID_HORIZONTAL = 1004,
        ID_VERTICAL = 1005,
        ID_COCKTAIL = 1006,
        ID_UPRIGHT = 1007,
        ID_OR_LESS = 1008,
        ID_JOY4WAY = 1009,
        ID_JOY8WAY = 1010,
        ID_DIAL = 1011,
        ID_TRACKBALL = 1012,
        ID_NO_CLONES = 1013,
        ID_NO_SAMPLES = 1014,
        ID_PLAYABLE = 1015,
        ID_JOY2WAY = 1016,
        ID_PEDAL = 1017,
        ID_WINDOW = 1021,
        ID_CATEGORY = 1022,
        ID_NOT = 1023,
        ID_SEARCH = 1030,
        ID_FILE = 1031,
        ID_VIEW_LABEL = 1032,
        ID_COMMAND_LABEL = 1047,
        ID_INPUT_FILE_VIEW = 1048,
        ID_SEARCH_RESULTS_VIEW = 1049,
        ID_VIEW_GROUP = 1050,
        ID_SETTINGS = 1052,
        ID_XML = 1400,
        ID_CSV = 1401,
        ID_BATCH = 1402,
        ID_NAMES = 1403,
        ID_MALA = 1404,
        ID_DESCRIPTIONS = 1405,
        ID_ATOMIC_FE = 1406,
        // The lists for today's front-ends and ROM managers.
        ID_ATTRACT = 1410,
        ID_EMULATIONSTATION = 1411,
        ID_RETROARCH = 1412,
        ID_PEGASUS = 1413,
        ID_DAT = 1414,
        ID_TABLE = 1415,
        ID_MAME_INI = 1416,
        ID_COMMAND_LINE = 1800,
        // Today's data, for listings of machines and merged files.
        ID_WORKING = 1101,
        ID_NO_MECHANICAL = 1102,
        ID_NO_BIOS_DEVICES = 1103,
        ID_HAS_SCREEN = 1104,
        ID_NO_CHD = 1105,
        ID_NO_SOFTWARE_LIST = 1106,
        ID_PLAYERS = 1107,
        ID_SIMULTANEOUS = 1108,
        ID_BEST_GAMES = 1109,
        ID_LEAVE_OUT = 1110,
        ID_LEFT_OUT = 1111,
        // The steps after the search.
        ID_AVAILABLE = 1120,
        ID_ONE_PER_TITLE = 1121,
        ID_PREFER = 1122,
        ID_ADDED_SINCE = 1123,
        ID_ADDED_BEFORE = 1124,
    };

    CPellaquinDlg();
    ~CPellaquinDlg() override;

    // Set by start-up before the window opens: the input file path and whether this is a first run.
    std::string m_inputPath;
    bool m_firstRun = false;

    // Opens the input file (or, on a first run, the settings window first) and sets the wizard's and
    // the output choices' defaults. Returns true, as the window's set-up always succeeds.
    bool OnInitDialog();

    // "Go!": runs the list of the chosen output type and shows, saves or writes it.
    void RunSearch();
    // The handler of the output-type buttons 1400 to 1405 and 1410 to 1416.
    void SelectOutputType(int id);
    // Asks for a file and appends `text` to it, or for a front-end's list replaces the file once the user agrees;
    // says so, naming the file, when that fails.
    void SaveResultText(const std::string& text);
    // Shows the result text of the last run, with its match count.
    void ShowSearchResults();
    // Enables or disables the wizard's controls 1003 to 1017 as a block.
    void EnableWizardControls(bool enable);
    // Rebuilds the search command from every wizard control and puts it in the command line.
    void ComposeWizardCommand();
    // "Settings and Tools": runs the settings window, then reopens the input file it hands back.
    void OpenSettingsAndTools();
    // Opens the input file path, settles its format and shows its first game.
    void OpenInputFile();
    // The cancel command: closes the input file and the window.
    void CloseMainWindow();

    // Browsing the input file one game at a time, and the description search.
    void ShowNextGame();
    void ShowPreviousGame();
    void ShowInputFileView();
    void SearchDescription();
    void ShowGameRecord(const std::string& record);

protected:
    void reject() override;
    // Escape does not end the program, whose result would be lost; the window's close button does.
    void keyPressEvent(QKeyEvent* event) override;
    // A file dropped on the window becomes the input file, as if chosen in the settings window.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The view's caption while no list has been made from the open file.
    static constexpr const char* OPENING_VIEW_LABEL =
        "Example ROM description:  You can search on anything shown in here.";

    void BuildControls();
    QWidget* BuildWizard();
    QWidget* BuildTodaysData();
    QWidget* BuildOutputChoices();
    void ConnectWizard();
    // Enables the choices on today's data and the set steps that the open file can answer.
    void EnableTodaysData(bool enable);
    // "Leave out...": chooses the categories to leave out among those of the open file.
    void ChooseLeftOutCategories();
    // The folders "Only sets I have" looks in and the export options, as the settings store holds them.
    void TakeStoredChoices(const std::optional<StoredSettings>& stored);
    // The size and place the window had when it was last closed, or a size that fits the screen.
    void RestoreGeometry(const std::optional<StoredSettings>& stored);
    void SaveGeometry();
    WizardState ReadWizardState() const;
    ListType SelectedListType() const;
    // The export type's options dialog; OK keeps its options for this run and in the settings store.
    void ChooseExportOptions(ListType type);
    // The list the window's controls ask for, with the command last read from the command line.
    ListRequest CurrentRequest() const;
    void SetCommandLabel(const char* text);
    void SetGoEnabled(bool enabled);
    void SetBrowsingEnabled(bool enabled);
    void UpdateBrowseButtons();
    int SelectedIndex(const QComboBox& box) const;
    QAbstractButton* Button(int id) const;
    void RunMalaList(const ListRequest& request);

    // Owned state of the window.
    InputFile m_inputFile;
    bool m_inputOpen = false;
    std::string m_headerText;
    std::string m_batchTemplate;
    std::string m_fieldSeparator;
    GameBrowser m_browser{m_inputFile};
    std::string m_searchCommand;
    // The list of the last run and the games in it, shown again by "Search Results".
    std::shared_ptr<const std::string> m_resultText = std::make_shared<const std::string>();
    std::int32_t m_matchCount = 0;
    std::int32_t m_leftOutCount = 0;
    bool m_orLess = true;
    bool m_wizardEnabled = true;
    InputValues m_inputValues;
    std::vector<std::string> m_leftOutCategories;
    std::vector<std::string> m_availableFolders;
    MalaListSettings m_malaSettings;
    ExportOptions m_exportOptions;
    // The type of the last list made, whose file types and name the save dialog offers.
    ListType m_savedType = ListType::DESCRIPTIONS;

    // Controls.
    QPushButton* m_go = nullptr;
    ResultView* m_view = nullptr;
    QLabel* m_viewLabel = nullptr;
    QPushButton* m_prev = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_search = nullptr;
    QButtonGroup* m_outputTypes = nullptr;
    QCheckBox* m_window = nullptr;
    QCheckBox* m_file = nullptr;
    QGroupBox* m_viewGroup = nullptr;
    QRadioButton* m_inputFileView = nullptr;
    QRadioButton* m_searchResultsView = nullptr;
    QLabel* m_commandLabel = nullptr;
    QLineEdit* m_commandLine = nullptr;
    QComboBox* m_buttons = nullptr;
    QComboBox* m_category = nullptr;
    QComboBox* m_working = nullptr;
    QComboBox* m_players = nullptr;
    QComboBox* m_bestGames = nullptr;
    QLabel* m_leftOut = nullptr;
    QLineEdit* m_prefer = nullptr;
    QLineEdit* m_addedSince = nullptr;
    QLineEdit* m_addedBefore = nullptr;
};

} // namespace pellaquin
