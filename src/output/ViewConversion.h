#pragma once

#include <string>

namespace pellaquin {

enum class OutputType { XML, CSV, BATCH, DESCRIPTIONS, NAMES, MALA, ATOMIC_FE };

class GameScanner;
class InputFile;

// Runs the writer of a list type that leaves its list in the result text (every type but the MaLa
// list, which writes its own file): the one path the window and the command line share.
void WriteResultList(GameScanner& scanner, InputFile& input, OutputType type, const std::string& batchTemplate);

// What the "Window" box does to a result before it is shown: every "\n" becomes "\r\n", and for
// the Atomic FE list ".zip\r\n", so each line names the game's zip.
void ConvertForView(std::string& resultText, OutputType type);

} // namespace pellaquin
