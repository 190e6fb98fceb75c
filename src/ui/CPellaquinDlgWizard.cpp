#include "ui/CPellaquinDlg.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "ui/CCategoriesDlg.h"
#include "ui/ModalSeam.h"
#include "ui/QtText.h"

#include <algorithm>

namespace pellaquin {

namespace {

constexpr int FIRST_WIZARD_CONTROL = CPellaquinDlg::ID_BUTTONS;
constexpr int LAST_WIZARD_CONTROL = CPellaquinDlg::ID_PEDAL;
constexpr int TODAYS_BOXES[] = {CPellaquinDlg::ID_NO_MECHANICAL,    CPellaquinDlg::ID_NO_BIOS_DEVICES,
                                CPellaquinDlg::ID_HAS_SCREEN,       CPellaquinDlg::ID_NO_CHD,
                                CPellaquinDlg::ID_NO_SOFTWARE_LIST, CPellaquinDlg::ID_SIMULTANEOUS};
// The bestgames sections start every ten points, the first of the box's items standing for none.
constexpr int BEST_GAMES_STEP = 10;

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
    for (int id : TODAYS_BOXES) {
        connect(Button(id), &QAbstractButton::clicked, this, &CPellaquinDlg::ComposeWizardCommand);
    }
    for (QComboBox* box : {m_working, m_players, m_bestGames}) {
        connect(box, &QComboBox::activated, this, &CPellaquinDlg::ComposeWizardCommand);
    }
    connect(Button(ID_LEAVE_OUT), &QAbstractButton::clicked, this, &CPellaquinDlg::ChooseLeftOutCategories);
}

void CPellaquinDlg::ChooseLeftOutCategories() {
    CCategoriesDlg categories(LeaveOutChoices(m_inputValues.categories), this);
    categories.SetChosen(m_leftOutCategories);
    RunModal(categories);
    m_leftOutCategories = categories.Chosen();
    m_leftOut->setText(m_leftOutCategories.empty() ? QString() : QString::number(m_leftOutCategories.size()));
    ComposeWizardCommand();
}

void CPellaquinDlg::EnableTodaysData(bool enable) {
    bool wizard = enable && AnswersTodaysData(m_inputFile.Format(), m_inputFile.Element());
    for (int id : {ID_WORKING, ID_NO_MECHANICAL, ID_NO_BIOS_DEVICES, ID_HAS_SCREEN, ID_NO_CHD, ID_NO_SOFTWARE_LIST,
                   ID_PLAYERS}) {
        findChild<QWidget*>(QString::number(id))->setEnabled(wizard);
    }
    // The rest ask for values only some merged files hold.
    Button(ID_SIMULTANEOUS)->setEnabled(wizard && m_inputValues.Holds("nplayers"));
    m_bestGames->setEnabled(wizard && m_inputValues.Holds("bestgames"));
    Button(ID_LEAVE_OUT)->setEnabled(wizard && !m_inputValues.categories.empty());
    Button(ID_AVAILABLE)->setEnabled(!m_availableFolders.empty());
    m_addedSince->setEnabled(m_inputValues.Holds("veradded"));
    m_addedBefore->setEnabled(m_inputValues.Holds("veradded"));
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
    state.working = static_cast<WorkingChoice>(std::max(0, m_working->currentIndex()));
    state.noMechanical = ticked(ID_NO_MECHANICAL);
    state.noBiosOrDevices = ticked(ID_NO_BIOS_DEVICES);
    state.hasScreen = ticked(ID_HAS_SCREEN);
    state.noChd = ticked(ID_NO_CHD);
    state.noSoftwareList = ticked(ID_NO_SOFTWARE_LIST);
    state.playersAtLeast = std::max(0, m_players->currentIndex());
    state.simultaneous = ticked(ID_SIMULTANEOUS);
    if (int section = m_bestGames->currentIndex(); section > 0) {
        state.bestAtLeast = std::to_string((section - 1) * BEST_GAMES_STEP);
    }
    state.leftOutCategories = m_leftOutCategories;
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
    m_wizardEnabled = enable;
    EnableTodaysData(enable);
}

} // namespace pellaquin
