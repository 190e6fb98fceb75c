#pragma once

#include <string_view>

class QBoxLayout;
class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
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

} // namespace pellaquin
