#pragma once

#include <string>

class QWidget;

namespace pellaquin {

// The title of every message box.
inline constexpr char APPLICATION_NAME[] = "Pellaquin";

enum class MessageIcon { NONE, ERROR, EXCLAMATION };

// Shows `text` (bytes; a "\r\n" breaks the line) in a box titled with the application's name, with `icon` and
// one OK button (object name "1"), through RunModal; returns when the user has closed it.
void ShowMessage(QWidget* parent, const std::string& text, MessageIcon icon = MessageIcon::NONE);

// What the user is told when the settings store cannot be written.
inline constexpr const char* SETTINGS_NOT_SAVED = "Your settings could not be saved!?\r\nThey hold for this run only.";

// The ids of a question's buttons.
inline constexpr int ID_YES = 6;
inline constexpr int ID_NO = 7;

// The button Enter presses in a question.
enum class DefaultAnswer { NO, YES };

// Asks `text` in a box titled with the application's name, with a question icon and the buttons "Yes" (object
// name "6") and "No" (object name "7", the one Escape and closing give), through RunModal; true for "Yes".
bool AskYesNo(QWidget* parent, const std::string& text, DefaultAnswer answer = DefaultAnswer::NO);

// True when nothing is at `path`, or the user answers "Yes" to replacing what is.
bool MayReplace(QWidget* parent, const std::string& path);

} // namespace pellaquin
