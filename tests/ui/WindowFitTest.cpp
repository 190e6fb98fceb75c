#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "DialogScript.h"
#include "support/TestFiles.h"
#include "ui/CPellaquinDlg.h"
#include "ui/OutputChoicesPanel.h"

namespace pellaquin {

// The main window fits a laptop's 1366x768 screen with a title bar and a panel, in the fonts desktops use, before
// and after the first list (whose view choice must not make it grow). Run again at scale 2, where the screen is
// 2732x1536 and every size doubles.
class WindowFitTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QVERIFY(m_folder.isValid());
        qputenv("XDG_CONFIG_HOME", m_folder.path().toUtf8());
    }

    void fitsALaptop_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("points");
        QTest::newRow("DejaVu Sans 10 (Debian)") << "DejaVu Sans" << 10;
        QTest::newRow("Noto Sans 10 (KDE Plasma)") << "Noto Sans" << 10;
        QTest::newRow("Cantarell 11 (GNOME)") << "Cantarell" << 11;
    }
    void fitsALaptop() {
        QFETCH(QString, family);
        QFETCH(int, points);
        QFont font(family, points);
        QVERIFY2(QFontInfo(font).family() == family, qPrintable(family + " is not installed"));
        QApplication::setFont(font);
        Dlg window;
        window.m_inputPath = test::DataPath("listxml_small.xml");
        window.OnInitDialog();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto fits = [&window](const char* when) {
            QSize smallest = window.minimumSizeHint();
            QVERIFY2(smallest.width() <= 1340 && smallest.height() <= 680,
                     qPrintable(QString("%1: %2x%3").arg(when).arg(smallest.width()).arg(smallest.height())));
        };
        fits("at start");
        test::Control<QCheckBox>(window, OutputChoicesPanel::ID_WINDOW)->setChecked(true);
        test::Click(window, Dlg::ID_GO);
        fits("after Go!");
    }

private:
    using Dlg = CPellaquinDlg;
    QTemporaryDir m_folder;
};

} // namespace pellaquin

QTEST_MAIN(pellaquin::WindowFitTest)
#include "WindowFitTest.moc"
