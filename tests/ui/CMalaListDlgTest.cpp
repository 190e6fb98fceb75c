#include <string>

#include <QLineEdit>
#include <QTest>

#include "DialogScript.h"
#include "ui/CMalaListDlg.h"
#include "ui/ModalSeam.h"

namespace pellaquin {

class CMalaListDlgTest : public QObject {
    Q_OBJECT

private slots:
    // The edit shows the title given and OK takes what was typed, byte for byte, even nothing.
    void okTakesEdit_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("title");
        QTest::newRow("typed") << "Shooters" << QByteArray("Shooters");
        QTest::newRow("non-ASCII") << QString::fromUtf8("Sp\xc3\xa9"
                                                        "ciaux")
                                   << QByteArray("Sp\xc3\xa9"
                                                 "ciaux");
        QTest::newRow("emptied") << "" << QByteArray();
    }
    void okTakesEdit() {
        QFETCH(QString, typed);
        QFETCH(QByteArray, title);
        CMalaListDlg dialog;
        dialog.SetListTitle("My list");
        QString shown;
        test::ScriptedModals prompts([&](QDialog& prompt) {
            auto* edit = test::Control<QLineEdit>(prompt, CMalaListDlg::ID_TITLE);
            shown = edit->text();
            test::TypeOver(*edit, typed);
            test::Click(prompt, 1);
        });
        QCOMPARE(RunModal(dialog), int(QDialog::Accepted));
        QCOMPARE(shown, QString("My list"));
        QCOMPARE(QByteArray::fromStdString(dialog.ListTitle()), title);
    }

    // Cancel keeps the title given whatever was typed.
    void cancelKeepsTitle() {
        CMalaListDlg dialog;
        dialog.SetListTitle("My list");
        test::ScriptedModals prompts([](QDialog& prompt) {
            test::TypeOver(*test::Control<QLineEdit>(prompt, CMalaListDlg::ID_TITLE), "Other");
            test::Click(prompt, 2);
        });
        QCOMPARE(RunModal(dialog), int(QDialog::Rejected));
        QCOMPARE(dialog.ListTitle(), std::string("My list"));
    }
};

} // namespace pellaquin

QTEST_MAIN(pellaquin::CMalaListDlgTest)
#include "CMalaListDlgTest.moc"
