#pragma once

#include <string>

namespace pellaquin {

// The start-up sequence: a stored settings key means a normal start with the stored input path;
// without it the welcome dialog comes first, and "Next >>>" opens the main window on the settings
// window. Runs the main window until it closes. `inputXmlPath` receives the stored input path.
void RunStartUp(std::string& inputXmlPath);

} // namespace pellaquin
