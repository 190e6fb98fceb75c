#pragma once

#include <functional>

class QDialog;

namespace pellaquin {

// Runs a dialog modally and returns its result code; tests install one that clicks the dialog's controls.
using ModalRunner = std::function<int(QDialog&)>;

// Makes every later RunModal go through `runner`; an empty runner brings back the plain QDialog::exec().
void SetModalRunner(ModalRunner runner);

// Runs `dialog` modally through the installed runner and returns the result its closing left
// (QDialog::Accepted or Rejected, or a QMessageBox button code).
int RunModal(QDialog& dialog);

} // namespace pellaquin
