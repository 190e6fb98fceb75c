#include "ui/CPellaquinDlg.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QByteArray>
#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QUrl>

#include "data/MameCapture.h"
#include "records/InputOpening.h"
#include "records/TagVocabulary.h"
#include "settings/StoredSettings.h"
#include "ui/CPellaquinSettingsDlg.h"
#include "ui/MessageBoxes.h"
#include "ui/ModalSeam.h"
#include "ui/QtText.h"

namespace pellaquin {

CPellaquinDlg::CPellaquinDlg() {
    BuildControls();
    ConnectWizard();
    connect(m_go, &QPushButton::clicked, this, &CPellaquinDlg::RunSearch);
    connect(Button(ID_SETTINGS), &QAbstractButton::clicked, this, &CPellaquinDlg::OpenSettingsAndTools);
    connect(m_next, &QPushButton::clicked, this, &CPellaquinDlg::ShowNextGame);
    connect(m_prev, &QPushButton::clicked, this, &CPellaquinDlg::ShowPreviousGame);
    connect(m_search, &QPushButton::clicked, this, &CPellaquinDlg::SearchDescription);
    connect(m_inputFileView, &QRadioButton::clicked, this, &CPellaquinDlg::ShowInputFileView);
    connect(m_searchResultsView, &QRadioButton::clicked, this, &CPellaquinDlg::ShowSearchResults);
    connect(Button(ID_QUIT), &QAbstractButton::clicked, this, &CPellaquinDlg::CloseMainWindow);
    // "AtomicFE List" has no handler of its own: choosing it changes nothing but the choice.
    setAcceptDrops(true);
    connect(m_outputTypes, &QButtonGroup::idClicked, this, [this](int id) {
        if (id != ListTypeOf(ListType::ATOMIC_FE).controlId) {
            SelectOutputType(id);
        }
    });
    SetBrowsingEnabled(false);
}

CPellaquinDlg::~CPellaquinDlg() = default;

QAbstractButton* CPellaquinDlg::Button(int id) const {
    return findChild<QAbstractButton*>(QString::number(id));
}

bool CPellaquinDlg::OnInitDialog() {
    std::optional<StoredSettings> stored = LoadStoredSettings();
    TakeStoredChoices(stored);
    RestoreGeometry(stored);
    if (m_firstRun) {
        OpenSettingsAndTools();
    } else {
        OpenInputFile();
    }
    m_orLess = true;
    Button(ID_COCKTAIL)->setChecked(false);
    Button(ID_UPRIGHT)->setChecked(true);
    ComposeWizardCommand();
    m_buttons->setCurrentIndex(3);
    m_category->setCurrentIndex(0);
    Button(ID_NOT)->setEnabled(SelectedIndex(*m_category) != 0);
    ComposeWizardCommand();
    Button(ID_PLAYABLE)->setChecked(true);
    Button(ID_OR_LESS)->setChecked(true);
    m_window->setChecked(true);
    Button(ID_DESCRIPTIONS)->setChecked(true);
    m_fieldSeparator = ",";
    m_batchTemplate = "copy %ROM%.zip c:\\mame\\roms";
    ComposeWizardCommand();
    EnableWizardControls(true);
    // Only a merged file carries categories; this is decided once, for the life of the window.
    if (m_inputFile.Format() != FORMAT_MERGED) {
        m_category->setEnabled(false);
        Button(ID_NOT)->setEnabled(false);
    }
    return true;
}

void CPellaquinDlg::OpenInputFile() {
    // A list made from the file before says nothing about this one.
    m_resultText = std::make_shared<const std::string>();
    m_matchCount = 0;
    m_viewLabel->setText(OPENING_VIEW_LABEL);
    m_viewGroup->hide();
    m_headerText.clear();
    InputOpening opened = OpenRecognisedInput(m_inputPath, m_inputFile, m_headerText);
    m_inputOpen = opened == InputOpening::OK;
    SetGoEnabled(m_inputOpen);
    SetBrowsingEnabled(m_inputOpen);
    if (!m_inputOpen) {
        ShowMessage(this, InputOpeningMessage(opened, m_inputPath), MessageIcon::ERROR);
        return;
    }
    m_browser.Restart();
    ShowNextGame();
    // Only a merged file holds categories and the values the merge added.
    m_inputValues = m_inputFile.Format() == FORMAT_MERGED ? ReadInputValues(m_inputPath) : InputValues{};
    m_leftOutCategories.clear();
    m_leftOut->clear();
    EnableTodaysData(m_wizardEnabled);
}

void CPellaquinDlg::TakeStoredChoices(const std::optional<StoredSettings>& stored) {
    m_availableFolders = stored ? stored->availableFolders : std::vector<std::string>{};
    m_exportOptions = stored ? stored->exportOptions : ExportOptions{};
}

void CPellaquinDlg::OpenSettingsAndTools() {
    CPellaquinSettingsDlg settings(this);
    settings.OnInitDialog();
    if (m_firstRun) {
        // Offered once: the settings button later opens the window as it stands.
        m_firstRun = false;
        settings.OfferFirstInput(FindMameProgram());
    }
    RunModal(settings);
    m_inputPath = settings.InputPath();
    TakeStoredChoices(LoadStoredSettings());
    m_inputFile.Close();
    m_inputOpen = false;
    OpenInputFile();
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
    m_inputPath = QFile::encodeName(urls.first().toLocalFile()).toStdString();
    m_inputFile.Close();
    m_inputOpen = false;
    OpenInputFile();
}

void CPellaquinDlg::RestoreGeometry(const std::optional<StoredSettings>& stored) {
    if (stored && restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(stored->windowGeometry)))) {
        return;
    }
    // A first size that fits the screen, panels left out, however large the font.
    if (const QScreen* shown = screen()) {
        resize(sizeHint().boundedTo(shown->availableGeometry().size()).expandedTo(minimumSizeHint()));
    }
}

void CPellaquinDlg::SaveGeometry() {
    // Only a stored settings key keeps it: before the first "Set" nothing is stored.
    std::optional<StoredSettings> stored = LoadStoredSettings();
    if (stored) {
        stored->windowGeometry = saveGeometry().toBase64().toStdString();
        SaveStoredSettings(*stored);
    }
}

void CPellaquinDlg::SetGoEnabled(bool enabled) {
    m_go->setEnabled(enabled);
}

void CPellaquinDlg::SetCommandLabel(const char* text) {
    m_commandLabel->setText(ToQString(text));
}

} // namespace pellaquin
