#include <functional>
#include <memory>
#include <string>

#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "DialogScript.h"
#include "ui/CMalaListDlg.h"
#include "ui/CSearchDlg.h"
#include "ui/CbatchFileDlg.h"
#include "ui/ModalSeam.h"

namespace pellaquin {

namespace {

// One of the three dialogs that edit a single text: how to make it, give it its text and read it back.
struct TextDialog {
    std::function<std::unique_ptr<QDialog>()> make;
    int editId;
    std::function<void(QDialog&, const std::string&)> set;
    std::function<std::string(const QDialog&)> get;
};

template <typename Dialog>
TextDialog Describe(int editId, void (Dialog::*set)(const std::string&), const std::string& (Dialog::*get)() const) {
    return {[] { return std::make_unique<Dialog>(); }, editId,
            [set](QDialog& dialog, const std::string& text) { (static_cast<Dialog&>(dialog).*set)(text); },
            [get](const QDialog& dialog) { return (static_cast<const Dialog&>(dialog).*get)(); }};
}

TextDialog Dialog(const QString& name) {
    if (name == "search") {
        return Describe<CSearchDlg>(CSearchDlg::ID_TEXT, &CSearchDlg::SetSearchText, &CSearchDlg::SearchText);
    }
    if (name == "batch") {
        return Describe<CbatchFileDlg>(CbatchFileDlg::ID_TEMPLATE, &CbatchFileDlg::SetBatchTemplate,
                                       &CbatchFileDlg::BatchTemplate);
    }
    return Describe<CMalaListDlg>(CMalaListDlg::ID_TITLE, &CMalaListDlg::SetListTitle, &CMalaListDlg::ListTitle);
}

} // namespace

class TextDialogsTest : public QObject {
    Q_OBJECT

private slots:
    // Each dialog's caption and texts read as users know them, the CR LF pairs as line breaks.
    void showsTexts_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("search") << "search"
                                << "Search" << QStringList{"Case sensitive description search:"};
        QTest::newRow("batch") << "batch"
                               << "Batch file creation"
                               << QStringList{"Batch files are built off the ROM name only.\n\nEdit the below text to "
                                              "suit your needs, using %ROM% as a placeholder where the name will be "
                                              "inserted.",
                                              "Examples:\ncp %ROM%.png ~/mame/snap/\nrm %ROM%.zip"};
        QTest::newRow("mala") << "mala"
                              << "MaLa list settings" << QStringList{"List Title:"};
    }
    void showsTexts() {
        QFETCH(QString, dialog);
        QFETCH(QString, caption);
        QFETCH(QStringList, texts);
        std::unique_ptr<QDialog> shown = Dialog(dialog).make();
        QCOMPARE(shown->windowTitle(), caption);
        QStringList labels;
        for (QLabel* label : shown->findChildren<QLabel*>()) {
            labels << label->text();
        }
        for (const QString& text : texts) {
            QVERIFY2(labels.contains(text), qPrintable(text));
        }
    }

    // The edit shows the text given. OK, clicked or by Enter, takes what was typed byte for byte, even nothing
    // or a template without placeholder; Cancel, clicked or by Escape, keeps the text given.
    void okTakesEditCancelKeepsText_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("close");
        QTest::addColumn<bool>("accepted");
        for (const char* dialog : {"search", "batch", "mala"}) {
            QTest::addRow("%s, OK", dialog) << dialog << "%ROM%%ROM% Pac" << int(Qt::Key_unknown) << true;
            QTest::addRow("%s, Enter", dialog)
                << dialog << QString::fromUtf8("Sp\xc3\xa9") << int(Qt::Key_Return) << true;
            QTest::addRow("%s, emptied", dialog) << dialog << "" << int(Qt::Key_unknown) << true;
            QTest::addRow("%s, Cancel", dialog) << dialog << "other" << int(Qt::Key_unknown) << false;
            QTest::addRow("%s, Escape", dialog) << dialog << "other" << int(Qt::Key_Escape) << false;
        }
    }
    void okTakesEditCancelKeepsText() {
        QFETCH(QString, dialog);
        QFETCH(QString, typed);
        QFETCH(int, close);
        QFETCH(bool, accepted);
        TextDialog described = Dialog(dialog);
        std::unique_ptr<QDialog> shown = described.make();
        described.set(*shown, "given %ROM%");
        QString before;
        test::ScriptedModals prompts([&](QDialog& prompt) {
            auto* edit = test::Control<QLineEdit>(prompt, described.editId);
            before = edit->text();
            test::TypeOver(*edit, typed);
            if (close != Qt::Key_unknown) {
                QTest::keyClick(close == Qt::Key_Escape ? static_cast<QWidget*>(&prompt) : edit, Qt::Key(close));
            } else {
                test::Click(prompt, accepted ? 1 : 2);
            }
        });
        QCOMPARE(RunModal(*shown), int(accepted ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(before, QString("given %ROM%"));
        QCOMPARE(QString::fromStdString(described.get(*shown)), accepted ? typed : QString("given %ROM%"));
    }
};

} // namespace pellaquin

QTEST_MAIN(pellaquin::TextDialogsTest)
#include "TextDialogsTest.moc"
