#include "ui/CPellaquinDlg.h"

#include <filesystem>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "settings/StoredSettings.h"
#include "output/ByteSink.h"
#include "output/ListRun.h"
#include "records/RecordReader.h"
#include "ui/CCSVDialog.h"
#include "ui/CExportOptionsDlg.h"
#include "ui/CMalaListDlg.h"
#include "ui/CProgressDlg.h"
#include "ui/CbatchFileDlg.h"
#include "ui/MessageBoxes.h"
#include "ui/ModalSeam.h"
#include "ui/QtText.h"
#include "ui/ResultView.h"

namespace pellaquin {

namespace {

constexpr char SCANNING[] = "Scanning input file for matches...";
constexpr char SAVE_TITLE[] = "Save file as...";

// "1 game", "12 games".
std::string GamesText(std::int32_t count) {
    return std::to_string(count) + (count == 1 ? " game" : " games");
}

struct SaveChoice {
    std::vector<FileFilter> filters;
    const char* extension;
    // The name the dialog offers; none for lists whose files have no usual name.
    const char* fileName = "";
};

// The save dialog's file types for the list of each output type.
SaveChoice SaveChoiceFor(OutputType type) {
    switch (type) {
    case OutputType::XML:
        return {{{"xml files (*.xml)", "*.xml"}}, "xml"};
    case OutputType::CSV:
        return {{{"csv files (*.csv)", "*.csv"}, {"txt files (*.txt)", "*.txt"}}, "csv;txt"};
    case OutputType::BATCH:
        return {{{"batch files (*.bat)", "*.bat"}}, "bat"};
    case OutputType::MALA:
        return {{{"mlg files (*.mlg)", "*.mlg"}}, "mlg"};
    case OutputType::ATOMIC_FE:
        return {{{"Atomic FE game list files (*.txt)", "*.txt"}}, "txt"};
    case OutputType::DESCRIPTIONS:
    case OutputType::NAMES:
        break;
    }
    return {{{"text files (*.txt)", "*.txt"}}, "txt"};
}

// The save dialog's file types and the file name it offers, for the list of each export type.
SaveChoice SaveChoiceFor(ExportType type) {
    switch (type) {
    case ExportType::ATTRACT:
        return {{{"Attract-Mode romlists (*.txt)", "*.txt"}}, "txt", "mame.txt"};
    case ExportType::EMULATIONSTATION:
        return {{{"EmulationStation gamelists (*.xml)", "*.xml"}}, "xml", "gamelist.xml"};
    case ExportType::RETROARCH:
        return {{{"RetroArch playlists (*.lpl)", "*.lpl"}}, "lpl", "MAME.lpl"};
    case ExportType::PEGASUS:
        return {{{"Pegasus metadata (*.txt)", "*.txt"}}, "txt", "metadata.pegasus.txt"};
    case ExportType::DAT:
        return {{{"DAT files (*.dat)", "*.dat"}, {"xml files (*.xml)", "*.xml"}}, "dat", "selection.dat"};
    case ExportType::TABLE:
        return {{{"csv files (*.csv)", "*.csv"}}, "csv", "games.csv"};
    case ExportType::MAME_INI:
        return {{{"ini files (*.ini)", "*.ini"}}, "ini", "selection.ini"};
    case ExportType::NONE:
        break;
    }
    return {};
}

} // namespace

ExportType CPellaquinDlg::SelectedExportType() const {
    for (const auto& [id, type] : EXPORT_BUTTONS) {
        if (m_outputTypes->checkedId() == id) {
            return type;
        }
    }
    return ExportType::NONE;
}

OutputType CPellaquinDlg::SelectedOutputType() const {
    switch (m_outputTypes->checkedId()) {
    case ID_XML:
        return OutputType::XML;
    case ID_CSV:
        return OutputType::CSV;
    case ID_BATCH:
        return OutputType::BATCH;
    case ID_NAMES:
        return OutputType::NAMES;
    case ID_MALA:
        return OutputType::MALA;
    case ID_ATOMIC_FE:
        return OutputType::ATOMIC_FE;
    default:
        return OutputType::DESCRIPTIONS;
    }
}

ListRequest CPellaquinDlg::CurrentRequest() const {
    ListRequest request;
    request.type = SelectedOutputType();
    request.command = m_searchCommand;
    request.fieldSeparator = m_fieldSeparator;
    request.batchTemplate = m_batchTemplate;
    request.mala = m_malaSettings;
    request.windowLineEnds = m_window->isChecked();
    request.exportType = SelectedExportType();
    request.exports = m_exportOptions;
    SetSteps& steps = request.steps;
    if (Button(ID_AVAILABLE)->isEnabled() && Button(ID_AVAILABLE)->isChecked()) {
        steps.availableFolders = m_availableFolders;
    }
    steps.onePerTitle = Button(ID_ONE_PER_TITLE)->isChecked();
    steps.preferredWords = ToBytes(m_prefer->text());
    if (m_addedSince->isEnabled()) {
        steps.addedSince = ToBytes(m_addedSince->text().trimmed());
        steps.addedBefore = ToBytes(m_addedBefore->text().trimmed());
    }
    return request;
}

void CPellaquinDlg::RunSearch() {
    m_searchCommand = ToBytes(m_commandLine->text());
    m_leftOutCount = 0;
    ListRequest request = CurrentRequest();
    if (ListStatus refused = CheckListRequest(request); refused != ListStatus::DONE) {
        ShowMessage(this, ListRunMessage(refused, request, m_inputPath));
        return;
    }
    SaveChoice save =
        request.exportType == ExportType::NONE ? SaveChoiceFor(request.type) : SaveChoiceFor(request.exportType);
    m_saveFilters = save.filters;
    m_saveExtension = save.extension;
    m_saveFileName = save.fileName;
    // A front-end's file is one document: it is replaced, never added to.
    m_saveWhole = request.exportType != ExportType::NONE;
    if (request.type == OutputType::MALA) {
        RunMalaList(request);
        return;
    }

    CProgressDlg progress;
    progress.Start(false, 1000, SCANNING, "");
    progress.FollowFile(m_inputFile);
    MemorySink list;
    if (request.type == OutputType::XML) {
        // The XML list may be as large as the file; room for it at once spares copies while it grows.
        list.Reserve(static_cast<std::size_t>(m_inputFile.Size() + m_inputFile.Size() / 32));
    }
    ListResult result = RunList(m_inputFile, request, list);
    if (result.status != ListStatus::DONE) {
        // Nothing of a list cut short is kept, to be shown later under "Search Results".
        m_resultText = std::make_shared<const std::string>();
        m_matchCount = 0;
        ShowMessage(this, ListRunMessage(result.status, request, m_inputPath), MessageIcon::ERROR);
        return;
    }
    m_resultText = std::make_shared<const std::string>(list.TakeBytes());
    m_matchCount = result.matchCount;
    m_leftOutCount = result.leftOut;
    if (m_file->isChecked()) {
        SaveResultText(*m_resultText);
    }
    m_searchResultsView->setChecked(true);
    m_viewGroup->show();
    if (m_window->isChecked()) {
        ShowSearchResults();
    }
}

void CPellaquinDlg::RunMalaList(const ListRequest& request) {
    std::string path;
    {
        CProgressDlg progress;
        progress.Start(false, 1000, SCANNING, "");
        RecordReader dialogReader;
        dialogReader.m_dialogTitle = SAVE_TITLE;
        dialogReader.ChooseSaveFile(path, m_saveFilters, m_saveExtension);
    }
    // Without a file there is no MaLa list to write, and the run ends here.
    if (path.empty() || !MayReplace(this, path)) {
        return;
    }
    CProgressDlg progress;
    progress.Start(false, 1000, SCANNING, "");
    progress.FollowFile(m_inputFile);
    // The file in place is replaced only by a whole list.
    ListResult result = RunListToFile(m_inputFile, request, path);
    m_window->setChecked(false);
    m_file->setChecked(true);
    switch (result.status) {
    case ListStatus::DONE:
        m_resultText = std::make_shared<const std::string>();
        m_matchCount = result.matchCount;
        ShowMessage(this, "The list of " + GamesText(m_matchCount) + " was saved as\r\n" + path);
        break;
    case ListStatus::INPUT_READ_FAILED:
        m_resultText = std::make_shared<const std::string>();
        m_matchCount = 0;
        ShowMessage(this, ListRunMessage(result.status, request, m_inputPath), MessageIcon::ERROR);
        break;
    default:
        ShowMessage(this, ListRunMessage(result.status, request, m_inputPath, path), MessageIcon::EXCLAMATION);
        break;
    }
}

void CPellaquinDlg::SaveResultText(const std::string& text) {
    std::string path;
    if (!m_saveFileName.empty()) {
        path = (QDir::homePath() + QLatin1Char('/')).toStdString() + m_saveFileName;
    }
    RecordReader dialogReader;
    dialogReader.m_dialogTitle = SAVE_TITLE;
    if (!dialogReader.ChooseSaveFile(path, m_saveFilters, m_saveExtension) || path.empty()) {
        return;
    }
    if (m_saveWhole && !MayReplace(this, path)) {
        return;
    }
    std::error_code error;
    bool appending = !m_saveWhole && std::filesystem::exists(path, error);
    // The bytes go as they are: the "Window" line ends, when ticked, are already in them.
    if (!(m_saveWhole ? ReplaceFileWith(path, text) : AppendToFile(path, text))) {
        ShowMessage(this, OutputNotWritableMessage(path), MessageIcon::EXCLAMATION);
        return;
    }
    // Shown in the window the list needs no word; where it went always does when it went after another.
    if (appending) {
        ShowMessage(this, "The list of " + GamesText(m_matchCount) + " was added at the end of\r\n" + path);
    } else if (!m_window->isChecked()) {
        ShowMessage(this, "The list of " + GamesText(m_matchCount) + " was saved as\r\n" + path);
    }
}

void CPellaquinDlg::ShowSearchResults() {
    m_view->SetText(m_resultText);
    m_prev->setEnabled(false);
    m_next->setEnabled(false);
    QString found = QStringLiteral("Found:%1 matches").arg(m_matchCount);
    if (m_leftOutCount > 0) {
        // A front-end's list is shorter than the matches; the user is told why.
        found += QStringLiteral(", %1 left out that no front-end starts (BIOS sets, devices)").arg(m_leftOutCount);
    }
    m_viewLabel->setText(found);
    m_inputFileView->setChecked(false);
    m_searchResultsView->setChecked(true);
}

void CPellaquinDlg::ChooseExportOptions(ExportType type) {
    CExportOptionsDlg options(type, this);
    options.SetOptions(m_exportOptions);
    if (RunModal(options) != QDialog::Accepted) {
        return;
    }
    m_exportOptions = options.Options();
    // Only a stored settings key keeps them: before the first "Set" nothing is stored.
    std::optional<StoredSettings> stored = LoadStoredSettings();
    if (stored) {
        stored->exportOptions = m_exportOptions;
        if (!SaveStoredSettings(*stored)) {
            ShowMessage(this, SETTINGS_NOT_SAVED, MessageIcon::EXCLAMATION);
        }
    }
}

void CPellaquinDlg::SelectOutputType(int id) {
    for (const auto& [buttonId, type] : EXPORT_BUTTONS) {
        if (id == buttonId) {
            ChooseExportOptions(type);
        }
    }
    switch (id) {
    case ID_CSV: {
        EnableWizardControls(false);
        CCSVDialog columns(m_inputFile.Format(), m_inputFile.Element(), this);
        columns.OfferAddedElements(m_inputValues.addedElements);
        columns.SetDelimiter(m_fieldSeparator);
        RunModal(columns);
        if (!columns.ColumnList().empty()) {
            // The wizard stays off, so it cannot overwrite the column list.
            m_commandLine->setText(ToQString(columns.ColumnList()));
            m_fieldSeparator = columns.Delimiter();
            SetCommandLabel("-csv");
        } else {
            EnableWizardControls(true);
        }
        return;
    }
    case ID_MALA: {
        CMalaListDlg settings(this);
        settings.SetListTitle(m_malaSettings.title);
        RunModal(settings);
        m_malaSettings.title = settings.ListTitle();
        break;
    }
    case ID_BATCH: {
        CbatchFileDlg batch(this);
        batch.SetBatchTemplate(m_batchTemplate);
        RunModal(batch);
        m_batchTemplate = batch.BatchTemplate();
        break;
    }
    default:
        break;
    }
    EnableWizardControls(true);
    SetCommandLabel("-find:");
}

} // namespace pellaquin
