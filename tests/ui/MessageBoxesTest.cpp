#include <string>

#include <QDialog>
#include <QMessageBox>
#include <QTest>

#include "DialogScript.h"
#include "ui/MessageBoxes.h"

Q_DECLARE_METATYPE(pellaquin::MessageIcon)

namespace pellaquin {

class MessageBoxesTest : public QObject {
    Q_OBJECT

private slots:
    // Title, icon, literal text and the single OK button of each kind of box; OK closes it.
    void showsOneBox_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<MessageIcon>("icon");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("qtIcon");
        QTest::newRow("plain") << QByteArray("Error! Nothing to search for") << MessageIcon::NONE
                               << QString("Error! Nothing to search for") << int(QMessageBox::NoIcon);
        QTest::newRow("error, CR LF breaks the line") << QByteArray("Error!\r\nNo input file") << MessageIcon::ERROR
                                                      << QString("Error!\nNo input file") << int(QMessageBox::Critical);
        QTest::newRow("exclamation, tags stay literal")
            << QByteArray("No <game name= in <b>file</b>") << MessageIcon::EXCLAMATION
            << QString("No <game name= in <b>file</b>") << int(QMessageBox::Warning);
        QTest::newRow("UTF-8 bytes") << QByteArray("Caf\xc3\xa9 list") << MessageIcon::NONE
                                     << QString::fromUtf8("Caf\xc3\xa9 list") << int(QMessageBox::NoIcon);
    }
    void showsOneBox() {
        QFETCH(QByteArray, bytes);
        QFETCH(MessageIcon, icon);
        QFETCH(QString, shown);
        QFETCH(int, qtIcon);
        QString title;
        QString text;
        Qt::TextFormat format = Qt::AutoText;
        int shownIcon = -1;
        qsizetype buttonCount = 0;
        bool closedByOk = false;
        test::ScriptedModals prompts([&](QDialog& prompt) {
            auto* box = qobject_cast<QMessageBox*>(&prompt);
            if (box == nullptr) {
                return;
            }
            title = box->windowTitle();
            text = box->text();
            format = box->textFormat();
            shownIcon = box->icon();
            buttonCount = box->buttons().size();
            test::Click(*box, 1);
            closedByOk = !box->isVisible() && box->result() == QMessageBox::Ok;
        });
        ShowMessage(nullptr, bytes.toStdString(), icon);
        QCOMPARE(prompts.Count(), 1);
        QCOMPARE(title, QString("Pellaquin"));
        QCOMPARE(text, shown);
        QCOMPARE(format, Qt::PlainText);
        QCOMPARE(shownIcon, qtIcon);
        QCOMPARE(buttonCount, qsizetype(1));
        QVERIFY(closedByOk);
    }
};

} // namespace pellaquin

QTEST_MAIN(pellaquin::MessageBoxesTest)
#include "MessageBoxesTest.moc"
