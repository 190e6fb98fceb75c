#include "ui/CCategoriesDlg.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "ui/DialogParts.h"
#include "ui/QtText.h"

namespace pellaquin {

CCategoriesDlg::CCategoriesDlg(const std::vector<std::string>& choices, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Leave out categories"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QString::number(ID_CHOICES));
    for (const std::string& choice : choices) {
        auto* item = new QListWidgetItem(ToQString(choice), m_list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    auto* column = new QVBoxLayout;
    column->addWidget(MakeStaticText(this, "Games in the categories ticked are left out:"));
    column->addWidget(m_list, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(column, 1);
    layout->addLayout(MakeOkCancelColumn(*this));
}

void CCategoriesDlg::SetChosen(const std::vector<std::string>& chosen) {
    m_chosen.clear();
    for (int row = 0; row < m_list->count(); ++row) {
        QListWidgetItem* item = m_list->item(row);
        bool ticked = std::find(chosen.begin(), chosen.end(), ToBytes(item->text())) != chosen.end();
        item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
        if (ticked) {
            m_chosen.push_back(ToBytes(item->text()));
        }
    }
}

void CCategoriesDlg::accept() {
    m_chosen.clear();
    for (int row = 0; row < m_list->count(); ++row) {
        if (m_list->item(row)->checkState() == Qt::Checked) {
            m_chosen.push_back(ToBytes(m_list->item(row)->text()));
        }
    }
    QDialog::accept();
}

} // namespace pellaquin
