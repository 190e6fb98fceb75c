#include "ui/CExportOptionsDlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/DialogParts.h"
#include "ui/FileDialogs.h"
#include "ui/QtText.h"

namespace pellaquin {

CExportOptionsDlg::CExportOptionsDlg(ListType type, QWidget* parent) : QDialog(parent) {
    const ListTypeInfo& info = ListTypeOf(type);
    setWindowTitle(ToQString(std::string(info.caption) + " settings"));
    auto* rows = new QGridLayout;
    int row = 0;
    for (ExportOption shown : info.options) {
        const ExportOptionInfo& option = ExportOptionOf(shown);
        QLineEdit* edit = MakeEdit(this, option.controlId);
        rows->addWidget(MakeStaticText(this, option.label), row, 0);
        rows->addWidget(edit, row, 1);
        if (shown == ExportOption::ROM_FOLDER) {
            QPushButton* browse = MakeButton(this, ID_ROM_FOLDER_BROWSE, "Browse");
            connect(browse, &QPushButton::clicked, this, [this, edit] { BrowseForRomFolder(*edit); });
            rows->addWidget(browse, row, 2);
        }
        m_rows.emplace_back(edit, option.member);
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
    std::string folder;
    if (ChooseFolder("Point me to the folder of your sets please...", folder)) {
        edit.setText(ToQString(folder));
    }
}

} // namespace pellaquin
