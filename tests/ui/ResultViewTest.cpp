#include <string>

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTest>

#include "ui/ResultView.h"

namespace pellaquin {

class ResultViewTest : public QObject {
    Q_OBJECT

private slots:
    // Lines end at LF whether or not a CR comes first, and a last line feed opens no empty line.
    void splitsLines() {
        ResultView view;
        view.SetText("a\r\nb\nc\n");
        QCOMPARE(view.LineCount(), std::size_t(3));
        view.SetText("a\nb");
        QCOMPARE(view.LineCount(), std::size_t(2));
        view.SetText("");
        QCOMPARE(view.LineCount(), std::size_t(1));
        view.SetText("\n\n");
        QCOMPARE(view.LineCount(), std::size_t(2));
        QCOMPARE(view.Text(), std::string("\n\n"));
    }

    // Dragging over lines selects them whole; Ctrl+A takes everything; Ctrl+C copies the selection.
    void selectsAndCopiesLines() {
        ResultView view;
        view.resize(300, 200);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.SetText("first\r\nsecond\nthird\n");
        int lineHeight = view.fontMetrics().height();
        QWidget* viewport = view.viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(10, lineHeight / 2));
        QTest::mouseMove(viewport, QPoint(10, lineHeight + lineHeight / 2));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(10, lineHeight + lineHeight / 2));
        QCOMPARE(view.SelectedText(), std::string("first\r\nsecond"));
        QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QString("first\r\nsecond"));
        QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(view.SelectedText(), std::string("first\r\nsecond\nthird\n"));
        view.SetText("new");
        QCOMPARE(view.SelectedText(), std::string());
    }

    // A text far taller than the window scrolls to its last line.
    void scrollsThroughLongTexts() {
        ResultView view;
        view.resize(300, 200);
        std::string text;
        for (int i = 0; i < 100000; ++i) {
            text += "line " + std::to_string(i) + "\n";
        }
        view.SetText(text);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QVERIFY(view.verticalScrollBar()->maximum() > 99000);
        QTest::keyClick(&view, Qt::Key_End);
        QCOMPARE(view.verticalScrollBar()->value(), view.verticalScrollBar()->maximum());
    }

    // A line of tens of megabytes, as a list of a game whose record is one such line holds, paints, scrolled to
    // its start and to the farthest it scrolls.
    void paintsAHugeLine() {
        ResultView view;
        view.resize(300, 200);
        view.SetText(std::string("<description>") + std::string(32u << 20, 'A') + "</description>\n");
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QVERIFY(!view.grab().isNull());
        view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->maximum());
        QVERIFY(!view.grab().isNull());
    }
};

} // namespace pellaquin

QTEST_MAIN(pellaquin::ResultViewTest)
#include "ResultViewTest.moc"
