#include "ui/MessageBoxes.h"

#include <filesystem>

#include <QMessageBox>
#include <QPushButton>

#include "ui/ModalSeam.h"
#include "ui/QtText.h"

namespace pellaquin {

namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::ERROR:
        return QMessageBox::Critical;
    case MessageIcon::EXCLAMATION:
        return QMessageBox::Warning;
    case MessageIcon::NONE:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void ShowMessage(QWidget* parent, const std::string& text, MessageIcon icon) {
    QMessageBox box(parent);
    box.setWindowTitle(QString::fromLatin1(APPLICATION_NAME));
    box.setIcon(ToQtIcon(icon));
    // Messages quote file contents such as "<game name="; they must never be taken for markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(ToDisplayText(text));
    box.setStandardButtons(QMessageBox::Ok);
    box.button(QMessageBox::Ok)->setObjectName(QStringLiteral("1"));
    RunModal(box);
}

bool AskYesNo(QWidget* parent, const std::string& text, DefaultAnswer answer) {
    QMessageBox box(parent);
    box.setWindowTitle(QString::fromLatin1(APPLICATION_NAME));
    box.setIcon(QMessageBox::Question);
    box.setTextFormat(Qt::PlainText);
    box.setText(ToDisplayText(text));
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(answer == DefaultAnswer::YES ? QMessageBox::Yes : QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    box.button(QMessageBox::Yes)->setObjectName(QString::number(ID_YES));
    box.button(QMessageBox::No)->setObjectName(QString::number(ID_NO));
    return RunModal(box) == QMessageBox::Yes;
}

bool MayReplace(QWidget* parent, const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        return true;
    }
    return AskYesNo(parent, path + " already exists.\r\nDo you want to replace it?");
}

} // namespace pellaquin
