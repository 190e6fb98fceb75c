#pragma once

#include <optional>
#include <string>

#include <QDialog>

#include "output/ListRequest.h"
#include "records/InputFile.h"
#include "settings/StoredSettings.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace pellaquin {

class GameViewPanel;
class OutputChoicesPanel;
class TodaysDataPanel;
class WizardPanel;

// The main window: the Quick-find Wizard and today's data, the command line, the output choices, the view of one
// game or of the last list, and "Go!". It owns the input file and wires its parts together. Closing it ends the
// program.
class CPellaquinDlg : public QDialog {
    Q_OBJECT
public:
    // Control ids of the window's own controls; each part names its own, and each control carries its id as its
    // object name.
    enum ControlId {
        ID_GO = 1,
        ID_QUIT = 2,
        ID_COMMAND_LABEL = 1047,
        ID_SETTINGS = 1052,
        ID_ROM_FOLDER = 1055,
        ID_COMMAND_LINE = 1800,
    };

    CPellaquinDlg();
    ~CPellaquinDlg() override;

    // Set by start-up before the window opens: the input file path and whether this is a first run.
    std::string m_inputPath;
    bool m_firstRun = false;

    // Opens the input file (or, on a first run or when the stored input does not open, the settings window
    // first) and sets the wizard's and the output choices' defaults. Returns true, as the window's set-up always
    // succeeds.
    bool OnInitDialog();

    // "Go!": runs the list of the chosen output type and shows, saves or writes it.
    void RunSearch();
    // "Settings and Tools": runs the settings window, then opens the input file it hands back.
    void OpenSettingsAndTools();
    // "ROM folder…": the ROM folders, and the audit and copy of the sets the selection keeps.
    void OpenRomFolder();
    // The cancel command: closes the input file and the window.
    void CloseMainWindow();

protected:
    void reject() override;
    // Escape does not end the program, whose result would be lost; the window's close button does.
    void keyPressEvent(QKeyEvent* event) override;
    // A file dropped on the window becomes the input file, as if chosen in the settings window.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildControls();
    // Opens the file at `path` as the input file, settling everything that follows from it: the wizard's boxes and
    // command, the category box, the CSV columns offered, the view. A file that does not open is said, and the
    // file open before stays. True when `path` opened.
    bool OpenInputFile(const std::string& path);
    // Rebuilds the search command from the wizard and today's data, for the open file's form.
    void ComposeWizardCommand();
    // An output type was chosen: the CSV list takes its column list in place of the command, which comes back
    // when another type is chosen.
    void TakeListType(ListType type);
    void EnableWizard(bool enable);
    // The folders "Only sets I have" looks in and the export options, as the settings file holds them.
    void TakeStoredChoices(const std::optional<StoredSettings>& stored);
    // The size and place the window had when it was last closed, or a size that fits the screen.
    void RestoreGeometry(const std::optional<StoredSettings>& stored);
    void SaveGeometry();
    // The list the window's controls ask for, with the command line's text.
    ListRequest CurrentRequest() const;
    void RunMalaList(const ListRequest& request);
    // Adds `text` to the file at `path`, or for a front-end's list replaces it, asking for the file first when
    // `path` is empty; says so, naming the file and why, when that fails.
    void SaveResultText(const std::string& text, const ListRequest& request, std::int32_t matchCount,
                        std::string path = {});
    // Asks for the file a list of `request` is saved in, offering its usual name; empty when cancelled.
    std::string ChooseListFile(const ListRequest& request);

    InputFile m_inputFile;
    bool m_inputOpen = false;
    // The command the user had before the CSV list's column list took its place.
    std::optional<std::string> m_commandBeforeColumns;
    // Where the last list was saved, where the next save dialog starts.
    std::string m_lastSaveFolder;

    QTabWidget* m_choiceTabs = nullptr;
    WizardPanel* m_wizard = nullptr;
    TodaysDataPanel* m_todaysData = nullptr;
    OutputChoicesPanel* m_output = nullptr;
    GameViewPanel* m_gameView = nullptr;
    QPushButton* m_go = nullptr;
    QLabel* m_commandLabel = nullptr;
    QLineEdit* m_commandLine = nullptr;
};

} // namespace pellaquin
