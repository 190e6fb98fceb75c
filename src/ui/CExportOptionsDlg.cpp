#include "ui/CExportOptionsDlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "records/RecordReader.h"
#include "ui/DialogParts.h"
#include "ui/QtText.h"

namespace pellaquin {

namespace {

struct OptionRow {
    int id;
    const char* label;
    std::string ExportOptions::*option;
};

constexpr OptionRow ROM_FOLDER{CExportOptionsDlg::ID_ROM_FOLDER,
                               "Folder of the sets (empty: beside the list):", &ExportOptions::romFolder};
constexpr OptionRow ROM_EXTENSION{CExportOptionsDlg::ID_ROM_EXTENSION,
                                  "Extension of the sets:", &ExportOptions::romExtension};

std::vector<OptionRow> RowsOf(ExportType type) {
    switch (type) {
    case ExportType::ATTRACT:
        return {{CExportOptionsDlg::ID_EMULATOR, "Emulator name:", &ExportOptions::emulator}};
    case ExportType::EMULATIONSTATION:
        return {ROM_FOLDER, ROM_EXTENSION};
    case ExportType::RETROARCH:
        return {ROM_FOLDER,
                ROM_EXTENSION,
                {CExportOptionsDlg::ID_CORE_PATH, "Core path (DETECT: RetroArch asks):", &ExportOptions::corePath},
                {CExportOptionsDlg::ID_CORE_NAME, "Core name:", &ExportOptions::coreName}};
    case ExportType::PEGASUS:
        return {ROM_FOLDER,
                ROM_EXTENSION,
                {CExportOptionsDlg::ID_COLLECTION, "Collection:", &ExportOptions::collection},
                {CExportOptionsDlg::ID_LAUNCH, "Launch command:", &ExportOptions::launch}};
    case ExportType::DAT:
        return {{CExportOptionsDlg::ID_DAT_NAME, "DAT name:", &ExportOptions::datName}};
    case ExportType::TABLE:
        return {{CExportOptionsDlg::ID_FIELDS, "Columns, by name:", &ExportOptions::fields},
                {CExportOptionsDlg::ID_TABLE_DELIMITER, "Delimiter:", &ExportOptions::tableDelimiter}};
    case ExportType::MAME_INI:
        return {{CExportOptionsDlg::ID_FOLDER_TITLE, "Folder name in MAME:", &ExportOptions::folderTitle}};
    case ExportType::NONE:
        break;
    }
    return {};
}

} // namespace

const char* ExportTypeCaption(ExportType type) {
    switch (type) {
    case ExportType::ATTRACT:
        return "Attract-Mode romlist";
    case ExportType::EMULATIONSTATION:
        return "EmulationStation gamelist";
    case ExportType::RETROARCH:
        return "RetroArch playlist";
    case ExportType::PEGASUS:
        return "Pegasus metadata";
    case ExportType::DAT:
        return "DAT for ROM managers";
    case ExportType::TABLE:
        return "Spreadsheet table";
    case ExportType::MAME_INI:
        return "MAME folder ini";
    case ExportType::NONE:
        break;
    }
    return "";
}

CExportOptionsDlg::CExportOptionsDlg(ExportType type, QWidget* parent) : QDialog(parent) {
    setWindowTitle(ToQString(std::string(ExportTypeCaption(type)) + " settings"));
    auto* rows = new QGridLayout;
    int row = 0;
    for (const OptionRow& option : RowsOf(type)) {
        QLineEdit* edit = MakeEdit(this, option.id);
        rows->addWidget(MakeStaticText(this, option.label), row, 0);
        rows->addWidget(edit, row, 1);
        if (option.id == ID_ROM_FOLDER) {
            QPushButton* browse = MakeButton(this, ID_ROM_FOLDER_BROWSE, "Browse");
            connect(browse, &QPushButton::clicked, this, [this, edit] { BrowseForRomFolder(*edit); });
            rows->addWidget(browse, row, 2);
        }
        m_rows.emplace_back(edit, option.option);
        ++row;
    }
    rows->setColumnStretch(1, 1);
    rows->setRowStretch(row, 1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(rows, 1);
    layout->addLayout(MakeOkCancelColumn(*this));
    setMinimumWidth(60 * fontMetrics().averageCharWidth());
    SetOptions(m_options);
}

void CExportOptionsDlg::SetOptions(const ExportOptions& options) {
    m_options = options;
    for (const auto& [edit, option] : m_rows) {
        edit->setText(ToQString(m_options.*option));
    }
}

void CExportOptionsDlg::accept() {
    for (const auto& [edit, option] : m_rows) {
        m_options.*option = ToBytes(edit->text());
    }
    QDialog::accept();
}

void CExportOptionsDlg::BrowseForRomFolder(QLineEdit& edit) {
    RecordReader reader;
    reader.m_dialogTitle = "Point me to the folder of your sets please...";
    std::string folder;
    if (reader.ChooseFolder(folder)) {
        edit.setText(ToQString(folder));
    }
}

} // namespace pellaquin
