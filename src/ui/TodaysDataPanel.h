#pragma once

#include <string>
#include <vector>

#include <QWidget>

#include "output/SetSteps.h"
#include "records/InputFormat.h"
#include "search/InputValues.h"
#include "search/WizardCommand.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace pellaquin {

// The choices on today's data (working, kind of machine, players, rating, categories left out), which
// listings of machines and merged files can answer, and the set steps that keep a part of what the
// search matched.
class TodaysDataPanel : public QWidget {
    Q_OBJECT
public:
    enum ControlId {
        ID_WORKING = 1101,
        ID_NO_MECHANICAL = 1102,
        ID_NO_BIOS_DEVICES = 1103,
        ID_HAS_SCREEN = 1104,
        ID_NO_CHD = 1105,
        ID_NO_SOFTWARE_LIST = 1106,
        ID_PLAYERS = 1107,
        ID_SIMULTANEOUS = 1108,
        ID_BEST_GAMES = 1109,
        ID_LEAVE_OUT = 1110,
        ID_LEFT_OUT = 1111,
        ID_AVAILABLE = 1120,
        ID_ONE_PER_TITLE = 1121,
        ID_PREFER = 1122,
        ID_ADDED_SINCE = 1123,
        ID_ADDED_BEFORE = 1124,
        ID_AVAILABLE_CHECK = 1125,
    };

    explicit TodaysDataPanel(QWidget* parent = nullptr);

    // A new input file: what it can answer, and the values of a merged file. No category is left out.
    void SetInput(InputFormat format, RecordElement element, InputValues values);
    // The folders "Only sets I have" looks in.
    void SetAvailableFolders(std::vector<std::string> folders);
    // Enables the choices on today's data the file can answer, or disables them all saying `reason`, as
    // the wizard's boxes are.
    void EnableChoices(bool enable, const QString& reason = {});
    // Puts the choices on today's data into `state`.
    void ReadState(WizardState& state) const;
    // The set steps the boxes ask for.
    SetSteps Steps() const;

signals:
    // A choice changed: the command is to be composed again.
    void Changed();

private:
    void BuildControls();
    void ChooseLeftOutCategories();
    void EnableByFile();
    bool Ticked(int id) const;

    InputFormat m_format = FORMAT_UNKNOWN;
    RecordElement m_element = RecordElement::GAME;
    InputValues m_values;
    bool m_enabled = true;
    QString m_reason;
    std::vector<std::string> m_leftOutCategories;
    std::vector<std::string> m_availableFolders;
    QComboBox* m_working = nullptr;
    QComboBox* m_players = nullptr;
    QComboBox* m_bestGames = nullptr;
    QComboBox* m_availableCheck = nullptr;
    QLabel* m_leftOut = nullptr;
    QLineEdit* m_prefer = nullptr;
    QLineEdit* m_addedSince = nullptr;
    QLineEdit* m_addedBefore = nullptr;
};

} // namespace pellaquin
