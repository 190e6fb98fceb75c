#pragma once

#include <string>

namespace pellaquin {

enum class OutputType { XML, CSV, BATCH, DESCRIPTIONS, NAMES, MALA, ATOMIC_FE };

// What the "Window" box does to a result before it is shown: every "\n" becomes "\r\n", and for
// the Atomic FE list ".zip\r\n", so each line names the game's zip.
void ConvertForView(std::string& resultText, OutputType type);

} // namespace pellaquin
