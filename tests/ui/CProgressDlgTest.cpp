#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>

#include "DialogScript.h"
#include "records/InputFile.h"
#include "ui/CProgressDlg.h"

namespace pellaquin {

namespace {

QProgressBar* Bar(const CProgressDlg& window) {
    return test::Control<QProgressBar>(window, CProgressDlg::ID_BAR);
}

} // namespace

class CProgressDlgTest : public QObject {
    Q_OBJECT

private slots:
    // The range flag decides whether one step is a hundredth or a thousandth of the bar; the window shows its
    // caption and lines, and past its end the bar starts again.
    void startAndStep_data() {
        QTest::addColumn<bool>("rangeFlag");
        QTest::addColumn<int>("maximum");
        QTest::newRow("default range, bound unused") << false << 100;
        QTest::newRow("range up to the bound") << true << 1000;
    }
    void startAndStep() {
        QFETCH(bool, rangeFlag);
        QFETCH(int, maximum);
        CProgressDlg window;
        window.Start(rangeFlag, 1000, "Scanning input file for matches...", "");
        QVERIFY(window.isVisible());
        QVERIFY(window.isModal());
        QCOMPARE(window.windowTitle(), QString("Progress..."));
        QCOMPARE(test::Control<QLabel>(window, CProgressDlg::ID_FIRST_LINE)->text(),
                 QString("Scanning input file for matches..."));
        QCOMPARE(Bar(window)->minimum(), 0);
        QCOMPARE(Bar(window)->maximum(), maximum);
        QCOMPARE(Bar(window)->value(), 0);
        window.Step();
        QCOMPARE(Bar(window)->value(), 1);
        Bar(window)->setValue(maximum);
        window.Step();
        QCOMPARE(Bar(window)->value(), 0);
    }

    // SetLines replaces both lines, a CR LF breaking the line.
    void setLinesReplacesBoth() {
        CProgressDlg window;
        window.Start(false, 0, "first", "second");
        window.SetLines("Merging data, hang on...", "two\r\nlines");
        QCOMPARE(test::Control<QLabel>(window, CProgressDlg::ID_FIRST_LINE)->text(),
                 QString("Merging data, hang on..."));
        QCOMPARE(test::Control<QLabel>(window, CProgressDlg::ID_SECOND_LINE)->text(), QString("two\nlines"));
    }

    // Enter (the hidden default "STOP") leaves the window open; Escape closes it.
    void enterKeepsWindowOpen() {
        CProgressDlg window;
        window.Start(false, 1000, "Scanning input file for matches...", "");
        auto* stop = test::Control<QPushButton>(window, CProgressDlg::ID_STOP);
        QVERIFY(stop->isDefault() && stop->isHidden());
        QTest::keyClick(&window, Qt::Key_Return);
        QTest::keyClick(&window, Qt::Key_Enter);
        QVERIFY(window.isVisible());
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(!window.isVisible());
    }

    // The bar shows the share of the file read, within its own range, for files beyond 32-bit sizes too.
    void fileProgressShowsShare_data() {
        QTest::addColumn<bool>("rangeFlag");
        QTest::addColumn<qint64>("position");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<int>("value");
        QTest::newRow("quarter, default range") << false << qint64(250) << qint64(1000) << 25;
        QTest::newRow("quarter, range 1000") << true << qint64(250) << qint64(1000) << 250;
        QTest::newRow("large file") << true << qint64(5'000'000'000) << qint64(10'000'000'000) << 500;
        QTest::newRow("past the end") << true << qint64(2000) << qint64(1000) << 1000;
        QTest::newRow("empty file leaves the bar") << true << qint64(0) << qint64(0) << 0;
    }
    void fileProgressShowsShare() {
        QFETCH(bool, rangeFlag);
        QFETCH(qint64, position);
        QFETCH(qint64, size);
        QFETCH(int, value);
        CProgressDlg window;
        window.Start(rangeFlag, 1000, "Scanning input file for matches...", "");
        window.ShowProgress(position, size);
        QCOMPARE(Bar(window)->value(), value);
    }

    // A moved bar lets pending work (repaints) run during the job; a report that moves nothing does not.
    void movedBarTurnsEventLoop() {
        CProgressDlg window;
        window.Start(true, 1000, "Merging data, hang on...", "");
        int turns = 0;
        QTimer::singleShot(0, &window, [&turns] { ++turns; });
        window.ShowProgress(10, 100);
        QCOMPARE(turns, 1);
        QTimer::singleShot(0, &window, [&turns] { ++turns; });
        window.ShowProgress(10, 100);
        QCOMPARE(turns, 1);
        QCOMPARE(Bar(window)->value(), 100);
    }

    // While the window stands above the window of its job, that window takes no input but keeps its look, and it
    // takes input again once the job is over.
    void itsWindowTakesNoInputMeanwhile() {
        QWidget mainWindow;
        auto* go = new QPushButton(QStringLiteral("Go!"), &mainWindow);
        mainWindow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
        int clicks = 0;
        connect(go, &QPushButton::clicked, [&clicks] { ++clicks; });
        {
            CProgressDlg progress(&mainWindow);
            progress.Start(true, 1000, "Merging data, hang on...", "");
            QVERIFY(progress.isModal() && progress.isVisible());
            QCOMPARE(progress.parentWidget(), &mainWindow);
            QVERIFY(go->isEnabled());
            // As the platform hands a click to the window, which the modal window blocks.
            QTest::mouseClick(mainWindow.windowHandle(), Qt::LeftButton, {},
                              go->mapTo(&mainWindow, go->rect().center()));
            QCOMPARE(clicks, 0);
            progress.ShowProgress(50, 100);
        }
        QCoreApplication::processEvents();
        QCOMPARE(clicks, 0);
        QTest::mouseClick(mainWindow.windowHandle(), Qt::LeftButton, {}, go->mapTo(&mainWindow, go->rect().center()));
        QCOMPARE(clicks, 1);
    }

    // A followed file moves the bar as it is read, and reading on after the window is gone is safe.
    void followsFileUntilDestroyed() {
        QTemporaryFile bytes;
        QVERIFY(bytes.open());
        const std::string line(99, 'x');
        for (int i = 0; i < 30'000; ++i) {
            bytes.write(line.data(), static_cast<qint64>(line.size()));
            bytes.write("\n");
        }
        bytes.close();
        InputFile file;
        QCOMPARE(file.Open(bytes.fileName().toStdString()), InputFile::OpenResult::OK);
        auto window = std::make_unique<CProgressDlg>();
        window->Start(true, 1000, "Scanning input file for matches...", "");
        window->FollowFile(file);
        std::string_view piece;
        QVERIFY(file.ReadPiece(piece));
        int early = Bar(*window)->value();
        QVERIFY(early > 0 && early < 1000);
        while (file.ReadPiece(piece)) {
        }
        QCOMPARE(Bar(*window)->value(), 1000);
        window.reset();
        QVERIFY(file.Seek(0));
        while (file.ReadPiece(piece)) {
        }
    }
};

} // namespace pellaquin

QTEST_MAIN(pellaquin::CProgressDlgTest)
#include "CProgressDlgTest.moc"
