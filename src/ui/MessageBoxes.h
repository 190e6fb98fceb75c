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

} // namespace pellaquin
