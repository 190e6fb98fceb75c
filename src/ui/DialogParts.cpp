#include "ui/DialogParts.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/QtText.h"

namespace pellaquin {

QLabel* MakeStaticText(QWidget* parent, std::string_view text, int id) {
    auto* label = new QLabel(parent);
    // Texts such as "<description>" or "%ROM%" are shown as they are, never read as markup.
    label->setTextFormat(Qt::PlainText);
    label->setText(ToDisplayText(text));
    if (id != 0) {
        label->setObjectName(QString::number(id));
    }
    return label;
}

QPushButton* MakeButton(QWidget* parent, int id, std::string_view caption) {
    auto* button = new QPushButton(ToQString(caption), parent);
    button->setObjectName(QString::number(id));
    return button;
}

QLineEdit* MakeEdit(QWidget* parent, int id) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::number(id));
    return edit;
}

QBoxLayout* MakeOkCancelColumn(QDialog& dialog) {
    QPushButton* ok = MakeButton(&dialog, ID_OK, "OK");
    ok->setDefault(true);
    QPushButton* cancel = MakeButton(&dialog, ID_CANCEL, "Cancel");
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    auto* column = new QVBoxLayout;
    column->addWidget(ok);
    column->addWidget(cancel);
    column->addStretch();
    return column;
}

} // namespace pellaquin
