#include "ui/CPellaquinSettingsDlg.h"

#include <cstdint>
#include <filesystem>
#include <string_view>

#include <QGridLayout>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "data/MameCapture.h"
#include "data/MergeUtility.h"
#include "platform/SamplesFolder.h"
#include "settings/StoredSettings.h"
#include "ui/CProgressDlg.h"
#include "ui/DialogParts.h"
#include "ui/FileDialogs.h"
#include "ui/ListingCapture.h"
#include "ui/MessageBoxes.h"
#include "ui/QtText.h"

namespace pellaquin {

namespace {

constexpr char CONTROLS_DOWNLOAD_PAGE[] = "http://controls.arcadecontrols.com/";
constexpr char CATVER_DOWNLOAD_PAGE[] = "https://www.progettosnaps.net/catver/";

const FileFilter XML_FILTER{"xml files (*.xml)", "*.xml"};

// A static text that ends in the address of a download page, which opens in the browser when clicked.
QLabel* MakeDownloadText(QWidget* parent, std::string_view text, const char* address) {
    QString link = QString::fromLatin1(address);
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::RichText);
    label->setText(ToQString(text).toHtmlEscaped() + QStringLiteral("<a href=\"%1\">%1</a>").arg(link));
    label->setOpenExternalLinks(true);
    return label;
}

} // namespace

// One "Browse" row that picks a file for a held path and shows it in the row's field.
struct CPellaquinSettingsDlg::BrowseRow {
    int buttonId;
    FileDialogRequest::Kind kind;
    const char* title;
    FileFilter filter;
    const char* defaultExtension;
    std::string StoredSettings::*heldPath;
    QLineEdit* CPellaquinSettingsDlg::*field;
    // One of the three sources "Merge!" needs; choosing the input file instead makes "Set" worth pressing.
    bool isMergeSource;
};

const std::vector<CPellaquinSettingsDlg::BrowseRow>& CPellaquinSettingsDlg::BrowseRows() {
    // The input file is chosen with the save dialog, so a merged file that does not exist yet can be named.
    static const std::vector<BrowseRow> rows = {
        {ID_INPUT_BROWSE, FileDialogRequest::Kind::SAVE, "Point me to your xml file please...", XML_FILTER, "xml",
         &StoredSettings::inputXmlFile, &CPellaquinSettingsDlg::m_inputField, false},
        {ID_CONTROLS_BROWSE, FileDialogRequest::Kind::OPEN, "Point me to controls.xml please...", XML_FILTER, "xml",
         &StoredSettings::controlsFile, &CPellaquinSettingsDlg::m_controlsField, true},
        {ID_CATVER_BROWSE, FileDialogRequest::Kind::OPEN, "Point me to catver.ini please...",
         FileFilter{"ini files (*.ini)", "*.ini"}, "ini", &StoredSettings::catverFile,
         &CPellaquinSettingsDlg::m_catverField, true},
        {ID_NPLAYERS_BROWSE, FileDialogRequest::Kind::OPEN, "Point me to nplayers.ini please...",
         FileFilter{"ini files (*.ini)", "*.ini"}, "ini", &StoredSettings::nplayersFile,
         &CPellaquinSettingsDlg::m_nplayersField, false},
    };
    return rows;
}

CPellaquinSettingsDlg::CPellaquinSettingsDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Settings"));
    BuildControls();
}

