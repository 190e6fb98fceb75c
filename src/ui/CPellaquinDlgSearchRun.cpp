#include "ui/CPellaquinDlg.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "output/ByteSink.h"
#include "records/ByteText.h"
#include "records/InputOpening.h"
#include "ui/CCSVDialog.h"
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

struct SaveChoice {
    std::vector<FileFilter> filters;
    const char* extension;
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

} // namespace

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

void CPellaquinDlg::RunSearch() {
    m_searchCommand = ToBytes(m_commandLine->text());
    if (m_searchCommand.empty()) {
        ShowMessage(this, "Error! Nothing to search for");
        return;
    }
    RemoveChar(m_searchCommand, '"');
    m_scanner.m_searchCommand = m_searchCommand;

    OutputType type = SelectedOutputType();
    SaveChoice save = SaveChoiceFor(type);
    m_saveFilters = save.filters;
    m_saveExtension = save.extension;
    if (type == OutputType::MALA) {
        RunMalaList();
        return;
    }

    CProgressDlg progress;
    progress.Start(false, 1000, SCANNING, "");
    progress.FollowFile(m_inputFile);
    WriteResultList(m_scanner, m_inputFile, type, m_batchTemplate);
    if (ReportReadError()) {
        return;
    }
    if (m_window->isChecked()) {
        ConvertForView(m_scanner.m_resultText, type);
    }
    if (m_file->isChecked()) {
        SaveResultText(m_scanner.m_resultText);
    }
    m_searchResultsView->setChecked(true);
    m_viewGroup->show();
    if (m_window->isChecked()) {
        ShowSearchResults();
    }
}

void CPellaquinDlg::RunMalaList() {
    std::string path;
    {
        CProgressDlg progress;
        progress.Start(false, 1000, SCANNING, "");
        RecordReader dialogReader;
        dialogReader.m_dialogTitle = SAVE_TITLE;
        dialogReader.ChooseSaveFile(path, m_saveFilters, m_saveExtension);
    }
    // Without a file there is no MaLa list to write, and the run ends here.
    if (path.empty()) {
        return;
    }
    CProgressDlg progress;
    progress.Start(false, 1000, SCANNING, "");
    progress.FollowFile(m_inputFile);
    // A file that cannot be written is left as it was, and nothing is said.
    m_scanner.WriteMalaList(m_inputFile, path, m_malaSettings);
    m_window->setChecked(false);
    m_file->setChecked(true);
    ReportReadError();
}

bool CPellaquinDlg::ReportReadError() {
    // A scan ends at a read error as at the end of the file; unsaid, a list cut short would pass for
    // the whole one, then or later under "Search Results". The MaLa list in place stays as it was.
    if (!m_inputFile.HadReadError()) {
        return false;
    }
    m_scanner.m_resultText.clear();
    m_scanner.m_matchCount = 0;
    ShowMessage(this, std::string(InputOpeningMessage(InputOpening::CANNOT_READ)), MessageIcon::ERROR);
    return true;
}

void CPellaquinDlg::SaveResultText(const std::string& text) {
    std::string path;
    RecordReader dialogReader;
    dialogReader.m_dialogTitle = SAVE_TITLE;
    dialogReader.ChooseSaveFile(path, m_saveFilters, m_saveExtension);
    if (path.empty()) {
        return;
    }
    // The bytes go as they are: the "Window" conversion already gave them CR LF line ends when it
    // was ticked. A file that cannot be written is left as it was, and nothing is said.
    AppendToFile(path, text);
}

void CPellaquinDlg::ShowSearchResults() {
    m_view->SetText(m_scanner.m_resultText);
    m_prev->setEnabled(false);
    m_next->setEnabled(false);
    m_viewLabel->setText(QStringLiteral("Found:%1 matches").arg(m_scanner.m_matchCount));
    m_inputFileView->setChecked(false);
    m_searchResultsView->setChecked(true);
}

void CPellaquinDlg::SelectOutputType(int id) {
    switch (id) {
    case ID_CSV: {
        EnableWizardControls(false);
        CCSVDialog columns(m_inputFile.Format(), m_inputFile.Element(), this);
        columns.SetDelimiter(m_scanner.m_fieldSeparator);
        RunModal(columns);
        if (!columns.ColumnList().empty()) {
            // The wizard stays off, so it cannot overwrite the column list.
            m_commandLine->setText(ToQString(columns.ColumnList()));
            m_scanner.m_fieldSeparator = columns.Delimiter();
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
