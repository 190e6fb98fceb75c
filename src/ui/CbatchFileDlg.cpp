#include "ui/CbatchFileDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "ui/DialogParts.h"
#include "ui/QtText.h"

namespace pellaquin {

CbatchFileDlg::CbatchFileDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Batch file creation"));
    m_edit = MakeEdit(this, ID_TEMPLATE);

    QLabel* explanation = MakeStaticText(this, "Batch files are built off the ROM name only.\r\n\r\n"
                                               "Edit the below text to suit your needs, using %ROM% as a placeholder "
                                               "where the name will be inserted.");
    explanation->setWordWrap(true);
    explanation->setMinimumWidth(26 * fontMetrics().averageCharWidth());
#ifdef _WIN32
    QLabel* examples = MakeStaticText(this, "Examples:\r\ncopy %ROM%.png c:\\mame\\snap\r\ndel %ROM%.zip");
#else
    QLabel* examples = MakeStaticText(this, "Examples:\r\ncp %ROM%.png ~/mame/snap/\r\nrm %ROM%.zip");
#endif

    auto* layout = new QGridLayout(this);
    layout->addWidget(explanation, 0, 0);
    layout->addLayout(MakeOkCancelColumn(*this), 0, 1);
    layout->addWidget(examples, 1, 0, 1, 2);
    layout->addWidget(m_edit, 2, 0, 1, 2);
    layout->setColumnStretch(0, 1);
}

void CbatchFileDlg::SetBatchTemplate(const std::string& batchTemplate) {
    m_batchTemplate = batchTemplate;
    m_edit->setText(ToQString(m_batchTemplate));
}

void CbatchFileDlg::accept() {
    m_batchTemplate = ToBytes(m_edit->text());
    QDialog::accept();
}

} // namespace pellaquin
