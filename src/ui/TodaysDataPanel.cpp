#include "ui/TodaysDataPanel.h"

#include <algorithm>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/CCategoriesDlg.h"
#include "ui/DialogParts.h"
#include "ui/ModalSeam.h"
#include "ui/QtText.h"

namespace pellaquin {

namespace {

constexpr const char* WORKING_CHOICES[] = {"any", "good only", "good or imperfect"};
// How "Only sets I have" judges a set, in AvailableCheck's order.
constexpr const char* AVAILABLE_CHECKS[] = {"by name", "complete only"};
constexpr const char* PLAYER_COUNTS[] = {"any", "1", "2", "3", "4", "5", "6", "7", "8"};
// The sections of bestgames.ini by their ranges, whose first number the wizard asks for.
constexpr const char* BEST_GAMES_SECTIONS[] = {"any",      "0 to 10",  "10 to 20", "20 to 30", "30 to 40", "40 to 50",
                                               "50 to 60", "60 to 70", "70 to 80", "80 to 90", "90 to 100"};
// The bestgames sections start every ten points, the first of the box's items standing for none.
constexpr int BEST_GAMES_STEP = 10;

// The choices only listings of machines and merged files answer.
constexpr int MACHINE_CHOICES[] = {TodaysDataPanel::ID_WORKING,         TodaysDataPanel::ID_NO_MECHANICAL,
                                   TodaysDataPanel::ID_NO_BIOS_DEVICES, TodaysDataPanel::ID_HAS_SCREEN,
                                   TodaysDataPanel::ID_NO_CHD,          TodaysDataPanel::ID_NO_SOFTWARE_LIST,
                                   TodaysDataPanel::ID_PLAYERS};

const std::pair<int, const char*> HELP[] = {
    {TodaysDataPanel::ID_WORKING, "Only the machines MAME runs well: good, or good and imperfect"},
    {TodaysDataPanel::ID_NO_MECHANICAL, "Leave out mechanical machines, which need parts MAME cannot emulate"},
    {TodaysDataPanel::ID_NO_BIOS_DEVICES, "Leave out BIOS sets, devices and whatever cannot run on its own"},
    {TodaysDataPanel::ID_HAS_SCREEN, "Only machines with a screen"},
    {TodaysDataPanel::ID_NO_CHD, "Leave out the machines that need a CHD (a disk image)"},
    {TodaysDataPanel::ID_NO_SOFTWARE_LIST, "Leave out the machines that run software from a software list"},
    {TodaysDataPanel::ID_PLAYERS, "Only machines for at least this many players"},
    {TodaysDataPanel::ID_SIMULTANEOUS, "Only machines where the players play at the same time (nplayers.ini)"},
    {TodaysDataPanel::ID_BEST_GAMES, "Only the games rated this high or higher (bestgames.ini)"},
    {TodaysDataPanel::ID_LEAVE_OUT, "Choose categories to leave out"},
    {TodaysDataPanel::ID_LEFT_OUT, "How many categories are left out"},
    {TodaysDataPanel::ID_AVAILABLE, "Keep only the sets found in the folders of your sets"},
    {TodaysDataPanel::ID_AVAILABLE_CHECK,
     "By name: the folders hold a zip, 7z or folder of the set's name; complete only: MAME's quick audit says the "
     "set starts from them"},
    {TodaysDataPanel::ID_ONE_PER_TITLE,
     "Of a parent and its clones keep one: the first whose description names a preferred word"},
    {TodaysDataPanel::ID_PREFER, "The preferred words, in order, separated by commas"},
    {TodaysDataPanel::ID_ADDED_SINCE, "Keep the sets added in this MAME version or later"},
    {TodaysDataPanel::ID_ADDED_BEFORE, "Keep the sets added before this MAME version"},
};

} // namespace

TodaysDataPanel::TodaysDataPanel(QWidget* parent) : QWidget(parent) {
    BuildControls();
    for (int id :
         {ID_NO_MECHANICAL, ID_NO_BIOS_DEVICES, ID_HAS_SCREEN, ID_NO_CHD, ID_NO_SOFTWARE_LIST, ID_SIMULTANEOUS}) {
        connect(findChild<QAbstractButton*>(QString::number(id)), &QAbstractButton::clicked, this,
                &TodaysDataPanel::Changed);
    }
    for (QComboBox* box : {m_working, m_players, m_bestGames}) {
        connect(box, &QComboBox::activated, this, &TodaysDataPanel::Changed);
    }
    connect(findChild<QAbstractButton*>(QString::number(ID_LEAVE_OUT)), &QAbstractButton::clicked, this,
            &TodaysDataPanel::ChooseLeftOutCategories);
    EnableByFile();
}

void TodaysDataPanel::BuildControls() {
    auto* kinds = new QGridLayout;
    kinds->addWidget(MakeStaticText(this, "Working:"), 0, 0);
    m_working = MakeChoiceBox(this, ID_WORKING, WORKING_CHOICES);
    kinds->addWidget(m_working, 0, 1);
    kinds->addWidget(MakeCheckBox(this, ID_NO_MECHANICAL, "No mechanical"), 1, 0);
    kinds->addWidget(MakeCheckBox(this, ID_NO_BIOS_DEVICES, "No BIOS or devices"), 1, 1);
    kinds->addWidget(MakeCheckBox(this, ID_HAS_SCREEN, "Has a screen"), 2, 0);
    kinds->addWidget(MakeCheckBox(this, ID_NO_CHD, "No CHD"), 2, 1);
    kinds->addWidget(MakeCheckBox(this, ID_NO_SOFTWARE_LIST, "No software list"), 3, 0, 1, 2);

    auto* people = new QGridLayout;
    people->addWidget(MakeStaticText(this, "Players at least:"), 0, 0);
    m_players = MakeChoiceBox(this, ID_PLAYERS, PLAYER_COUNTS);
    people->addWidget(m_players, 0, 1);
    people->addWidget(MakeCheckBox(this, ID_SIMULTANEOUS, "play at once"), 1, 0, 1, 2);
    people->addWidget(MakeStaticText(this, "Rated:"), 2, 0);
    m_bestGames = MakeChoiceBox(this, ID_BEST_GAMES, BEST_GAMES_SECTIONS);
    people->addWidget(m_bestGames, 2, 1);
    people->addWidget(MakeButton(this, ID_LEAVE_OUT, "Leave out..."), 3, 0);
    m_leftOut = MakeStaticText(this, "", ID_LEFT_OUT);
    people->addWidget(m_leftOut, 3, 1);

    // The steps after the search.
    auto* sets = new QGridLayout;
    sets->addWidget(MakeCheckBox(this, ID_AVAILABLE, "Only sets I have"), 0, 0, 1, 2);
    m_availableCheck = MakeChoiceBox(this, ID_AVAILABLE_CHECK, AVAILABLE_CHECKS);
    sets->addWidget(m_availableCheck, 0, 2, 1, 2);
    sets->addWidget(MakeCheckBox(this, ID_ONE_PER_TITLE, "One per title, prefer:"), 1, 0, 1, 2);
    m_prefer = MakeEdit(this, ID_PREFER);
    m_prefer->setText(ToQString(DEFAULT_PREFERRED_WORDS));
    m_prefer->setMinimumWidth(16 * fontMetrics().averageCharWidth());
    sets->addWidget(m_prefer, 1, 2, 1, 2);
    sets->addWidget(MakeStaticText(this, "Added since:"), 2, 0);
    m_addedSince = MakeEdit(this, ID_ADDED_SINCE);
    sets->addWidget(m_addedSince, 2, 1);
    sets->addWidget(MakeStaticText(this, "before:"), 2, 2);
    m_addedBefore = MakeEdit(this, ID_ADDED_BEFORE);
    sets->addWidget(m_addedBefore, 2, 3);
    for (QLineEdit* version : {m_addedSince, m_addedBefore}) {
        version->setPlaceholderText(QStringLiteral("0.250"));
        version->setMaximumWidth(8 * fontMetrics().averageCharWidth());
    }
    sets->setRowStretch(3, 1);

    for (const auto& [id, help] : HELP) {
        SetHelp(*findChild<QWidget*>(QString::number(id)), QString::fromLatin1(help));
    }

    auto* groups = new QHBoxLayout(this);
    groups->setContentsMargins(0, 0, 0, 0);
    groups->addWidget(MakeGroup(this, "Kind", kinds));
    groups->addWidget(MakeGroup(this, "Players and rating", people));
    groups->addWidget(MakeGroup(this, "Sets", sets));
    groups->addStretch();
}

bool TodaysDataPanel::Ticked(int id) const {
    return findChild<QAbstractButton*>(QString::number(id))->isChecked();
}

void TodaysDataPanel::SetInput(InputFormat format, RecordElement element, InputValues values) {
    m_format = format;
    m_element = element;
    m_values = std::move(values);
    m_leftOutCategories.clear();
    m_leftOut->clear();
    EnableByFile();
}

void TodaysDataPanel::SetAvailableFolders(std::vector<std::string> folders) {
    m_availableFolders = std::move(folders);
    EnableByFile();
}

void TodaysDataPanel::EnableChoices(bool enable, const QString& reason) {
    m_enabled = enable;
    m_reason = reason;
    EnableByFile();
}

void TodaysDataPanel::EnableByFile() {
    bool answers = AnswersTodaysData(m_format, m_element);
    bool choices = m_enabled && answers;
    QString cannot = !m_enabled ? m_reason
                                : QStringLiteral("Only a listing of today's MAME (its <machine> records) or a merged "
                                                 "file answers this");
    for (int id : MACHINE_CHOICES) {
        EnableWithReason(*findChild<QWidget*>(QString::number(id)), choices, cannot);
    }
    // The rest ask for values only some merged files hold.
    auto needs = [&](const char* element, const char* file) {
        return choices ? QStringLiteral("This file holds no %1 data: merge %2 into it").arg(element, file) : cannot;
    };
    EnableWithReason(*findChild<QWidget*>(QString::number(ID_SIMULTANEOUS)), choices && m_values.Holds("nplayers"),
                     needs("nplayers", "nplayers.ini"));
    EnableWithReason(*m_bestGames, choices && m_values.Holds("bestgames"), needs("bestgames", "bestgames.ini"));
    EnableWithReason(*findChild<QWidget*>(QString::number(ID_LEAVE_OUT)), choices && !m_values.categories.empty(),
                     needs("category", "catver.ini"));
    for (QWidget* available :
         {findChild<QWidget*>(QString::number(ID_AVAILABLE)), static_cast<QWidget*>(m_availableCheck)}) {
        EnableWithReason(*available, !m_availableFolders.empty(),
                         QStringLiteral("Add the folders of your sets in \"ROM folder\u2026\" first"));
    }
    for (QLineEdit* version : {m_addedSince, m_addedBefore}) {
        EnableWithReason(*version, m_values.Holds("veradded"),
                         QStringLiteral("Only a merged file with catver.ini's [VerAdded] knows when sets were added"));
    }
}

void TodaysDataPanel::ChooseLeftOutCategories() {
    CCategoriesDlg categories(LeaveOutChoices(m_values.categories), this);
    categories.SetChosen(m_leftOutCategories);
    RunModal(categories);
    m_leftOutCategories = categories.Chosen();
    m_leftOut->setText(m_leftOutCategories.empty() ? QString() : QString::number(m_leftOutCategories.size()));
    emit Changed();
}

void TodaysDataPanel::ReadState(WizardState& state) const {
    state.working = static_cast<WorkingChoice>(std::max(0, m_working->currentIndex()));
    state.noMechanical = Ticked(ID_NO_MECHANICAL);
    state.noBiosOrDevices = Ticked(ID_NO_BIOS_DEVICES);
    state.hasScreen = Ticked(ID_HAS_SCREEN);
    state.noChd = Ticked(ID_NO_CHD);
    state.noSoftwareList = Ticked(ID_NO_SOFTWARE_LIST);
    state.playersAtLeast = std::max(0, m_players->currentIndex());
    state.simultaneous = Ticked(ID_SIMULTANEOUS);
    if (int section = m_bestGames->currentIndex(); section > 0) {
        state.bestAtLeast = std::to_string((section - 1) * BEST_GAMES_STEP);
    }
    state.leftOutCategories = m_leftOutCategories;
}

SetSteps TodaysDataPanel::Steps() const {
    SetSteps steps;
    auto* available = findChild<QAbstractButton*>(QString::number(ID_AVAILABLE));
    if (available->isEnabled() && available->isChecked()) {
        steps.availableFolders = m_availableFolders;
        steps.availableCheck = static_cast<AvailableCheck>(std::max(0, m_availableCheck->currentIndex()));
    }
    steps.onePerTitle = Ticked(ID_ONE_PER_TITLE);
    steps.preferredWords = ToBytes(m_prefer->text());
    if (m_addedSince->isEnabled()) {
        steps.addedSince = ToBytes(m_addedSince->text().trimmed());
        steps.addedBefore = ToBytes(m_addedBefore->text().trimmed());
    }
    return steps;
}

} // namespace pellaquin
