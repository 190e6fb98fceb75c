#include <string>

#include <QDialog>
#include <QTest>
#include <QTimer>

#include "ui/ModalSeam.h"

namespace pellaquin {

class ModalSeamTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { SetModalRunner(nullptr); }

    // An installed runner is handed the very dialog, and what it returns is RunModal's result.
    void runnerDecidesResult() {
        QDialog dialog;
        QDialog* seen = nullptr;
        SetModalRunner([&seen](QDialog& prompt) {
            seen = &prompt;
            return 42;
        });
        QCOMPARE(RunModal(dialog), 42);
        QCOMPARE(seen, &dialog);
    }

    // Clearing the runner brings back a real modal run of the dialog.
    void emptyRunnerRunsExec() {
        bool runnerCalled = false;
        SetModalRunner([&runnerCalled](QDialog&) {
            runnerCalled = true;
            return 0;
        });
        SetModalRunner(nullptr);
        QDialog dialog;
        QTimer::singleShot(0, &dialog, &QDialog::accept);
        QCOMPARE(RunModal(dialog), int(QDialog::Accepted));
        QVERIFY(!runnerCalled);
    }

    // A runner that installs another one while it runs (a prompt opened from a script) finishes safely.
    void runnerMayReplaceItself() {
        std::string captured = "still here after the replacement";
        std::string seenAfter;
        SetModalRunner([captured, &seenAfter](QDialog&) {
            SetModalRunner([](QDialog&) { return 7; });
            seenAfter = captured;
            return 1;
        });
        QDialog dialog;
        QCOMPARE(RunModal(dialog), 1);
        QCOMPARE(seenAfter, captured);
        QCOMPARE(RunModal(dialog), 7);
    }
};

} // namespace pellaquin

QTEST_MAIN(pellaquin::ModalSeamTest)
#include "ModalSeamTest.moc"
