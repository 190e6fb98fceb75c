#pragma once

#include <functional>

#include <QLineEdit>
#include <QString>
#include <QWidget>
#include <QtGlobal>

class QDialog;

namespace pellaquin::test {

// While it lives, every modal prompt is shown and handed to `script`, which fills and clicks its controls;
// the prompt's result is what those clicks left. Afterwards prompts run with exec() again.
class ScriptedModals {
public:
    explicit ScriptedModals(std::function<void(QDialog&)> script);
    ~ScriptedModals();
    ScriptedModals(const ScriptedModals&) = delete;
    ScriptedModals& operator=(const ScriptedModals&) = delete;

    // How many prompts the script was handed.
    int Count() const { return m_count; }

private:
    int m_count = 0;
};

// The control of `window` whose object name is `id`; a missing control ends the test program.
template <typename T> T* Control(const QWidget& window, int id) {
    T* control = window.findChild<T*>(QString::number(id));
    if (control == nullptr) {
        qFatal("no control %d of type %s", id, T::staticMetaObject.className());
    }
    return control;
}

// Clicks the control `id` of `window` with the mouse.
void Click(const QWidget& window, int id);

// Answers a prompt as a user going on would: "Yes" (id 6) to a question, else OK (id 1).
void Confirm(const QDialog& prompt);

// Replaces the text of `edit` by typing: select all, delete, type `text`.
void TypeOver(QLineEdit& edit, const QString& text);

} // namespace pellaquin::test
