#include <string>

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

#include "DialogScript.h"
#include "records/InputFormat.h"
#include "ui/CCSVDialog.h"
#include "ui/ModalSeam.h"

namespace pellaquin {

namespace {

using Ids = QList<int>;

// Every box, in screen order (left column, then right), which is not the column order.
const Ids BOXES = {1040, 1041, 1038, 1037, 1047, 1048, 1049, 1050, 1051,
                   1052, 1053, 1034, 1036, 1043, 1044, 1039, 1045, 1046};

// Marks "tick every box the format offers".
const Ids ALL = {0};

// Runs `dialog`, ticks `ticked` by clicking, then presses OK; true when that accepted it.
bool RunTicking(CCSVDialog& dialog, const Ids& ticked) {
    test::ScriptedModals prompts([&ticked](QDialog& prompt) {
        for (int id : BOXES + Ids{1070, 1071, 1072}) {
            auto* box = prompt.findChild<QCheckBox*>(QString::number(id));
            if (box != nullptr && ((ticked == ALL && box->isEnabled()) || ticked.contains(id))) {
                QTest::mouseClick(box, Qt::LeftButton);
            }
        }
        test::Click(prompt, 1);
    });
    return RunModal(dialog) == QDialog::Accepted;
}

} // namespace

class CCSVDialogTest : public QObject {
    Q_OBJECT

private slots:
    // Each format greys out exactly the boxes it has no key for; every box has a place of its own.
    void disablesBoxesPerFormat_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<Ids>("disabled");
        QTest::newRow("listxml") << FORMAT_LISTXML << Ids{1047, 1048, 1049, 1050, 1051, 1052, 1053};
        QTest::newRow("controls.xml") << FORMAT_CONTROLS << Ids{1034, 1036, 1039, 1043, 1044, 1045, 1046};
    }
    void disablesBoxesPerFormat() {
        QFETCH(int, format);
        QFETCH(Ids, disabled);
        CCSVDialog dialog(format);
        dialog.show();
        QList<QRect> places;
        for (int id : BOXES) {
            auto* box = test::Control<QCheckBox>(dialog, id);
            QCOMPARE(box->isEnabled(), !disabled.contains(id));
            for (const QRect& place : places) {
                QVERIFY(!place.intersects(box->geometry()));
            }
            places.push_back(box->geometry());
        }
    }

    // OK lists the ticked boxes' keys for the format in column order, whatever order they were clicked in.
    void buildsColumnList_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<Ids>("ticked");
        QTest::addColumn<QString>("columns");
        QTest::newRow("listxml description and name")
            << FORMAT_LISTXML << Ids{1040, 1041} << "<description>,<game name=";
        QTest::newRow("column order, not click order")
            << FORMAT_LISTXML << Ids{1046, 1034, 1040} << "<description>,year,emulation=";
        QTest::newRow("nothing ticked") << FORMAT_LISTXML << Ids{} << "";
        QTest::newRow("all controls.xml") << FORMAT_CONTROLS << ALL
                                          << "<description>,<game romname=,numButtons=,control_name=,<category>,"
                                             "tilt=,alternating=,numPlayers=,usesService=,mirrored=";
    }
    void buildsColumnList() {
        QFETCH(int, format);
        QFETCH(Ids, ticked);
        QFETCH(QString, columns);
        CCSVDialog dialog(format);
        QVERIFY(RunTicking(dialog, ticked));
        QCOMPARE(QString::fromStdString(dialog.ColumnList()), columns);
    }

    // Values a merge added get boxes of their own, named after their elements; their keys follow the fixed
    // columns, and a new showing starts with them unticked.
    void offersAddedElements() {
        CCSVDialog dialog(FORMAT_MERGED);
        dialog.OfferAddedElements({"bestgames", "nplayers", "veradded"});
        QCOMPARE(test::Control<QCheckBox>(dialog, 1070)->text(), QString("bestgames"));
        QCOMPARE(test::Control<QCheckBox>(dialog, 1072)->text(), QString("veradded"));
        QVERIFY(RunTicking(dialog, {1072, 1040, 1070}));
        QCOMPARE(QString::fromStdString(dialog.ColumnList()), QString("<description>,<bestgames>,<veradded>"));
        QVERIFY(RunTicking(dialog, {1071}));
        QCOMPARE(QString::fromStdString(dialog.ColumnList()), QString("<nplayers>"));
    }

    // The delimiter box shows the delimiter given and OK takes its text, empty or of several characters.
    void delimiterRoundTrip_data() {
        QTest::addColumn<QString>("given");
        QTest::addColumn<bool>("retype");
        QTest::addColumn<QString>("typed");
        QTest::newRow("kept") << "," << false << "";
        QTest::newRow("emptied") << "," << true << "";
        QTest::newRow("several characters") << "," << true << " :: ";
        QTest::newRow("empty kept") << "" << false << "";
    }
    void delimiterRoundTrip() {
        QFETCH(QString, given);
        QFETCH(bool, retype);
        QFETCH(QString, typed);
        CCSVDialog dialog(FORMAT_LISTXML);
        dialog.SetDelimiter(given.toStdString());
        QString shown;
        test::ScriptedModals prompts([&](QDialog& prompt) {
            auto* edit = test::Control<QLineEdit>(prompt, CCSVDialog::ID_DELIMITER);
            shown = edit->text();
            if (retype) {
                test::TypeOver(*edit, typed);
            }
            test::Click(prompt, 1040);
            test::Click(prompt, 1);
        });
        QCOMPARE(RunModal(dialog), int(QDialog::Accepted));
        QCOMPARE(shown, given);
        QCOMPARE(QString::fromStdString(dialog.Delimiter()), retype ? typed : given);
    }

    // Cancel leaves the column list empty and the delimiter as given; the next showing starts unticked with the
    // given delimiter in its box.
    void cancelKeepsNothing() {
        CCSVDialog dialog(FORMAT_MERGED);
        dialog.SetDelimiter(";");
        {
            test::ScriptedModals firstRun([](QDialog& prompt) {
                test::Click(prompt, 1040);
                test::Click(prompt, 1053);
                test::TypeOver(*test::Control<QLineEdit>(prompt, CCSVDialog::ID_DELIMITER), "|");
                test::Click(prompt, 2);
            });
            QCOMPARE(RunModal(dialog), int(QDialog::Rejected));
        }
        QCOMPARE(dialog.ColumnList(), std::string());
        QCOMPARE(dialog.Delimiter(), std::string(";"));
        int tickedOnReopen = -1;
        QString delimiterOnReopen;
        test::ScriptedModals secondRun([&](QDialog& prompt) {
            tickedOnReopen = 0;
            for (int id : BOXES) {
                tickedOnReopen += test::Control<QCheckBox>(prompt, id)->isChecked() ? 1 : 0;
            }
            delimiterOnReopen = test::Control<QLineEdit>(prompt, CCSVDialog::ID_DELIMITER)->text();
            QTest::keyClick(&prompt, Qt::Key_Escape);
        });
        QCOMPARE(RunModal(dialog), int(QDialog::Rejected));
        QCOMPARE(tickedOnReopen, 0);
        QCOMPARE(delimiterOnReopen, QString(";"));
    }
};

} // namespace pellaquin

QTEST_MAIN(pellaquin::CCSVDialogTest)
#include "CCSVDialogTest.moc"
