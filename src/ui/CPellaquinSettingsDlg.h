#pragma once

#include <optional>
#include <string>
#include <vector>

#include <QDialog>

#include "settings/StoredSettings.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace pellaquin {

// Where the four data files are: the input file the main window scans and the three sources of the merge. The
// window works on its held paths, shows them in its fields and stores them with "Set"; it also captures MAME's
// listing and runs the merge.
class CPellaquinSettingsDlg : public QDialog {
    Q_OBJECT

public:
    // Control ids, as the window is known by them; each control carries its id as its object name.
    enum ControlId {
        ID_SET = 1,
        ID_CANCEL = 2,
        ID_MERGE = 3,
        ID_LISTING_PATH = 1000,
        ID_LISTING_BROWSE = 1001,
        ID_CONTROLS_PATH = 1002,
        ID_CONTROLS_BROWSE = 1003,
        ID_CATVER_PATH = 1004,
        ID_CATVER_BROWSE = 1005,
        ID_INPUT_BROWSE = 1006,
        ID_INPUT_PATH = 1007,
        ID_NPLAYERS_PATH = 1008,
        ID_NPLAYERS_BROWSE = 1009,
        ID_INI_FILES = 1010,
        ID_INI_ADD = 1011,
        ID_INI_REMOVE = 1012,
        ID_AVAILABLE_FOLDERS = 1013,
        ID_FOLDER_ADD = 1014,
        ID_FOLDER_REMOVE = 1015,
    };

    // The window with four empty held paths and blank fields, not shown yet.
    explicit CPellaquinSettingsDlg(QWidget* parent = nullptr);

    // Loads the stored paths and shows them; disables "Set" while the input path is empty and enables "Merge!" only
    // when the three source paths are all set.
    void OnInitDialog();

    // For a first run, after OnInitDialog: asks whether to read the listing of `mame` when there is one, and on
    // "Yes" holds the captured listing as listing and input file; else holds the samples' merged file as the
    // input file. Like any held path, nothing is stored until "Set".
    void OfferFirstInput(const std::optional<std::string>& mame);

    // Holds `path` as the input file and shows it, as a stored file that no longer opens is shown to be put right.
    void HoldInputPath(const std::string& path);

    // The held input XML path, whichever button closed the window: the stored one, or one browsed or merged since.
    const std::string& InputPath() const { return m_settings.inputXmlFile; }

    // "Set": takes the input field's text as the input path and, once that file opens as an input file, stores the
    // settings and closes as confirmed. A file that does not open is said, and nothing is stored.
    void accept() override;

private:
    struct BrowseRow;
    static const std::vector<BrowseRow>& BrowseRows();

    void BuildControls();
    void BrowseForFile(const BrowseRow& row);
    void CaptureMameListing();
    void TakeChosenListing(const std::string& chosenPath);
    void RunMerge();
    // Enables "Merge!" when MAME's listing, controls.xml and catver.ini are files that exist, and says which are
    // missing when they are not.
    void EnableMergeWhenReady();
    // Takes the source paths typed into their fields.
    void TakeTypedPaths();
    void ShowHeldPaths();
    // "Add" and "Remove" of the two lists: further ini files to merge, and the folders of the sets the user has.
    void AddIniFile();
    void AddAvailableFolder();
    void RemoveSelected(QListWidget& list, std::vector<std::string>& held);

    // The held settings: what the window works with. The fields and lists only show them.
    StoredSettings m_settings;

    QLineEdit* m_listingField = nullptr;
    QLineEdit* m_controlsField = nullptr;
    QLineEdit* m_catverField = nullptr;
    QLineEdit* m_inputField = nullptr;
    QLineEdit* m_nplayersField = nullptr;
    QListWidget* m_iniFiles = nullptr;
    QListWidget* m_availableFolders = nullptr;
    QPushButton* m_set = nullptr;
    QPushButton* m_merge = nullptr;
};

} // namespace pellaquin
