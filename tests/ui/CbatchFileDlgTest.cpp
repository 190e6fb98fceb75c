#include <string>

#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "DialogScript.h"
#include "ui/CbatchFileDlg.h"
#include "ui/ModalSeam.h"

namespace pellaquin {

class CbatchFileDlgTest : public QObject {
    Q_OBJECT

private slots:
    // The caption and both explanations read as users know them, the CR LF pairs as line breaks.
    void showsTexts() {
        CbatchFileDlg dialog;
        QCOMPARE(dialog.windowTitle(), QString("Batch file creation"));
        QStringList texts;
        for (QLabel* label : dialog.findChildren<QLabel*>()) {
            texts << label->text();
        }
        QVERIFY(texts.contains("Batch files are built off the ROM name only.\n\nEdit the below text to suit your "
                               "needs, using %ROM% as a placeholder where the name will be inserted."));
        QVERIFY(texts.contains("Examples:\ncopy %ROM%.png c:\\mame\\snap\ndel %ROM%.zip"));
    }

    // The edit shows the template given; OK takes what was typed unchecked, even without placeholder or empty.
    void okTakesEdit_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("placeholder twice") << "%ROM%%ROM%";
        QTest::newRow("no placeholder") << "echo %rom%";
        QTest::newRow("emptied") << "";
    }
    void okTakesEdit() {
        QFETCH(QString, typed);
        CbatchFileDlg dialog;
        dialog.SetBatchTemplate("copy %ROM%.zip c:\\mame\\roms");
        QString shown;
        test::ScriptedModals prompts([&](QDialog& prompt) {
            auto* edit = test::Control<QLineEdit>(prompt, CbatchFileDlg::ID_TEMPLATE);
            shown = edit->text();
            test::TypeOver(*edit, typed);
            test::Click(prompt, 1);
        });
        QCOMPARE(RunModal(dialog), int(QDialog::Accepted));
        QCOMPARE(shown, QString("copy %ROM%.zip c:\\mame\\roms"));
        QCOMPARE(QString::fromStdString(dialog.BatchTemplate()), typed);
    }

    // Cancel after editing keeps the template given.
    void cancelKeepsTemplate() {
        CbatchFileDlg dialog;
        dialog.SetBatchTemplate("copy %ROM%.zip c:\\mame\\roms");
        test::ScriptedModals prompts([](QDialog& prompt) {
            test::TypeOver(*test::Control<QLineEdit>(prompt, CbatchFileDlg::ID_TEMPLATE), "");
            test::Click(prompt, 2);
        });
        QCOMPARE(RunModal(dialog), int(QDialog::Rejected));
        QCOMPARE(dialog.BatchTemplate(), std::string("copy %ROM%.zip c:\\mame\\roms"));
    }
};

} // namespace pellaquin

QTEST_MAIN(pellaquin::CbatchFileDlgTest)
#include "CbatchFileDlgTest.moc"
