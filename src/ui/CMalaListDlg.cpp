#include "ui/CMalaListDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "ui/DialogParts.h"
#include "ui/QtText.h"

namespace pellaquin {

CMalaListDlg::CMalaListDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("MaLa list settings"));
    m_edit = MakeEdit(this, ID_TITLE);

    auto* layout = new QGridLayout(this);
    layout->addWidget(MakeStaticText(this, "List Title:"), 0, 0);
    layout->addWidget(m_edit, 1, 0, Qt::AlignTop);
    layout->addLayout(MakeOkCancelColumn(*this), 0, 1, 2, 1);
    layout->setColumnStretch(0, 1);
}

void CMalaListDlg::SetListTitle(const std::string& title) {
    m_listTitle = title;
    m_edit->setText(ToQString(m_listTitle));
}

void CMalaListDlg::accept() {
    m_listTitle = ToBytes(m_edit->text());
    QDialog::accept();
}

} // namespace pellaquin