void CPellaquinSettingsDlg::BuildControls() {
    m_inputField = MakeEdit(this, ID_INPUT_PATH);
    m_listingField = MakeEdit(this, ID_LISTING_PATH);
    m_controlsField = MakeEdit(this, ID_CONTROLS_PATH);
    m_catverField = MakeEdit(this, ID_CATVER_PATH);
    m_nplayersField = MakeEdit(this, ID_NPLAYERS_PATH);
    m_iniFiles = new QListWidget(this);
    m_iniFiles->setObjectName(QString::number(ID_INI_FILES));
    m_availableFolders = new QListWidget(this);
    m_availableFolders->setObjectName(QString::number(ID_AVAILABLE_FOLDERS));
    for (QListWidget* list : {m_iniFiles, m_availableFolders}) {
        list->setMaximumHeight(4 * list->fontMetrics().lineSpacing() + 2 * list->frameWidth());
    }

    m_set = MakeButton(this, ID_SET, "Set");
    m_set->setDefault(true);
    QPushButton* cancel = MakeButton(this, ID_CANCEL, "Cancel");
    connect(m_set, &QPushButton::clicked, this, &CPellaquinSettingsDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CPellaquinSettingsDlg::reject);

    QHash<int, QPushButton*> browse;
    for (const BrowseRow& row : BrowseRows()) {
        browse[row.buttonId] = MakeButton(this, row.buttonId, "Browse");
        connect(browse[row.buttonId], &QPushButton::clicked, this, [this, &row] { BrowseForFile(row); });
    }
    browse[ID_LISTING_BROWSE] = MakeButton(this, ID_LISTING_BROWSE, "Browse");
    connect(browse[ID_LISTING_BROWSE], &QPushButton::clicked, this, &CPellaquinSettingsDlg::CaptureMameListing);
    m_merge = MakeButton(this, ID_MERGE, "Merge!");
    connect(m_merge, &QPushButton::clicked, this, &CPellaquinSettingsDlg::RunMerge);

    auto* top = new QGridLayout;
    top->addWidget(MakeStaticText(this, "Input XML file.  This is what Pellaquin works with to create your output "
                                        "lists.\r\nThe best option is to use the merge tool below to create a master, "
                                        "merged XML file.\r\nOtherwise you can use controls.xml or MAME's -listxml "
                                        "file."),
                   0, 0, 1, 2);
    top->addWidget(m_inputField, 1, 0);
    top->addWidget(browse[ID_INPUT_BROWSE], 1, 1);
    auto* okColumn = new QVBoxLayout;
    okColumn->addWidget(m_set);
    okColumn->addWidget(cancel);
    okColumn->addStretch();
    top->addLayout(okColumn, 0, 2, 2, 1);
    top->setColumnStretch(0, 1);

    auto* group = new QGroupBox(QStringLiteral("Merge Utility"), this);
    auto* merge = new QGridLayout(group);
    auto addSourceRow = [&](int row, QLabel* text, int browseId, QLineEdit* field) {
        merge->addWidget(text, row, 0, 1, 2);
        merge->addWidget(browse[browseId], row + 1, 0);
        merge->addWidget(field, row + 1, 1);
    };
    merge->addWidget(MakeStaticText(group, "Use this to merge all the various datafiles into 1 master file.\r\n"
                                           "This will allow you to do enhanced listing/searching."),
                     0, 0, 1, 2);
    addSourceRow(1,
                 MakeStaticText(group, "MAME ListXML file (generated by MAME) You may browse for the xml file or "
                                       "MAME.exe "),
                 ID_LISTING_BROWSE, m_listingField);
    addSourceRow(3, MakeDownloadText(group, "Controls.xml file - Download the file from: ", CONTROLS_DOWNLOAD_PAGE),
                 ID_CONTROLS_BROWSE, m_controlsField);
    addSourceRow(5, MakeDownloadText(group, "Catver.ini file - Download the file from: ", CATVER_DOWNLOAD_PAGE),
                 ID_CATVER_BROWSE, m_catverField);
    addSourceRow(7, MakeStaticText(group, "nplayers.ini file (how many play, and whether at once)"), ID_NPLAYERS_BROWSE,
                 m_nplayersField);
    merge->addWidget(MakeStaticText(group, "Further ini files (bestgames.ini, languages.ini, series.ini...)"), 9, 0, 1,
                     2);
    auto* iniButtons = new QVBoxLayout;
    iniButtons->addWidget(MakeButton(group, ID_INI_ADD, "Add"));
    iniButtons->addWidget(MakeButton(group, ID_INI_REMOVE, "Remove"));
    iniButtons->addStretch();
    merge->addLayout(iniButtons, 10, 0);
    merge->addWidget(m_iniFiles, 10, 1);
    merge->addWidget(m_merge, 11, 0, 1, 2, Qt::AlignHCenter);
    merge->setColumnStretch(1, 1);

    auto* sets = new QGroupBox(QStringLiteral("Sets I have"), this);
    auto* setsLayout = new QGridLayout(sets);
    setsLayout->addWidget(MakeStaticText(sets, "Folders that hold your sets, for \"Only sets I have\""), 0, 0, 1, 2);
    auto* folderButtons = new QVBoxLayout;
    folderButtons->addWidget(MakeButton(sets, ID_FOLDER_ADD, "Add"));
    folderButtons->addWidget(MakeButton(sets, ID_FOLDER_REMOVE, "Remove"));
    folderButtons->addStretch();
    setsLayout->addLayout(folderButtons, 1, 0);
    setsLayout->addWidget(m_availableFolders, 1, 1);
    setsLayout->setColumnStretch(1, 1);
    connect(findChild<QPushButton*>(QString::number(ID_INI_ADD)), &QPushButton::clicked, this,
            &CPellaquinSettingsDlg::AddIniFile);
    connect(findChild<QPushButton*>(QString::number(ID_INI_REMOVE)), &QPushButton::clicked, this,
            [this] { RemoveSelected(*m_iniFiles, m_settings.iniFiles); });
    connect(findChild<QPushButton*>(QString::number(ID_FOLDER_ADD)), &QPushButton::clicked, this,
            &CPellaquinSettingsDlg::AddAvailableFolder);
    connect(findChild<QPushButton*>(QString::number(ID_FOLDER_REMOVE)), &QPushButton::clicked, this,
            [this] { RemoveSelected(*m_availableFolders, m_settings.availableFolders); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(group, 1);
    layout->addWidget(sets);
    setMinimumWidth(60 * fontMetrics().averageCharWidth());
}

void CPellaquinSettingsDlg::OnInitDialog() {
    if (std::optional<StoredSettings> stored = LoadStoredSettings()) {
        m_settings = *stored;
        ShowHeldPaths();
    }
    m_set->setEnabled(!m_settings.inputXmlFile.empty());
    m_merge->setEnabled(!m_settings.controlsFile.empty() && !m_settings.catverFile.empty() &&
                        !m_settings.listXmlFile.empty());
}

void CPellaquinSettingsDlg::accept() {
    // The only field read back: a path typed here by hand counts once "Set" is pressed.
    m_settings.inputXmlFile = ToBytes(m_inputField->text());
    if (!SaveStoredSettings(m_settings)) {
        ShowMessage(this, SETTINGS_NOT_SAVED, MessageIcon::EXCLAMATION);
    }
    QDialog::accept();
}

void CPellaquinSettingsDlg::BrowseForFile(const BrowseRow& row) {
    std::string& heldPath = m_settings.*row.heldPath;
    bool chosen = row.kind == FileDialogRequest::Kind::SAVE
                      ? ChooseSaveFile(row.title, heldPath, {row.filter}, row.defaultExtension)
                      : ChooseOpenFile(row.title, heldPath, {row.filter}, row.defaultExtension);
    if (chosen) {
        (this->*row.field)->setText(ToQString(heldPath));
        if (row.buttonId == ID_INPUT_BROWSE) {
            m_set->setEnabled(true);
        }
    }
    if (row.isMergeSource) {
        EnableMergeWhenReady();
    }
}

void CPellaquinSettingsDlg::CaptureMameListing() {
    // MAME has no extension on Linux (/usr/games/mame), so the dialog shows every file first, and adds no
    // extension to a name typed without one.
    const std::vector<FileFilter> filters = {{"All files (*)", "*"}, XML_FILTER, {"exe files (*.exe)", "*.exe"}};
    // Unlike the other rows this dialog never starts from the held path: it may name MAME rather than a listing.
    std::string chosen;
    if (ChooseOpenFile("Point me to MAME or MAME's xml file please...", chosen, filters, "")) {
        TakeChosenListing(chosen);
        m_listingField->setText(ToQString(m_settings.listXmlFile));
    }
    EnableMergeWhenReady();
}

void CPellaquinSettingsDlg::OfferFirstInput(const std::optional<std::string>& mame) {
    // Asked over the window, which fills in as the answer lands; a first run is for landing on games, so
    // Enter reads MAME's list.
    show();
    if (mame &&
        AskYesNo(this,
                 "Pellaquin found MAME at " + *mame + ". Read its list of machines now? It takes about 20 seconds.",
                 DefaultAnswer::YES)) {
        CaptureOutcome outcome = CaptureListingWithProgress(*mame);
        ShowMessage(this, CaptureMessage(outcome), MessageIcon::EXCLAMATION);
        if (outcome.listingPath) {
            m_settings.listXmlFile = *outcome.listingPath;
            m_settings.inputXmlFile = *outcome.listingPath;
        }
    }
    std::filesystem::path samples = SamplesFolder();
    if (m_settings.inputXmlFile.empty() && !samples.empty()) {
        m_settings.inputXmlFile = (samples / "merged.xml").string();
    }
    ShowHeldPaths();
    m_set->setEnabled(!m_settings.inputXmlFile.empty());
    EnableMergeWhenReady();
}

void CPellaquinSettingsDlg::TakeChosenListing(const std::string& chosenPath) {
    if (!IsMameProgram(chosenPath)) {
        m_settings.listXmlFile = chosenPath;
        return;
    }
    ShowMessage(this, std::string(CAPTURE_NOTICE), MessageIcon::EXCLAMATION);
    CaptureOutcome outcome = CaptureListingWithProgress(chosenPath);
    // A failed capture leaves no listing to point at, so the path held before stays.
    if (outcome.listingPath) {
        m_settings.listXmlFile = *outcome.listingPath;
    }
    std::string message = CaptureMessage(outcome);
    if (!message.empty()) {
        ShowMessage(this, message, MessageIcon::EXCLAMATION);
    }
}

void CPellaquinSettingsDlg::RunMerge() {
    std::string chosen = m_settings.inputXmlFile;
    if (!ChooseSaveFile("Save merged file as...", chosen, {XML_FILTER}, "xml") || !MayReplace(this, chosen)) {
        return;
    }
    m_settings.inputXmlFile = chosen;
    m_inputField->setText(ToQString(m_settings.inputXmlFile));
    m_set->setEnabled(true);

    // The merge refuses a target that names one of its sources and replaces the target only once it has finished,
    // so a failed merge never leaves an empty file behind in place of the chosen one.
    MergeSources sources{m_settings.listXmlFile, m_settings.controlsFile, m_settings.catverFile,
                         m_settings.nplayersFile, m_settings.iniFiles};
    std::vector<std::string> leftOut;
    MergeResult result = MergeResult::OK;
    {
        CProgressDlg progress;
        progress.Start(false, 1000, "Merging data, hang on...", "");
        result = MergeDataFiles(
            sources, m_settings.inputXmlFile,
            [&progress](std::int64_t done, std::int64_t total) { progress.ShowProgress(done, total); },
            [&leftOut](const std::string& path) { leftOut.push_back(path); });
    }
    if (result != MergeResult::OK) {
        ShowMessage(this, MergeResultMessage(result, sources), MessageIcon::EXCLAMATION);
        return;
    }
    for (const std::string& path : leftOut) {
        ShowMessage(this, MergeLeftOutMessage(path), MessageIcon::EXCLAMATION);
    }
}

void CPellaquinSettingsDlg::EnableMergeWhenReady() {
    // Never disables: once the three sources have been chosen, only the next opening judges "Merge!" afresh.
    if (!m_settings.controlsFile.empty() && !m_settings.catverFile.empty() && !m_settings.listXmlFile.empty()) {
        m_merge->setEnabled(true);
    }
}

void CPellaquinSettingsDlg::AddIniFile() {
    std::string path;
    if (ChooseOpenFile("Point me to a folder ini file please...", path, {{"ini files (*.ini)", "*.ini"}}, "ini")) {
        m_settings.iniFiles.push_back(path);
        m_iniFiles->addItem(ToQString(path));
    }
}

void CPellaquinSettingsDlg::AddAvailableFolder() {
    std::string folder;
    if (ChooseFolder("Point me to a folder of your sets please...", folder)) {
        m_settings.availableFolders.push_back(folder);
        m_availableFolders->addItem(ToQString(folder));
    }
}

void CPellaquinSettingsDlg::RemoveSelected(QListWidget& list, std::vector<std::string>& held) {
    int row = list.currentRow();
    if (row >= 0 && static_cast<std::size_t>(row) < held.size()) {
        held.erase(held.begin() + row);
        delete list.takeItem(row);
    }
}

void CPellaquinSettingsDlg::ShowHeldPaths() {
    m_listingField->setText(ToQString(m_settings.listXmlFile));
    m_catverField->setText(ToQString(m_settings.catverFile));
    m_controlsField->setText(ToQString(m_settings.controlsFile));
    m_inputField->setText(ToQString(m_settings.inputXmlFile));
    m_nplayersField->setText(ToQString(m_settings.nplayersFile));
    m_iniFiles->clear();
    for (const std::string& path : m_settings.iniFiles) {
        m_iniFiles->addItem(ToQString(path));
    }
    m_availableFolders->clear();
    for (const std::string& folder : m_settings.availableFolders) {
        m_availableFolders->addItem(ToQString(folder));
    }
}

} // namespace pellaquin
