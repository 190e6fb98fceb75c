#include "ui/CPellaquinDlg.h"

#include <algorithm>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/ApplicationIcon.h"
#include "ui/DialogParts.h"
#include "ui/QtText.h"
#include "ui/ResultView.h"

namespace pellaquin {

namespace {

constexpr const char* BUTTON_COUNTS[] = {"any", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
constexpr const char* WORKING_CHOICES[] = {"any", "good only", "good or imperfect"};
constexpr const char* PLAYER_COUNTS[] = {"any", "1", "2", "3", "4", "5", "6", "7", "8"};
// The sections of bestgames.ini by their ranges, whose first number the wizard asks for.
constexpr const char* BEST_GAMES_SECTIONS[] = {"any",      "0 to 10",  "10 to 20", "20 to 30", "30 to 40", "40 to 50",
                                               "50 to 60", "60 to 70", "70 to 80", "80 to 90", "90 to 100"};
constexpr const char* CATEGORIES[] = {"Any",       "Ball & Paddle", "BIOS",     "Breakout",   "Casino",   "Climbing",
                                      "Driving",   "Fighter",       "Maze",     "Mini-Games", "Mature",   "Misc.",
                                      "Multiplay", "Pinball",       "Platform", "Puzzle",     "Quiz",     "Rhythm",
                                      "Shooter",   "Sports",        "Tabletop", "Unplayable", "Wrestling"};

template <typename T> T* Named(T* control, int id) {
    control->setObjectName(QString::number(id));
    return control;
}

// A box or button only as wide as its caption: a click beside the caption does nothing, so it must
// not look as if it would.
template <typename T> T* Captioned(T* control, int id) {
    control->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    return Named(control, id);
}

QCheckBox* MakeCheckBox(QWidget* parent, int id, std::string_view caption) {
    return Captioned(new QCheckBox(ToQString(caption), parent), id);
}

QRadioButton* MakeRadioButton(QWidget* parent, int id, std::string_view caption) {
    return Captioned(new QRadioButton(ToQString(caption), parent), id);
}

// A drop-down box with an edit field, as the wizard's two boxes are.
QComboBox* MakeEditableBox(QWidget* parent, int id, QStringList items) {
    auto* box = Named(new QComboBox(parent), id);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(items);
    return box;
}

template <std::size_t N> QComboBox* MakeChoiceBox(QWidget* parent, int id, const char* const (&items)[N]) {
    auto* box = Named(new QComboBox(parent), id);
    for (const char* item : items) {
        box->addItem(ToQString(item));
    }
    return box;
}

QGroupBox* MakeGroup(QWidget* parent, const char* caption, QLayout* layout) {
    auto* group = new QGroupBox(ToQString(caption), parent);
    group->setLayout(layout);
    return group;
}

} // namespace

void CPellaquinDlg::BuildControls() {
    setWindowTitle("Pellaquin build 007");
    setWindowIcon(ApplicationIcon());
    setWindowFlags(Qt::Window | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    auto* top = new QHBoxLayout;
    top->addWidget(BuildWizard(), 1);
    top->addWidget(BuildTodaysData());
    top->addWidget(MakeStaticText(this, "-->"));
    m_go = MakeButton(this, ID_GO, "Go!");
    m_go->setDefault(true);
    top->addWidget(m_go, 0, Qt::AlignTop);
    QPushButton* quit = MakeButton(this, ID_QUIT, "Quit");
    quit->hide();

    auto* viewColumn = new QVBoxLayout;
    m_viewLabel = MakeStaticText(this, OPENING_VIEW_LABEL, ID_VIEW_LABEL);
    viewColumn->addWidget(m_viewLabel);
    auto* viewRow = new QHBoxLayout;
    m_view = Named(new ResultView(this), ID_VIEW);
    viewRow->addWidget(m_view, 1);
    auto* browseColumn = new QVBoxLayout;
    m_prev = MakeButton(this, ID_PREV, "Prev");
    m_search = MakeButton(this, ID_SEARCH, "Search");
    m_next = MakeButton(this, ID_NEXT, "Next");
    browseColumn->addWidget(m_prev);
    browseColumn->addWidget(m_search);
    browseColumn->addWidget(m_next);
    browseColumn->addStretch();
    viewRow->addLayout(browseColumn);
    viewColumn->addLayout(viewRow, 1);

    auto* middle = new QHBoxLayout;
    middle->addLayout(viewColumn, 1);
    middle->addWidget(BuildOutputChoices());

    auto* command = new QVBoxLayout;
    command->addWidget(MakeStaticText(this, "This is the search command used.  You can add your own criteria here."));
    auto* commandRow = new QHBoxLayout;
    m_commandLabel = MakeStaticText(this, "-find:", ID_COMMAND_LABEL);
    m_commandLine = MakeEdit(this, ID_COMMAND_LINE);
    commandRow->addWidget(m_commandLabel);
    commandRow->addWidget(m_commandLine, 1);
    command->addLayout(commandRow);

    auto* window = new QVBoxLayout(this);
    window->addLayout(top);
    window->addLayout(middle, 1);
    window->addLayout(command);
}

QWidget* CPellaquinDlg::BuildWizard() {
    auto* machine = new QGridLayout;
    machine->addWidget(MakeRadioButton(this, ID_COCKTAIL, "Cocktail"), 0, 0);
    machine->addWidget(MakeRadioButton(this, ID_UPRIGHT, "Upright"), 1, 0);
    machine->addWidget(MakeStaticText(this, "and is"), 0, 1, 2, 1);
    machine->addWidget(MakeCheckBox(this, ID_HORIZONTAL, "Horizontal Only"), 0, 2);
    machine->addWidget(MakeCheckBox(this, ID_VERTICAL, "Vertical Only"), 1, 2);
    // The two cabinet buttons are set by their own handlers, not by each other.
    for (int id : {ID_COCKTAIL, ID_UPRIGHT}) {
        static_cast<QRadioButton*>(Button(id))->setAutoExclusive(false);
    }

    auto* buttons = new QGridLayout;
    QStringList counts;
    for (const char* count : BUTTON_COUNTS) {
        counts << count;
    }
    m_buttons = MakeEditableBox(this, ID_BUTTONS, counts);
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
    QStringList categories;
    for (const char* name : CATEGORIES) {
        categories << name;
    }
    // The box keeps its items sorted, ignoring case, with "Any" first.
    std::sort(categories.begin() + 1, categories.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    m_category = MakeEditableBox(this, ID_CATEGORY, categories);
    category->addWidget(m_category);
    category->addWidget(MakeCheckBox(this, ID_NOT, "Not"));

    auto* misc = new QVBoxLayout;
    misc->addWidget(MakeCheckBox(this, ID_NO_CLONES, "No Clones"));
    misc->addWidget(MakeCheckBox(this, ID_NO_SAMPLES, "No Samples"));
    misc->addWidget(MakeCheckBox(this, ID_PLAYABLE, "Playable"));

    // Two rows, so the window fits a small screen.
    auto* groups = new QGridLayout;
    groups->addWidget(MakeGroup(this, "Machine type", machine), 0, 0);
    groups->addWidget(MakeGroup(this, "Buttons", buttons), 0, 1);
    groups->addWidget(MakeGroup(this, "Controls", controls), 0, 2);
    groups->addWidget(MakeGroup(this, "Category", category), 1, 0);
    groups->addWidget(MakeGroup(this, "Misc", misc), 1, 1, 1, 2);
    return MakeGroup(this, "Quick-find Wizard", groups);
}

QWidget* CPellaquinDlg::BuildTodaysData() {
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

    // The steps after the search, on one row each.
    auto* sets = new QGridLayout;
    sets->addWidget(MakeCheckBox(this, ID_AVAILABLE, "Only sets I have"), 0, 0);
    sets->addWidget(MakeCheckBox(this, ID_ONE_PER_TITLE, "One per title, prefer:"), 0, 1);
    m_prefer = MakeEdit(this, ID_PREFER);
    m_prefer->setText(ToQString(DEFAULT_PREFERRED_WORDS));
    m_prefer->setMaximumWidth(24 * fontMetrics().averageCharWidth());
    sets->addWidget(m_prefer, 0, 2, 1, 3);
    sets->addWidget(MakeStaticText(this, "Added since:"), 1, 1);
    m_addedSince = MakeEdit(this, ID_ADDED_SINCE);
    sets->addWidget(m_addedSince, 1, 2);
    sets->addWidget(MakeStaticText(this, "before:"), 1, 3);
    m_addedBefore = MakeEdit(this, ID_ADDED_BEFORE);
    sets->addWidget(m_addedBefore, 1, 4);
    for (QLineEdit* version : {m_addedSince, m_addedBefore}) {
        version->setPlaceholderText(QStringLiteral("0.250"));
        version->setMaximumWidth(8 * fontMetrics().averageCharWidth());
    }

    auto* groups = new QGridLayout;
    groups->addWidget(MakeGroup(this, "Kind", kinds), 0, 0);
    groups->addWidget(MakeGroup(this, "Players and rating", people), 0, 1);
    groups->addWidget(MakeGroup(this, "Sets", sets), 1, 0, 1, 2);
    return MakeGroup(this, "Today's data", groups);
}

QWidget* CPellaquinDlg::BuildOutputChoices() {
    auto* column = new QVBoxLayout;
    column->addWidget(MakeButton(this, ID_SETTINGS, "Settings and Tools"));

    // Two columns: the classic lists, and beside them those for today's front-ends and ROM managers.
    auto* types = new QGridLayout;
    m_outputTypes = new QButtonGroup(this);
    int rows[2] = {0, 0};
    for (const ListTypeInfo& type : ListTypes()) {
        QRadioButton* button = MakeRadioButton(this, type.controlId, type.caption);
        m_outputTypes->addButton(button, type.controlId);
        int typeColumn = type.wholeDocument ? 1 : 0;
        types->addWidget(button, rows[typeColumn]++, typeColumn);
    }
    column->addWidget(MakeGroup(this, "Output Type", types));

    auto* outputTo = new QVBoxLayout;
    m_window = MakeCheckBox(this, ID_WINDOW, "Window");
    m_file = MakeCheckBox(this, ID_FILE, "File");
    outputTo->addWidget(m_window);
    outputTo->addWidget(m_file);
    column->addWidget(MakeGroup(this, "Output to", outputTo));

    auto* view = new QVBoxLayout;
    m_inputFileView = MakeRadioButton(this, ID_INPUT_FILE_VIEW, "Input file");
    m_searchResultsView = MakeRadioButton(this, ID_SEARCH_RESULTS_VIEW, "Search Results");
    view->addWidget(m_inputFileView);
    view->addWidget(m_searchResultsView);
    m_viewGroup = Named(MakeGroup(this, "View", view), ID_VIEW_GROUP);
    m_viewGroup->hide();
    column->addWidget(m_viewGroup);
    column->addStretch();

    auto* choices = new QWidget(this);
    choices->setLayout(column);
    return choices;
}

} // namespace pellaquin
