#pragma once

#include <QWidget>

#include "records/InputFormat.h"
#include "search/WizardCommand.h"

class QComboBox;

namespace pellaquin {

// The Quick-find Wizard's boxes: machine type, buttons, controls, category and the rest, each asking
// for a term of the search command.
class WizardPanel : public QWidget {
    Q_OBJECT
public:
    enum ControlId {
        ID_BUTTONS = 1003,
        ID_HORIZONTAL = 1004,
        ID_VERTICAL = 1005,
        ID_COCKTAIL = 1006,
        ID_UPRIGHT = 1007,
        ID_OR_LESS = 1008,
        ID_JOY4WAY = 1009,
        ID_JOY8WAY = 1010,
        ID_DIAL = 1011,
        ID_TRACKBALL = 1012,
        ID_NO_CLONES = 1013,
        ID_NO_SAMPLES = 1014,
        ID_PLAYABLE = 1015,
        ID_JOY2WAY = 1016,
        ID_PEDAL = 1017,
        ID_CATEGORY = 1022,
        ID_NOT = 1023,
    };

    explicit WizardPanel(QWidget* parent = nullptr);

    // A new input file: its format decides which boxes it can answer, and the category starts at "Any".
    void SetInput(InputFormat format);
    // The choices a window opens with: Upright, 2 buttons or less, Playable.
    void SetDefaults();
    // Enables or disables the boxes (not the category's) as a block, each greyed one saying `reason`;
    // the boxes a controls.xml file cannot answer stay off and unticked.
    void EnableBoxes(bool enable, const QString& reason = {});
    // Puts what the boxes show into the wizard's part of `state`.
    void ReadState(WizardState& state) const;

signals:
    // A box was clicked or chosen: the command is to be composed again.
    void Changed();

private:
    void BuildControls();
    void EnableCategory();
    bool Ticked(int id) const;

    InputFormat m_format = FORMAT_UNKNOWN;
    // True when the buttons box asks for 1 or more, which "or less" can widen.
    bool m_orLess = true;
    QComboBox* m_buttons = nullptr;
    QComboBox* m_category = nullptr;
};

// The item a drop-down box shows; typed text that names no item leaves it at 0, which asks for nothing.
int SelectedIndex(const QComboBox& box);

} // namespace pellaquin
