#include "ui/CPellaquinDlg.h"

#include <QByteArray>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "data/MameCapture.h"
#include "records/InputOpening.h"
#include "search/InputValues.h"
#include "search/WizardCommand.h"
#include "ui/ApplicationIcon.h"
#include "ui/CPellaquinSettingsDlg.h"
#include "ui/CRomFolderDlg.h"
#include "ui/DialogParts.h"
#include "ui/GameViewPanel.h"
#include "ui/MessageBoxes.h"
#include "ui/ModalSeam.h"
#include "ui/OutputChoicesPanel.h"
#include "ui/QtText.h"
#include "ui/TodaysDataPanel.h"
#include "ui/WizardPanel.h"

namespace pellaquin {

namespace {

const QString NO_INPUT = QStringLiteral("No input file is open: choose one in Settings and Tools");

// The most a first window takes of a large screen.
constexpr QSize FIRST_SIZE_LIMIT(1600, 1000);

const QString COLUMNS_NOT_SEARCHED =
    QStringLiteral("The CSV list lists every game of the file with the columns chosen: to list the games a search "
                   "keeps, choose \"Spreadsheet table\"");

} // namespace

CPellaquinDlg::CPellaquinDlg() {
    BuildControls();
    connect(m_go, &QPushButton::clicked, this, &CPellaquinDlg::RunSearch);
    connect(findChild<QPushButton*>(QString::number(ID_SETTINGS)), &QPushButton::clicked, this,
            &CPellaquinDlg::OpenSettingsAndTools);
    connect(findChild<QPushButton*>(QString::number(ID_QUIT)), &QPushButton::clicked, this,
            &CPellaquinDlg::CloseMainWindow);
    connect(findChild<QPushButton*>(QString::number(ID_ROM_FOLDER)), &QPushButton::clicked, this,
            &CPellaquinDlg::OpenRomFolder);
    connect(m_wizard, &WizardPanel::Changed, this, &CPellaquinDlg::ComposeWizardCommand);
    connect(m_todaysData, &TodaysDataPanel::Changed, this, &CPellaquinDlg::ComposeWizardCommand);
    connect(m_output, &OutputChoicesPanel::TypeChosen, this, &CPellaquinDlg::TakeListType);
    setAcceptDrops(true);
    EnableWithReason(*m_go, false, NO_INPUT);
    EnableWithReason(*findChild<QPushButton*>(QString::number(ID_ROM_FOLDER)), false, NO_INPUT);
}

CPellaquinDlg::~CPellaquinDlg() = default;

void CPellaquinDlg::BuildControls() {
    setWindowTitle("Pellaquin build 007");
    setWindowIcon(ApplicationIcon());
    setWindowFlags(Qt::Window | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    m_wizard = new WizardPanel(this);
    m_todaysData = new TodaysDataPanel(this);
    m_output = new OutputChoicesPanel(this);
    m_gameView = new GameViewPanel(m_inputFile, this);

    // The wizard and today's data share the top in tabs, so the window stays low enough for a laptop's screen.
    m_choiceTabs = new QTabWidget(this);
    m_choiceTabs->setObjectName(QStringLiteral("choiceTabs"));
    m_choiceTabs->addTab(m_wizard, QStringLiteral("Quick-find Wizard"));
    m_choiceTabs->addTab(m_todaysData, QStringLiteral("Today's data"));
    m_choiceTabs->setTabToolTip(0, QStringLiteral("The boxes that compose the search command"));
    m_choiceTabs->setTabToolTip(
        1, QStringLiteral("Choices on today's MAME listings and merged files, and steps that keep a part of the sets"));

    m_go = MakeButton(this, ID_GO, "Go!");
    m_go->setDefault(true);
    SetHelp(*m_go, QStringLiteral("Make the list of the games the search command keeps"));
    QPushButton* settings = MakeButton(this, ID_SETTINGS, "Settings and Tools");
    SetHelp(*settings, QStringLiteral("Choose the input file, read MAME's list, merge data files"));
    QPushButton* romFolder = MakeButton(this, ID_ROM_FOLDER, "ROM folder\u2026");
    SetHelp(*romFolder, QStringLiteral("Check which sets the search keeps start from your ROM folders, and copy them"));
    QPushButton* quit = MakeButton(this, ID_QUIT, "Quit");
    quit->hide();
    auto* goColumn = new QGridLayout;
    goColumn->addWidget(MakeStaticText(this, "-->"), 0, 0);
    goColumn->addWidget(m_go, 0, 1);
    goColumn->addWidget(settings, 1, 0, 1, 2);
    goColumn->addWidget(romFolder, 2, 0, 1, 2);
    goColumn->setRowStretch(3, 1);

    auto* top = new QHBoxLayout;
    top->addWidget(m_choiceTabs, 1);
    top->addLayout(goColumn);

    auto* middle = new QHBoxLayout;
    middle->addWidget(m_gameView, 1);
    middle->addWidget(m_output);

    auto* command = new QGridLayout;
    command->addWidget(MakeStaticText(this, "This is the search command used.  You can add your own criteria here."), 0,
                       0, 1, 2);
    m_commandLabel = MakeStaticText(this, "-find:", ID_COMMAND_LABEL);
    m_commandLine = MakeEdit(this, ID_COMMAND_LINE);
    SetHelp(*m_commandLine, QStringLiteral("Terms such as name=pac joined by & (and) and | (or); ! leaves out, _ "
                                           "stands for a space, case is ignored"));
    command->addWidget(m_commandLabel, 1, 0);
    command->addWidget(m_commandLine, 1, 1);
    command->setColumnStretch(1, 1);

    auto* window = new QVBoxLayout(this);
    window->addLayout(top);
    window->addLayout(middle, 1);
    window->addLayout(command);
}

bool CPellaquinDlg::OnInitDialog() {
    std::optional<StoredSettings> stored = LoadStoredSettings();
    TakeStoredChoices(stored);
    RestoreGeometry(stored);
    m_wizard->SetDefaults();
    m_output->Select(ListType::DESCRIPTIONS);
    m_output->SetDestinations(true, false);
    if (m_firstRun) {
        OpenSettingsAndTools();
    } else if (!OpenInputFile(m_inputPath) && !m_inputPath.empty()) {
        // A stored file that no longer opens is put right where a first run would choose one.
        OpenSettingsAndTools();
    }
    if (!m_inputOpen) {
        ComposeWizardCommand();
    }
    return true;
}

bool CPellaquinDlg::OpenInputFile(const std::string& path) {
    InputFile candidate;
    std::string header;
    InputOpening opened = OpenRecognisedInput(path, candidate, header);
    if (opened != InputOpening::OK) {
        ShowMessage(this, InputOpeningMessage(opened, path), MessageIcon::ERROR);
        return false;
    }
    candidate.Close();
    m_inputFile.Close();
    opened = OpenRecognisedInput(path, m_inputFile, header);
    m_inputOpen = opened == InputOpening::OK;
    EnableWithReason(*m_go, m_inputOpen, NO_INPUT);
    EnableWithReason(*findChild<QPushButton*>(QString::number(ID_ROM_FOLDER)), m_inputOpen, NO_INPUT);
    if (!m_inputOpen) {
        ShowMessage(this, InputOpeningMessage(opened, path), MessageIcon::ERROR);
        m_gameView->ShowInput(false);
        return false;
    }
    m_inputPath = path;
    // Only a merged file holds categories and the values the merge added.
    InputValues values = m_inputFile.Format() == FORMAT_MERGED ? ReadInputValues(path) : InputValues{};
    // The column list chosen for another file's keys would not fit this one.
    if (m_commandBeforeColumns) {
        m_output->Select(ListType::DESCRIPTIONS);
        TakeListType(ListType::DESCRIPTIONS);
    }
    m_output->SetInput(m_inputFile.Format(), m_inputFile.Element(), values.addedElements);
    m_wizard->SetInput(m_inputFile.Format());
    m_todaysData->SetInput(m_inputFile.Format(), m_inputFile.Element(), std::move(values));
    EnableWizard(true);
    m_gameView->ShowInput(true);
    ComposeWizardCommand();
    return true;
}

void CPellaquinDlg::ComposeWizardCommand() {
    WizardState state;
    m_wizard->ReadState(state);
    m_todaysData->ReadState(state);
    m_commandLine->setText(
        ToQString(pellaquin::ComposeWizardCommand(state, m_inputFile.Format(), m_inputFile.Element())));
}

void CPellaquinDlg::EnableWizard(bool enable) {
    m_wizard->EnableBoxes(enable, enable ? QString() : COLUMNS_NOT_SEARCHED);
    m_todaysData->EnableChoices(enable, enable ? QString() : COLUMNS_NOT_SEARCHED);
}

void CPellaquinDlg::TakeListType(ListType type) {
    if (ListTypeOf(type).dialog == ListOptionsDialog::COLUMNS) {
        if (!m_commandBeforeColumns) {
            m_commandBeforeColumns = ToBytes(m_commandLine->text());
        }
        // The wizard stays off, so it cannot overwrite the column list.
        m_commandLine->setText(ToQString(m_output->ColumnList()));
        m_commandLabel->setText(QStringLiteral("-csv"));
        EnableWizard(false);
        return;
    }
    if (m_commandBeforeColumns) {
        m_commandLine->setText(ToQString(*m_commandBeforeColumns));
        m_commandBeforeColumns.reset();
    }
    m_commandLabel->setText(QStringLiteral("-find:"));
    EnableWizard(true);
}

void CPellaquinDlg::TakeStoredChoices(const std::optional<StoredSettings>& stored) {
    m_todaysData->SetAvailableFolders(stored ? stored->availableFolders : std::vector<std::string>{});
    m_output->SetExportOptions(stored ? stored->exportOptions : ExportOptions{});
}

void CPellaquinDlg::OpenSettingsAndTools() {
    CPellaquinSettingsDlg settings(this);
    settings.OnInitDialog();
    if (m_firstRun) {
        // Offered once: the settings button later opens the window as it stands.
        m_firstRun = false;
        settings.OfferFirstInput(FindMameProgram());
    } else if (!m_inputOpen && !m_inputPath.empty()) {
        // The file that did not open stays in view, to be put right.
        settings.HoldInputPath(m_inputPath);
    }
    RunModal(settings);
    TakeStoredChoices(LoadStoredSettings());
    OpenInputFile(settings.InputPath());
}

void CPellaquinDlg::OpenRomFolder() {
    CRomFolderDlg romFolder(m_inputPath, CurrentRequest(), this);
    RunModal(romFolder);
    m_todaysData->SetAvailableFolders(romFolder.Folders());
}

void CPellaquinDlg::CloseMainWindow() {
    SaveGeometry();
    m_inputFile.Close();
    m_inputOpen = false;
    QDialog::reject();
}

void CPellaquinDlg::reject() {
    CloseMainWindow();
}

void CPellaquinDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CPellaquinDlg::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.first().isLocalFile()) {
        event->acceptProposedAction();
    }
}

void CPellaquinDlg::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile()) {
        return;
    }
    event->acceptProposedAction();
    // As the settings window hands a file back: taken for this run, stored only by "Set".
    OpenInputFile(QFile::encodeName(urls.first().toLocalFile()).toStdString());
}

void CPellaquinDlg::RestoreGeometry(const std::optional<StoredSettings>& stored) {
    if (stored && restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(stored->windowGeometry)))) {
        return;
    }
    // A first size that gives the view most of the screen, panels left out, and never less than the window needs.
    if (const QScreen* shown = screen()) {
        QSize roomy = shown->availableGeometry().size() * 0.85;
        resize(roomy.boundedTo(FIRST_SIZE_LIMIT).expandedTo(minimumSizeHint()));
    }
}

void CPellaquinDlg::SaveGeometry() {
    // Only a settings file keeps it: before the first "Set" nothing is stored.
    std::optional<StoredSettings> stored = LoadStoredSettings();
    if (stored) {
        stored->windowGeometry = saveGeometry().toBase64().toStdString();
        SaveStoredSettings(*stored);
    }
}

} // namespace pellaquin
