#include "ui/ModalSeam.h"

#include <utility>

#include <QDialog>

namespace pellaquin {

namespace {

ModalRunner& InstalledRunner() {
    static ModalRunner runner;
    return runner;
}

} // namespace

void SetModalRunner(ModalRunner runner) {
    InstalledRunner() = std::move(runner);
}

int RunModal(QDialog& dialog) {
    // A copy, so a runner may install another one (for a prompt it opens) while it runs.
    ModalRunner runner = InstalledRunner();
    if (!runner) {
        return dialog.exec();
    }
    return runner(dialog);
}

} // namespace pellaquin
