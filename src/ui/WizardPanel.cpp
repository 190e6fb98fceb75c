#include "ui/WizardPanel.h"

#include <algorithm>
#include <span>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/DialogParts.h"
#include "ui/QtText.h"

namespace pellaquin {

namespace {

constexpr const char* BUTTON_COUNTS[] = {"any", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
constexpr const char* CATEGORIES[] = {"Any",       "Ball & Paddle", "BIOS",     "Breakout",   "Casino",   "Climbing",
                                      "Driving",   "Fighter",       "Maze",     "Mini-Games", "Mature",   "Misc.",
                                      "Multiplay", "Pinball",       "Platform", "Puzzle",     "Quiz",     "Rhythm",
                                      "Shooter",   "Sports",        "Tabletop", "Unplayable", "Wrestling"};
// The buttons box's item for two buttons, which a window opens with.
constexpr int TWO_BUTTONS = 3;

// The boxes the wizard enables and disables as a block, each with what it asks for.
struct Box {
    int id;
    const char* help;
};
constexpr Box BOXES[] = {
    {WizardPanel::ID_BUTTONS, "How many buttons a player needs"},
    {WizardPanel::ID_HORIZONTAL, "Only games whose screen is horizontal"},
    {WizardPanel::ID_VERTICAL, "Only games whose screen is vertical"},
    {WizardPanel::ID_COCKTAIL, "Only games made for a cocktail table"},
    {WizardPanel::ID_UPRIGHT, "Games of any cabinet"},
    {WizardPanel::ID_OR_LESS, "Also the games that need fewer buttons"},
    {WizardPanel::ID_JOY4WAY, "Games with a 4-way joystick"},
    {WizardPanel::ID_JOY8WAY, "Games with an 8-way joystick"},
    {WizardPanel::ID_DIAL, "Games played with a dial or spinner"},
    {WizardPanel::ID_TRACKBALL, "Games played with a trackball"},
    {WizardPanel::ID_NO_CLONES, "Leave out the clones: keep each game's original set"},
    {WizardPanel::ID_NO_SAMPLES, "Leave out the games that need sound samples"},
    {WizardPanel::ID_PLAYABLE, "Leave out the games whose emulation is preliminary"},
    {WizardPanel::ID_JOY2WAY, "Games with a 2-way joystick"},
    {WizardPanel::ID_PEDAL, "Games with a pedal"},
};
// What controls.xml cannot answer: it has no screen, clone, sample or emulation data.
constexpr int GAME_DATA_BOXES[] = {WizardPanel::ID_PLAYABLE, WizardPanel::ID_VERTICAL, WizardPanel::ID_HORIZONTAL,
                                   WizardPanel::ID_NO_SAMPLES, WizardPanel::ID_NO_CLONES};
const QString NO_GAME_DATA = QStringLiteral("controls.xml holds no screen, clone, sample or emulation data");

} // namespace

WizardPanel::WizardPanel(QWidget* parent) : QWidget(parent) {
    BuildControls();
    for (const Box& box : BOXES) {
        auto* button = findChild<QAbstractButton*>(QString::number(box.id));
        if (button == nullptr) {
            continue;
        }
        if (box.id == ID_COCKTAIL || box.id == ID_UPRIGHT) {
            // The two cabinet buttons set each other before the command is composed.
            connect(button, &QAbstractButton::clicked, this, [this, id = box.id] {
                findChild<QAbstractButton*>(QString::number(ID_COCKTAIL))->setChecked(id == ID_COCKTAIL);
                findChild<QAbstractButton*>(QString::number(ID_UPRIGHT))->setChecked(id == ID_UPRIGHT);
                emit Changed();
            });
        } else {
            connect(button, &QAbstractButton::clicked, this, &WizardPanel::Changed);
        }
    }
    connect(findChild<QAbstractButton*>(QString::number(ID_NOT)), &QAbstractButton::clicked, this,
            &WizardPanel::Changed);
    connect(m_buttons, &QComboBox::activated, this, [this] {
        m_orLess = SelectedIndex(*m_buttons) > 1;
        EnableWithReason(*findChild<QWidget*>(QString::number(ID_OR_LESS)), m_orLess && m_buttons->isEnabled(),
                         QStringLiteral("Choose 1 or more buttons first"));
        emit Changed();
    });
    connect(m_category, &QComboBox::activated, this, [this] {
        EnableCategory();
        emit Changed();
    });
}

void WizardPanel::BuildControls() {
    auto* machine = new QGridLayout;
    machine->addWidget(MakeRadioButton(this, ID_COCKTAIL, "Cocktail"), 0, 0);
    machine->addWidget(MakeRadioButton(this, ID_UPRIGHT, "Upright"), 1, 0);
    machine->addWidget(MakeStaticText(this, "and is"), 0, 1, 2, 1);
    machine->addWidget(MakeCheckBox(this, ID_HORIZONTAL, "Horizontal Only"), 0, 2);
    machine->addWidget(MakeCheckBox(this, ID_VERTICAL, "Vertical Only"), 1, 2);
    // The two cabinet buttons are set by their own handlers, not by each other.
    for (int id : {ID_COCKTAIL, ID_UPRIGHT}) {
        findChild<QRadioButton*>(QString::number(id))->setAutoExclusive(false);
    }

    auto* buttons = new QGridLayout;
    m_buttons = MakeEditableBox(this, ID_BUTTONS, BUTTON_COUNTS);
    buttons->addWidget(m_buttons, 0, 0);
    buttons->addWidget(MakeStaticText(this, "Buttons"), 0, 1);
    buttons->addWidget(MakeCheckBox(this, ID_OR_LESS, "or less"), 1, 0, 1, 2);

    auto* controls = new QGridLayout;
    controls->addWidget(MakeCheckBox(this, ID_JOY2WAY, "2-way"), 0, 0);
    controls->addWidget(MakeCheckBox(this, ID_JOY4WAY, "4-way"), 1, 0);
    controls->addWidget(MakeCheckBox(this, ID_JOY8WAY, "8-way"), 2, 0);
    controls->addWidget(MakeCheckBox(this, ID_DIAL, "Dial (spinner)"), 0, 1);
    controls->addWidget(MakeCheckBox(this, ID_TRACKBALL, "Trackball"), 1, 1);
    controls->addWidget(MakeCheckBox(this, ID_PEDAL, "Pedal"), 2, 1);

    auto* category = new QVBoxLayout;
    // The box keeps its items sorted, ignoring case, with "Any" first.
    QStringList sorted;
    for (const char* name : std::span(CATEGORIES).subspan(1)) {
        sorted << QString::fromLatin1(name);
    }
    std::sort(sorted.begin(), sorted.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    m_category = MakeEditableBox(this, ID_CATEGORY, std::span(CATEGORIES).first(1));
    m_category->addItems(sorted);
    category->addWidget(m_category);
    category->addWidget(MakeCheckBox(this, ID_NOT, "Not"));
    category->addStretch();

    auto* misc = new QVBoxLayout;
    misc->addWidget(MakeCheckBox(this, ID_NO_CLONES, "No Clones"));
    misc->addWidget(MakeCheckBox(this, ID_NO_SAMPLES, "No Samples"));
    misc->addWidget(MakeCheckBox(this, ID_PLAYABLE, "Playable"));

    for (const Box& box : BOXES) {
        SetHelp(*findChild<QWidget*>(QString::number(box.id)), QString::fromLatin1(box.help));
    }
    SetHelp(*m_category, QStringLiteral("Games of this category, from catver.ini in a merged file"));
    SetHelp(*findChild<QWidget*>(QString::number(ID_NOT)), QStringLiteral("Every category but this one"));

    // One row, so the window stays low enough for a laptop's screen.
    auto* groups = new QHBoxLayout(this);
    groups->setContentsMargins(0, 0, 0, 0);
    groups->addWidget(MakeGroup(this, "Machine type", machine));
    groups->addWidget(MakeGroup(this, "Buttons", buttons));
    groups->addWidget(MakeGroup(this, "Controls", controls));
    groups->addWidget(MakeGroup(this, "Category", category));
    groups->addWidget(MakeGroup(this, "Misc", misc));
    groups->addStretch();
}

bool WizardPanel::Ticked(int id) const {
    return findChild<QAbstractButton*>(QString::number(id))->isChecked();
}

void WizardPanel::SetInput(InputFormat format) {
    m_format = format;
    m_category->setCurrentIndex(0);
    findChild<QAbstractButton*>(QString::number(ID_NOT))->setChecked(false);
    EnableCategory();
    // What this file cannot answer is unticked now, not only once the boxes are enabled again.
    if (m_format == FORMAT_CONTROLS) {
        findChild<QAbstractButton*>(QString::number(ID_PLAYABLE))->setChecked(false);
    }
}

void WizardPanel::SetDefaults() {
    m_orLess = true;
    findChild<QAbstractButton*>(QString::number(ID_COCKTAIL))->setChecked(false);
    findChild<QAbstractButton*>(QString::number(ID_UPRIGHT))->setChecked(true);
    m_buttons->setCurrentIndex(TWO_BUTTONS);
    findChild<QAbstractButton*>(QString::number(ID_PLAYABLE))->setChecked(m_format != FORMAT_CONTROLS);
    findChild<QAbstractButton*>(QString::number(ID_OR_LESS))->setChecked(true);
}

void WizardPanel::EnableBoxes(bool enable, const QString& reason) {
    for (const Box& box : BOXES) {
        EnableWithReason(*findChild<QWidget*>(QString::number(box.id)), enable, reason);
    }
    if (m_format == FORMAT_CONTROLS) {
        findChild<QAbstractButton*>(QString::number(ID_PLAYABLE))->setChecked(false);
        for (int id : GAME_DATA_BOXES) {
            EnableWithReason(*findChild<QWidget*>(QString::number(id)), false, enable ? NO_GAME_DATA : reason);
        }
    }
    findChild<QAbstractButton*>(QString::number(ID_OR_LESS))->setChecked(m_orLess);
    if (enable && !m_orLess) {
        EnableWithReason(*findChild<QWidget*>(QString::number(ID_OR_LESS)), false,
                         QStringLiteral("Choose 1 or more buttons first"));
    }
}

void WizardPanel::EnableCategory() {
    bool categories = m_format == FORMAT_MERGED;
    EnableWithReason(*m_category, categories,
                     QStringLiteral("Only a merged file carries categories: make one in Settings and Tools"));
    EnableWithReason(*findChild<QWidget*>(QString::number(ID_NOT)), categories && SelectedIndex(*m_category) != 0,
                     categories ? QStringLiteral("Choose a category first")
                                : QStringLiteral("Only a merged file carries categories"));
}

void WizardPanel::ReadState(WizardState& state) const {
    state.cocktail = Ticked(ID_COCKTAIL);
    state.horizontalOnly = Ticked(ID_HORIZONTAL);
    state.verticalOnly = Ticked(ID_VERTICAL);
    state.buttonsIndex = SelectedIndex(*m_buttons);
    state.orLess = Ticked(ID_OR_LESS);
    state.joy2way = Ticked(ID_JOY2WAY);
    state.joy4way = Ticked(ID_JOY4WAY);
    state.joy8way = Ticked(ID_JOY8WAY);
    state.dial = Ticked(ID_DIAL);
    state.trackball = Ticked(ID_TRACKBALL);
    state.pedal = Ticked(ID_PEDAL);
    state.noClones = Ticked(ID_NO_CLONES);
    state.noSamples = Ticked(ID_NO_SAMPLES);
    state.playable = Ticked(ID_PLAYABLE);
    state.categoryIndex = SelectedIndex(*m_category);
    state.categoryText = ToBytes(m_category->itemText(state.categoryIndex));
    state.categoryNot = Ticked(ID_NOT);
}

int SelectedIndex(const QComboBox& box) {
    int index = box.currentIndex();
    return index >= 0 && box.currentText() == box.itemText(index) ? index : 0;
}

} // namespace pellaquin
