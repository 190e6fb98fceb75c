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

#include "output/ByteSink.h"
#include "output/ListRun.h"
#include "settings/StoredSettings.h"
#include "ui/CCSVDialog.h"
#include "ui/CExportOptionsDlg.h"
#include "ui/CMalaListDlg.h"
#include "ui/CProgressDlg.h"
#include "ui/CbatchFileDlg.h"
#include "ui/FileDialogs.h"
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

// The save dialog's file types for a list of `type`.
std::vector<FileFilter> SaveFilters(const ListTypeInfo& type) {
    std::vector<FileFilter> filters;
    for (const SaveFilter& filter : type.filters) {
        if (!filter.pattern.empty()) {
            filters.push_back({std::string(filter.description), std::string(filter.pattern)});
        }
    }
    return filters;
}

} // namespace

ListType CPellaquinDlg::SelectedListType() const {
    for (const ListTypeInfo& type : ListTypes()) {
        if (m_outputTypes->checkedId() == type.controlId) {
            return type.type;
        }
    }
    return ListType::DESCRIPTIONS;
}

ListRequest CPellaquinDlg::CurrentRequest() const {
    ListRequest request;
    request.type = SelectedListType();
    request.command = m_searchCommand;
    request.fieldSeparator = m_fieldSeparator;
    request.batchTemplate = m_batchTemplate;
    request.mala = m_malaSettings;
    request.windowLineEnds = m_window->isChecked();
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
    m_savedType = request.type;
    if (request.type == ListType::MALA) {
        RunMalaList(request);
        return;
    }

    CProgressDlg progress;
    progress.Start(false, 1000, SCANNING, "");
    progress.FollowFile(m_inputFile);
    MemorySink list;
    if (request.type == ListType::XML) {
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
        const ListTypeInfo& type = ListTypeOf(m_savedType);
        ChooseSaveFile(SAVE_TITLE, path, SaveFilters(type), type.defaultExtension);
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
    const ListTypeInfo& type = ListTypeOf(m_savedType);
    std::string path;
    if (!type.fileName.empty()) {
        path = (QDir::homePath() + QLatin1Char('/')).toStdString() + std::string(type.fileName);
    }
    if (!ChooseSaveFile(SAVE_TITLE, path, SaveFilters(type), type.defaultExtension) || path.empty()) {
        return;
    }
    // A front-end's file is one document: it is replaced, never added to.
    if (type.wholeDocument && !MayReplace(this, path)) {
        return;
    }
    std::error_code error;
    bool appending = !type.wholeDocument && std::filesystem::exists(path, error);
    // The bytes go as they are: the "Window" line ends, when ticked, are already in them.
    if (!(type.wholeDocument ? ReplaceFileWith(path, text) : AppendToFile(path, text))) {
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

void CPellaquinDlg::ChooseExportOptions(ListType type) {
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
    const ListTypeInfo* chosen = nullptr;
    for (const ListTypeInfo& type : ListTypes()) {
        chosen = type.controlId == id ? &type : chosen;
    }
    if (chosen == nullptr) {
        return;
    }
    switch (chosen->dialog) {
    case ListOptionsDialog::EXPORT_OPTIONS:
        ChooseExportOptions(chosen->type);
        break;
    case ListOptionsDialog::COLUMNS: {
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
    case ListOptionsDialog::MALA_TITLE: {
        CMalaListDlg settings(this);
        settings.SetListTitle(m_malaSettings.title);
        RunModal(settings);
        m_malaSettings.title = settings.ListTitle();
        break;
    }
    case ListOptionsDialog::BATCH_TEMPLATE: {
        CbatchFileDlg batch(this);
        batch.SetBatchTemplate(m_batchTemplate);
        RunModal(batch);
        m_batchTemplate = batch.BatchTemplate();
        break;
    }
    case ListOptionsDialog::NONE:
        break;
    }
    EnableWizardControls(true);
    SetCommandLabel("-find:");
}

} // namespace pellaquin
