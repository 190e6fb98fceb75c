#include "ui/DialogParts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
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

namespace {

constexpr const char* HELP_PROPERTY = "pellaquinHelp";

template <typename T> T* Captioned(T* control, int id) {
    control->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    control->setObjectName(QString::number(id));
    return control;
}

} // namespace

QCheckBox* MakeCheckBox(QWidget* parent, int id, std::string_view caption) {
    return Captioned(new QCheckBox(ToQString(caption), parent), id);
}

QRadioButton* MakeRadioButton(QWidget* parent, int id, std::string_view caption) {
    return Captioned(new QRadioButton(ToQString(caption), parent), id);
}

QComboBox* MakeChoiceBox(QWidget* parent, int id, std::span<const char* const> items) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::number(id));
    for (const char* item : items) {
        box->addItem(ToQString(item));
    }
    return box;
}

QComboBox* MakeEditableBox(QWidget* parent, int id, std::span<const char* const> items) {
    QComboBox* box = MakeChoiceBox(parent, id, items);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    return box;
}

QGroupBox* MakeGroup(QWidget* parent, std::string_view caption, QLayout* layout) {
    auto* group = new QGroupBox(ToQString(caption), parent);
    group->setLayout(layout);
    return group;
}

void SetHelp(QWidget& control, const QString& help) {
    control.setProperty(HELP_PROPERTY, help);
    control.setToolTip(help);
}

void EnableWithReason(QWidget& control, bool enable, const QString& reason) {
    control.setEnabled(enable);
    QString help = control.property(HELP_PROPERTY).toString();
    control.setToolTip(enable || reason.isEmpty() ? help : help.isEmpty() ? reason : help + "\n\n" + reason);
}

} // namespace pellaquin
