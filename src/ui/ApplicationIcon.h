#pragma once

#include <QIcon>

namespace pellaquin {

// The program's own icon, drawn rather than shipped: a joystick on an arcade cabinet's panel.
QIcon ApplicationIcon();

} // namespace pellaquin
