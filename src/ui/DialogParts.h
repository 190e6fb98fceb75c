#pragma once

#include <span>
#include <string_view>

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QDialog;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QString;
class QWidget;

namespace pellaquin {

// Control ids are object names, so tests and readers find a control by the number the dialogs are known by.
inline constexpr int ID_OK = 1;
inline constexpr int ID_CANCEL = 2;

// A static text showing `text` (bytes) literally, with "\r\n" as a line break; `id` 0 means it has none.
QLabel* MakeStaticText(QWidget* parent, std::string_view text, int id = 0);

// A push button with `caption`, named by `id`.
QPushButton* MakeButton(QWidget* parent, int id, std::string_view caption);

// A single-line edit named by `id`.
QLineEdit* MakeEdit(QWidget* parent, int id);

// "OK" (id 1, the default button, accepts) above "Cancel" (id 2, rejects), stacked at the top of a column.
QBoxLayout* MakeOkCancelColumn(QDialog& dialog);

// A check box or radio button with `caption`, named by `id`, only as wide as its caption: a click beside the
// caption does nothing, so it must not look as if it would.
QCheckBox* MakeCheckBox(QWidget* parent, int id, std::string_view caption);
QRadioButton* MakeRadioButton(QWidget* parent, int id, std::string_view caption);

// A drop-down box of `items`, named by `id`; an editable one takes typed text as well.
QComboBox* MakeChoiceBox(QWidget* parent, int id, std::span<const char* const> items);
QComboBox* MakeEditableBox(QWidget* parent, int id, std::span<const char* const> items);

// A group box captioned `caption` around `layout`.
QGroupBox* MakeGroup(QWidget* parent, std::string_view caption, QLayout* layout);

// Gives `control` the tooltip `help`, the one it shows while enabled.
void SetHelp(QWidget& control, const QString& help);
// Enables or disables `control`; a disabled one says why in its tooltip, after its help.
void EnableWithReason(QWidget& control, bool enable, const QString& reason);

} // namespace pellaquin
