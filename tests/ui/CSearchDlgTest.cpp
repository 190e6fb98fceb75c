#include <string>

#include <QLineEdit>
#include <QTest>

#include "DialogScript.h"
#include "ui/CSearchDlg.h"
#include "ui/ModalSeam.h"

namespace pellaquin {

class CSearchDlgTest : public QObject {
    Q_OBJECT

private slots:
    // The edit shows the text given; OK, clicked or by Enter, takes what was typed, even nothing.
    void okTakesEdit_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("byEnter");
        QTest::newRow("typed, OK clicked") << "Pac" << false;
        QTest::newRow("typed, Enter") << "Galaga" << true;
        QTest::newRow("emptied") << "" << false;
    }
    void okTakesEdit() {
        QFETCH(QString, typed);
        QFETCH(bool, byEnter);
        CSearchDlg dialog;
        dialog.SetSearchText("Ms. Pac");
        QString shown;
        test::ScriptedModals prompts([&](QDialog& prompt) {
            auto* edit = test::Control<QLineEdit>(prompt, CSearchDlg::ID_TEXT);
            shown = edit->text();
            test::TypeOver(*edit, typed);
            if (byEnter) {
                QTest::keyClick(edit, Qt::Key_Return);
            } else {
                test::Click(prompt, 1);
            }
        });
        QCOMPARE(RunModal(dialog), int(QDialog::Accepted));
        QCOMPARE(shown, QString("Ms. Pac"));
        QCOMPARE(QString::fromStdString(dialog.SearchText()), typed);
    }

    // Cancel, clicked or by Escape, keeps the text given whatever was typed.
    void cancelKeepsText_data() {
        QTest::addColumn<bool>("byEscape");
        QTest::newRow("Cancel clicked") << false;
        QTest::newRow("Escape") << true;
    }
    void cancelKeepsText() {
        QFETCH(bool, byEscape);
        CSearchDlg dialog;
        dialog.SetSearchText("Pac");
        test::ScriptedModals prompts([byEscape](QDialog& prompt) {
            test::TypeOver(*test::Control<QLineEdit>(prompt, CSearchDlg::ID_TEXT), "Dig");
            if (byEscape) {
                QTest::keyClick(&prompt, Qt::Key_Escape);
            } else {
                test::Click(prompt, 2);
            }
        });
        QCOMPARE(RunModal(dialog), int(QDialog::Rejected));
        QCOMPARE(dialog.SearchText(), std::string("Pac"));
    }
};

} // namespace pellaquin

QTEST_MAIN(pellaquin::CSearchDlgTest)
#include "CSearchDlgTest.moc"
