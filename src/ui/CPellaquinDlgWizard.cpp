#include "ui/CPellaquinDlg.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

#include "ui/QtText.h"

namespace pellaquin {

namespace {

constexpr int FIRST_WIZARD_CONTROL = CPellaquinDlg::ID_BUTTONS;
constexpr int LAST_WIZARD_CONTROL = CPellaquinDlg::ID_PEDAL;

} // namespace

void CPellaquinDlg::ConnectWizard() {
    for (int id = FIRST_WIZARD_CONTROL + 1; id <= ID_NOT; ++id) {
        QAbstractButton* button = Button(id);
        // "Window" sits among the wizard's ids but is no wizard control: ticking it must not replace
        // a column list or a typed command.
        if (button == nullptr || id == ID_WINDOW) {
            continue;
        }
        if (id == ID_COCKTAIL || id == ID_UPRIGHT) {
            // The cabinet buttons set each other before the command is composed.
            connect(button, &QAbstractButton::clicked, this, [this, id] {
                Button(ID_COCKTAIL)->setChecked(id == ID_COCKTAIL);
                Button(ID_UPRIGHT)->setChecked(id == ID_UPRIGHT);
                ComposeWizardCommand();
            });
        } else {
            connect(button, &QAbstractButton::clicked, this, &CPellaquinDlg::ComposeWizardCommand);
        }
    }
    connect(m_buttons, &QComboBox::activated, this, [this] {
        m_orLess = SelectedIndex(*m_buttons) > 1;
        Button(ID_OR_LESS)->setEnabled(m_orLess);
        ComposeWizardCommand();
    });
    connect(m_category, &QComboBox::activated, this, [this] {
        Button(ID_NOT)->setEnabled(SelectedIndex(*m_category) != 0);
        ComposeWizardCommand();
    });
}

int CPellaquinDlg::SelectedIndex(const QComboBox& box) const {
    // Typed text that names no item leaves the box without a selection, which asks for nothing.
    int index = box.currentIndex();
    return index >= 0 && box.currentText() == box.itemText(index) ? index : 0;
}

WizardState CPellaquinDlg::ReadWizardState() const {
    auto ticked = [this](int id) { return Button(id)->isChecked(); };
    WizardState state;
    state.cocktail = ticked(ID_COCKTAIL);
    state.horizontalOnly = ticked(ID_HORIZONTAL);
    state.verticalOnly = ticked(ID_VERTICAL);
    state.buttonsIndex = SelectedIndex(*m_buttons);
    state.orLess = ticked(ID_OR_LESS);
    state.joy2way = ticked(ID_JOY2WAY);
    state.joy4way = ticked(ID_JOY4WAY);
    state.joy8way = ticked(ID_JOY8WAY);
    state.dial = ticked(ID_DIAL);
    state.trackball = ticked(ID_TRACKBALL);
    state.pedal = ticked(ID_PEDAL);
    state.noClones = ticked(ID_NO_CLONES);
    state.noSamples = ticked(ID_NO_SAMPLES);
    state.playable = ticked(ID_PLAYABLE);
    state.categoryIndex = SelectedIndex(*m_category);
    state.categoryText = ToBytes(m_category->itemText(state.categoryIndex));
    state.categoryNot = ticked(ID_NOT);
    return state;
}

void CPellaquinDlg::ComposeWizardCommand() {
    m_searchCommand = pellaquin::ComposeWizardCommand(ReadWizardState(), m_inputFile.Format(), m_inputFile.Element());
    m_commandLine->setText(ToQString(m_searchCommand));
}

void CPellaquinDlg::EnableWizardControls(bool enable) {
    for (int id = FIRST_WIZARD_CONTROL; id <= LAST_WIZARD_CONTROL; ++id) {
        if (QWidget* control = findChild<QWidget*>(QString::number(id))) {
            control->setEnabled(enable);
        }
    }
    // controls.xml carries no orientation, clone, sample or emulation data.
    if (m_inputFile.Format() == FORMAT_CONTROLS) {
        Button(ID_PLAYABLE)->setChecked(false);
        for (int id : {ID_PLAYABLE, ID_VERTICAL, ID_HORIZONTAL, ID_NO_SAMPLES, ID_NO_CLONES}) {
            Button(id)->setEnabled(false);
        }
    }
    Button(ID_OR_LESS)->setChecked(m_orLess);
}

} // namespace pellaquin
