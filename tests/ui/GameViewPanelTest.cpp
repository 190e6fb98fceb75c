#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "DialogScript.h"
#include "records/InputOpening.h"
#include "support/TestFiles.h"
#include "ui/CSearchDlg.h"
#include "ui/GameViewPanel.h"
#include "ui/QtText.h"
#include "ui/ResultView.h"

namespace pellaquin {

namespace {

using Panel = GameViewPanel;

QString View(const Panel& panel) {
    return ToDisplayText(test::Control<ResultView>(panel, Panel::ID_VIEW)->Text());
}

bool Enabled(const Panel& panel, int id) {
    return test::Control<QWidget>(panel, id)->isEnabled();
}

} // namespace

class GameViewPanelTest : public QObject {
    Q_OBJECT

private:
    test::TemporaryFolder m_folder;
    InputFile m_input;
    std::unique_ptr<Panel> m_panel;

    void Open(const std::string& path) {
        std::string header;
        QCOMPARE(OpenRecognisedInput(path, m_input, header), InputOpening::OK);
        m_panel->ShowInput(true);
    }

    // Types `text` into the description search and confirms it; the messages it gave.
    QStringList Search(const QString& text) {
        QStringList messages;
        test::ScriptedModals prompts([&](QDialog& prompt) {
            if (auto* box = qobject_cast<QMessageBox*>(&prompt)) {
                messages << box->text();
            } else {
                test::TypeOver(*test::Control<QLineEdit>(prompt, CSearchDlg::ID_TEXT), text);
            }
            test::Click(prompt, 1);
        });
        test::Click(*m_panel, Panel::ID_SEARCH);
        return messages;
    }

private slots:
    void init() {
        m_panel = std::make_unique<Panel>(m_input);
        m_panel->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_panel.get()));
    }

    // An input file shows its first game; "Next" and "Prev" page through the games; the description search ignores
    // case and shows the game found whole, from its first line; a file that did not open shows nothing to browse.
    void browseAndSearch() {
        Open(test::DataPath("listxml_small.xml"));
        QVERIFY(View(*m_panel).startsWith("<game name=\"puckman\""));
        QVERIFY(!Enabled(*m_panel, Panel::ID_PREV) && Enabled(*m_panel, Panel::ID_NEXT));
        test::Click(*m_panel, Panel::ID_NEXT);
        QVERIFY(View(*m_panel).startsWith("<game name=\"pacman\""));
        test::Click(*m_panel, Panel::ID_PREV);
        QVERIFY(View(*m_panel).startsWith("<game name=\"puckman\""));
        QVERIFY(Search("space inv").isEmpty());
        QVERIFY(View(*m_panel).startsWith("<game name=\"invaders\""));
        QVERIFY(Enabled(*m_panel, Panel::ID_PREV));
        QCOMPARE(Search("Nothing like it"), QStringList{"No matches found"});
        m_panel->ShowInput(false);
        QCOMPARE(View(*m_panel), QString());
        for (int id : {Panel::ID_PREV, Panel::ID_NEXT, Panel::ID_SEARCH, Panel::ID_INPUT_FILE_VIEW}) {
            QVERIFY(!Enabled(*m_panel, id));
            QVERIFY(test::Control<QWidget>(*m_panel, id)->toolTip().contains("No input file"));
        }
    }

    // A list is kept for "Search Results" with its label; "Input file" shows the game again; a new file drops the
    // list and hides the choice again, which kept its room meanwhile.
    void resultsAndTheGame() {
        Open(test::DataPath("listxml_small.xml"));
        auto* group = test::Control<QGroupBox>(*m_panel, Panel::ID_VIEW_GROUP);
        QVERIFY(group->isHidden());
        QVERIFY(group->sizePolicy().retainSizeWhenHidden());
        m_panel->TakeResults(std::make_shared<const std::string>("a\nb\n"), QStringLiteral("Found: 2 of 5"));
        m_panel->OfferResults();
        m_panel->ShowSearchResults();
        QVERIFY(group->isVisible());
        QCOMPARE(View(*m_panel), QString("a\nb\n"));
        QCOMPARE(test::Control<QLabel>(*m_panel, Panel::ID_VIEW_LABEL)->text(), QString("Found: 2 of 5"));
        QVERIFY(!Enabled(*m_panel, Panel::ID_PREV) && !Enabled(*m_panel, Panel::ID_NEXT));
        test::Click(*m_panel, Panel::ID_INPUT_FILE_VIEW);
        QVERIFY(View(*m_panel).startsWith("<game name=\"puckman\""));
        test::Click(*m_panel, Panel::ID_SEARCH_RESULTS_VIEW);
        QCOMPARE(View(*m_panel), QString("a\nb\n"));
        Open(test::DataPath("controls_small.xml"));
        QVERIFY(group->isHidden());
        QVERIFY(View(*m_panel).startsWith("<game romname="));
        m_panel->ShowSearchResults();
        QCOMPARE(View(*m_panel), QString());
    }

    // A game whose record is one line of 200 MB opens: the view shows its start with a note, and paints.
    void hugeRecordOpens() {
        std::string path = (m_folder.Path() / "huge.xml").string();
        {
            std::string bytes = "<?xml version=\"1.0\"?>\n<mame build=\"0.251\">\n\t<machine name=\"huge\">"
                                "<description>";
            bytes.append(200u << 20, 'A');
            bytes += "</description></machine>\n\t<machine name=\"next\">\n\t</machine>\n</mame>\n";
            m_folder.Write("huge.xml", bytes);
        }
        Open(path);
        const std::string& shown = test::Control<ResultView>(*m_panel, Panel::ID_VIEW)->Text();
        QVERIFY(shown.size() < Panel::MOST_SHOWN + 200);
        QVERIFY(shown.starts_with("<machine name=\"huge\">"));
        // The line of the record: its tab, its start tag, the 200 MB description, its end tags and line feed.
        const std::string size = std::to_string(1 + 21 + 13 + (200u << 20) + 14 + 10 + 1);
        QVERIFY(
            shown.ends_with("\r\n\r\n[This game's record runs to " + size + " bytes; the first 1048576 are shown.]"));
        QVERIFY(!m_panel->grab().isNull());
        test::Click(*m_panel, Panel::ID_NEXT);
        QVERIFY(View(*m_panel).startsWith("<machine name=\"next\">"));
    }
};

} // namespace pellaquin

QTEST_MAIN(pellaquin::GameViewPanelTest)
#include "GameViewPanelTest.moc"
