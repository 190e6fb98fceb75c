#include "ui/CExportOptionsDlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "output/ExportOptionsCheck.h"
#include "ui/DialogParts.h"
#include "ui/FileDialogs.h"
#include "ui/QtText.h"

namespace pellaquin {

CExportOptionsDlg::CExportOptionsDlg(ListType type, QWidget* parent) : QDialog(parent), m_type(type) {
    const ListTypeInfo& info = ListTypeOf(type);
    setWindowTitle(ToQString(std::string(info.caption) + " settings"));
    auto* rows = new QGridLayout;
    int row = 0;
    for (ExportOption shown : info.options) {
        const ExportOptionInfo& option = ExportOptionOf(shown);
        if (const auto* choice = std::get_if<bool ExportOptions::*>(&option.member)) {
            QCheckBox* box = MakeCheckBox(this, option.controlId, option.label);
            rows->addWidget(box, row++, 0, 1, 2);
            m_boxes.emplace_back(box, *choice);
            continue;
        }
        QLineEdit* edit = MakeEdit(this, option.controlId);
        rows->addWidget(MakeStaticText(this, option.label), row, 0);
        rows->addWidget(edit, row, 1);
        if (shown == ExportOption::ROM_FOLDER) {
            QPushButton* browse = MakeButton(this, ID_ROM_FOLDER_BROWSE, "Browse");
            connect(browse, &QPushButton::clicked, this, [this, edit] { BrowseForRomFolder(*edit); });
            rows->addWidget(browse, row, 2);
        }
        connect(edit, &QLineEdit::textChanged, this, &CExportOptionsDlg::JudgeOptions);
        m_rows.emplace_back(edit, std::get<std::string ExportOptions::*>(option.member));
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
    for (const auto& [box, option] : m_boxes) {
        box->setChecked(m_options.*option);
    }
    JudgeOptions();
}

ExportOptions CExportOptionsDlg::Shown() const {
    ExportOptions shown = m_options;
    for (const auto& [edit, option] : m_rows) {
        shown.*option = ToBytes(edit->text());
    }
    for (const auto& [box, option] : m_boxes) {
        shown.*option = box->isChecked();
    }
    return shown;
}

void CExportOptionsDlg::JudgeOptions() {
    // Options the list's reader would lose the list over cannot be taken.
    ExportOptionsProblem problem = CheckExportOptions(m_type, Shown());
    EnableWithReason(*findChild<QWidget*>(QString::number(ID_OK)), problem == ExportOptionsProblem::NONE,
                     ToQString(ExportOptionsProblemMessage(problem)));
}

void CExportOptionsDlg::accept() {
    m_options = Shown();
    QDialog::accept();
}

void CExportOptionsDlg::BrowseForRomFolder(QLineEdit& edit) {
    std::string folder;
    if (ChooseFolder("Point me to the folder of your sets please...", folder)) {
        edit.setText(ToQString(folder));
    }
}

} // namespace pellaquin
