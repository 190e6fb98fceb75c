#include "DialogScript.h"

#include <utility>

#include <QAbstractButton>
#include <QDialog>
#include <QTest>

#include "ui/ModalSeam.h"

namespace pellaquin::test {

ScriptedModals::ScriptedModals(std::function<void(QDialog&)> script) {
    SetModalRunner([this, script = std::move(script)](QDialog& prompt) {
        ++m_count;
        // As exec() does, so a prompt run twice does not report its first result.
        prompt.setResult(0);
        prompt.show();
        script(prompt);
        return prompt.result();
    });
}

ScriptedModals::~ScriptedModals() {
    SetModalRunner(nullptr);
}

void Click(const QWidget& window, int id) {
    QTest::mouseClick(Control<QAbstractButton>(window, id), Qt::LeftButton);
}

void Confirm(const QDialog& prompt) {
    Click(prompt, prompt.findChild<QAbstractButton*>(QStringLiteral("6")) != nullptr ? 6 : 1);
}

void TypeOver(QLineEdit& edit, const QString& text) {
    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_Delete);
    for (QChar character : text) {
        if (character.unicode() < 0x80) {
            QTest::keyClick(&edit, character.toLatin1());
        } else {
            // Qt Test has no key for a letter outside ASCII; a key event carrying the text is what a keyboard
            // layout with that letter sends.
            QTest::sendKeyEvent(QTest::Click, &edit, Qt::Key_unknown, QString(character), Qt::NoModifier);
        }
    }
}

} // namespace pellaquin::test
