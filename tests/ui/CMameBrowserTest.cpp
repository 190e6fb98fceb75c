#include <QTest>

#include "DialogScript.h"
#include "ui/CMameBrowser.h"
#include "ui/ModalSeam.h"

namespace pellaquin {

class CMameBrowserTest : public QObject {
    Q_OBJECT

private slots:
    // "Next >>>" and Enter accept the dialog; "Quit" and Escape reject it.
    void buttonsDecideResult_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        QTest::newRow("Next >>>") << 1 << 0 << int(QDialog::Accepted);
        QTest::newRow("Enter") << 0 << int(Qt::Key_Return) << int(QDialog::Accepted);
        QTest::newRow("Quit") << 2 << 0 << int(QDialog::Rejected);
        QTest::newRow("Escape") << 0 << int(Qt::Key_Escape) << int(QDialog::Rejected);
    }
    void buttonsDecideResult() {
        QFETCH(int, button);
        QFETCH(int, key);
        QFETCH(int, result);
        CMameBrowser dialog;
        test::ScriptedModals prompts([&](QDialog& prompt) {
            if (button != 0) {
                test::Click(prompt, button);
            } else {
                QTest::keyClick(&prompt, Qt::Key(key));
            }
        });
        QCOMPARE(RunModal(dialog), result);
        QVERIFY(!dialog.isVisible());
    }
};

} // namespace pellaquin

QTEST_MAIN(pellaquin::CMameBrowserTest)
#include "CMameBrowserTest.moc"
