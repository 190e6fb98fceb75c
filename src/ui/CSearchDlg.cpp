#include "ui/CSearchDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "ui/DialogParts.h"
#include "ui/QtText.h"

namespace pellaquin {

CSearchDlg::CSearchDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Search"));
    m_edit = MakeEdit(this, ID_TEXT);

    auto* layout = new QGridLayout(this);
    layout->addWidget(MakeStaticText(this, "Case sensitive description search:"), 0, 0);
    layout->addWidget(m_edit, 1, 0, Qt::AlignTop);
    layout->addLayout(MakeOkCancelColumn(*this), 0, 1, 2, 1);
    layout->setColumnStretch(0, 1);
}

void CSearchDlg::SetSearchText(const std::string& text) {
    m_searchText = text;
    m_edit->setText(ToQString(m_searchText));
    // Selected, so that typing a new search replaces the last one.
    m_edit->selectAll();
}

void CSearchDlg::accept() {
    m_searchText = ToBytes(m_edit->text());
    QDialog::accept();
}

} // namespace pellaquin
