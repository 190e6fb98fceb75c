#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "DialogScript.h"
#include "ScriptedFileDialogs.h"
#include "platform/SamplesFolder.h"
#include "settings/StoredSettings.h"
#include "support/FailingReads.h"
#include "support/TestFiles.h"
#include "ui/CCSVDialog.h"
#include "ui/CCategoriesDlg.h"
#include "ui/CExportOptionsDlg.h"
#include "ui/CMalaListDlg.h"
#include "ui/CPellaquinDlg.h"
#include "ui/CSearchDlg.h"
#include "ui/MessageBoxes.h"
#include "ui/QtText.h"
#include "ui/ResultView.h"

namespace pellaquin {

namespace {

using Dlg = CPellaquinDlg;

using test::DataPath;
using test::ReadWholeFile;
using test::ScriptedFileDialogs;

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Records the text and icon of every message box, answering it with OK.
struct MessageLog {
    std::vector<QString> texts;
    std::vector<QMessageBox::Icon> icons;
};

} // namespace

class CPellaquinDlgTest : public QObject {
    Q_OBJECT

private:
    // A fresh folder per test for its files and its settings store.
    std::unique_ptr<QTemporaryDir> m_folder;

    std::unique_ptr<Dlg> OpenWindow(const std::string& inputPath, MessageLog* messages = nullptr) {
        auto window = std::make_unique<Dlg>();
        window->m_inputPath = inputPath;
        test::ScriptedModals prompts([&](QDialog& prompt) {
            if (auto* box = qobject_cast<QMessageBox*>(&prompt); box != nullptr && messages != nullptr) {
                messages->texts.push_back(box->text());
                messages->icons.push_back(box->icon());
            }
            test::Confirm(prompt);
        });
        window->OnInitDialog();
        window->show();
        // Mouse clicks reach a window only once the platform has shown it.
        if (!QTest::qWaitForWindowExposed(window.get())) {
            qFatal("the main window was never shown");
        }
        return window;
    }

    // The view's text with its CR LF line ends shown as the line breaks they are.
    static QString View(const Dlg& window) {
        return ToDisplayText(test::Control<ResultView>(window, Dlg::ID_VIEW)->Text());
    }
    static QString Label(const Dlg& window) { return test::Control<QLabel>(window, Dlg::ID_VIEW_LABEL)->text(); }
    static QLineEdit* CommandLine(const Dlg& window) { return test::Control<QLineEdit>(window, Dlg::ID_COMMAND_LINE); }
    static bool Enabled(const Dlg& window, int id) { return test::Control<QWidget>(window, id)->isEnabled(); }
    static bool Ticked(const Dlg& window, int id) { return test::Control<QAbstractButton>(window, id)->isChecked(); }

    // Types `command`, ticks the output boxes and presses "Go!", answering prompts with OK.
    static MessageLog Go(Dlg& window, const QString& command, bool toWindow, bool toFile) {
        test::TypeOver(*CommandLine(window), command);
        test::Control<QCheckBox>(window, Dlg::ID_WINDOW)->setChecked(toWindow);
        test::Control<QCheckBox>(window, Dlg::ID_FILE)->setChecked(toFile);
        MessageLog messages;
        test::ScriptedModals prompts([&](QDialog& prompt) {
            if (auto* box = qobject_cast<QMessageBox*>(&prompt)) {
                messages.texts.push_back(box->text());
            }
            test::Confirm(prompt);
        });
        test::Click(window, Dlg::ID_GO);
        return messages;
    }

private slots:
    void init() {
        m_folder = std::make_unique<QTemporaryDir>();
        QVERIFY(m_folder->isValid());
        qputenv("XDG_CONFIG_HOME", m_folder->path().toUtf8());
    }

    // Every control of the window exists with its id and caption.
    void controlsCarryTheirIdsAndTexts() {
        auto window = OpenWindow(DataPath("listxml_small.xml"));
        QCOMPARE(window->windowTitle(), QString("Pellaquin build 007"));
        const std::pair<int, const char*> buttons[] = {{1, "Go!"},
                                                       {1001, "Prev"},
                                                       {1030, "Search"},
                                                       {1002, "Next"},
                                                       {1052, "Settings and Tools"},
                                                       {1400, "XML"},
                                                       {1401, "CSV"},
                                                       {1402, "Batch file"},
                                                       {1405, "ROM Descriptions only"},
                                                       {1403, "ROM Names only"},
                                                       {1404, "MaLa Game List"},
                                                       {1406, "AtomicFE List"},
                                                       {1021, "Window"},
                                                       {1031, "File"},
                                                       {1048, "Input file"},
                                                       {1049, "Search Results"},
                                                       {1006, "Cocktail"},
                                                       {1007, "Upright"},
                                                       {1004, "Horizontal Only"},
                                                       {1005, "Vertical Only"},
                                                       {1008, "or less"},
                                                       {1016, "2-way"},
                                                       {1009, "4-way"},
                                                       {1010, "8-way"},
                                                       {1011, "Dial (spinner)"},
                                                       {1012, "Trackball"},
                                                       {1017, "Pedal"},
                                                       {1023, "Not"},
                                                       {1013, "No Clones"},
                                                       {1014, "No Samples"},
                                                       {1015, "Playable"},
                                                       {1108, "play at once"},
                                                       {1120, "Only sets I have"}};
        for (const auto& [id, caption] : buttons) {
            QCOMPARE(test::Control<QAbstractButton>(*window, id)->text(), QString(caption));
        }
        QVERIFY(test::Control<QPushButton>(*window, Dlg::ID_GO)->isDefault());
        QVERIFY(!test::Control<QPushButton>(*window, Dlg::ID_QUIT)->isVisibleTo(window.get()));
        QVERIFY(!test::Control<QGroupBox>(*window, Dlg::ID_VIEW_GROUP)->isVisibleTo(window.get()));
        QCOMPARE(test::Control<QLabel>(*window, Dlg::ID_COMMAND_LABEL)->text(), QString("-find:"));
        QCOMPARE(test::Control<QComboBox>(*window, Dlg::ID_BUTTONS)->count(), 12);
        auto* category = test::Control<QComboBox>(*window, Dlg::ID_CATEGORY);
        QCOMPARE(category->count(), 23);
        QCOMPARE(category->itemText(0), QString("Any"));
        QCOMPARE(category->itemText(8), QString("Mature"));
    }

    // Start-up shows the first game and composes the default command for each format; "Next" and "Prev"
    // page through the games.
    void startUpPerFormat_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("categories");
        QTest::newRow("listing") << "listxml_small.xml"
                                 << "(buttons=2 | buttons=1 | !buttons=) & !emulation=preliminary" << false;
        QTest::newRow("merged") << "merged_small.xml"
                                << "(numButtons=2 | numButtons=1 | numButtons=0) & !emulation=preliminary" << true;
        QTest::newRow("controls") << "controls_small.xml"
                                  << "(numButtons=2 | numButtons=1 | numButtons=0)" << false;
    }
    void startUpPerFormat() {
        QFETCH(QString, file);
        QFETCH(QString, command);
        QFETCH(bool, categories);
        auto window = OpenWindow(DataPath(file.toUtf8().constData()));
        QCOMPARE(CommandLine(*window)->text(), command);
        QCOMPARE(Enabled(*window, Dlg::ID_CATEGORY), categories);
        QVERIFY(!Enabled(*window, Dlg::ID_NOT));
        QVERIFY(Ticked(*window, Dlg::ID_DESCRIPTIONS) && Ticked(*window, Dlg::ID_WINDOW));
        QVERIFY(View(*window).startsWith("<game "));
        QVERIFY(Enabled(*window, Dlg::ID_GO));
        QVERIFY(!Enabled(*window, Dlg::ID_PREV) && Enabled(*window, Dlg::ID_NEXT));
        QString first = View(*window);
        test::Click(*window, Dlg::ID_NEXT);
        QVERIFY(View(*window) != first && View(*window).startsWith("<game "));
        QVERIFY(Enabled(*window, Dlg::ID_PREV));
        test::Click(*window, Dlg::ID_PREV);
        QCOMPARE(View(*window), first);
        QVERIFY(!Enabled(*window, Dlg::ID_PREV));
    }

    // Each failure to open the input file has its own message, and "Go!" and browsing stay off.
    void inputFileFailures_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("message");
        QTest::newRow("none") << ""
                              << "Please hit the settings button to select an input file.";
        QTest::newRow("missing")
            << "/no/such/file.xml"
            << "Open or Read error on input file!?\nCheck your settings.\n/no/such/file.xml: missing";
        QTest::newRow("foreign") << "foreign"
                                 << "Invalid input file.  Unable to locate MAME or controls.xml header!?";
    }
    void inputFileFailures() {
        QFETCH(QString, path);
        QFETCH(QString, message);
        std::string input = path.toStdString();
        if (path == "foreign") {
            input = m_folder->filePath("foreign.xml").toStdString();
            WriteFile(input, "<mame>\n</mame>\n");
            message += "\n" + QString::fromStdString(input) + ": not a listing of any known form";
        }
        MessageLog messages;
        auto window = OpenWindow(input, &messages);
        QCOMPARE(messages.texts, std::vector<QString>{message});
        QCOMPARE(messages.icons, std::vector<QMessageBox::Icon>{QMessageBox::Critical});
        for (int id : {Dlg::ID_GO, Dlg::ID_NEXT, Dlg::ID_PREV, Dlg::ID_SEARCH, Dlg::ID_INPUT_FILE_VIEW}) {
            QVERIFY(!Enabled(*window, id));
        }
    }

    // Window and File, alone and together: the view, the label, and the file appended to each time.
    void windowAndFileCombinations() {
        auto window = OpenWindow(DataPath("listxml_small.xml"));
        test::Control<QRadioButton>(*window, Dlg::ID_NAMES)->setChecked(true);
        std::string saved = m_folder->filePath("names.txt").toStdString();

        Go(*window, "!cloneof", true, false);
        QCOMPARE(View(*window), QString("puckman\nsf2\ninvaders\nufo\n"));
        QCOMPARE(Label(*window), QString("Found:4 matches"));
        QVERIFY(!Enabled(*window, Dlg::ID_PREV) && !Enabled(*window, Dlg::ID_NEXT));

        {
            ScriptedFileDialogs dialogs({saved, saved});
            QCOMPARE(Go(*window, "name=cocktail", false, true).texts,
                     std::vector<QString>{QString::fromStdString("The list of 2 games was saved as\n" + saved)});
            QCOMPARE(View(*window), QString("puckman\nsf2\ninvaders\nufo\n"));
            QVERIFY(test::Control<QGroupBox>(*window, Dlg::ID_VIEW_GROUP)->isVisibleTo(window.get()));
            QVERIFY(Ticked(*window, Dlg::ID_SEARCH_RESULTS_VIEW));
            QCOMPARE(
                Go(*window, "name=cocktail", true, true).texts,
                std::vector<QString>{QString::fromStdString("The list of 2 games was added at the end of\n" + saved)});
            QCOMPARE(dialogs.Requests().size(), std::size_t(2));
            QCOMPARE(dialogs.Requests()[0].title, std::string("Save file as..."));
            QCOMPARE(dialogs.Requests()[0].defaultExtension, std::string("txt"));
        }
        QCOMPARE(ReadWholeFile(saved), std::string("puckman\npacman\npuckman\r\npacman\r\n"));
        QCOMPARE(Label(*window), QString("Found:2 matches"));

        // Neither box: the results are kept, and "Search Results" shows them unconverted.
        Go(*window, "sf2", false, false);
        QCOMPARE(View(*window), QString("puckman\npacman\n"));
        test::Click(*window, Dlg::ID_SEARCH_RESULTS_VIEW);
        QCOMPARE(View(*window), QString("sf2\n"));
    }

    // The CSV column chooser: a cancel changes nothing; columns replace the command and turn the wizard off.
    void csvColumnChooser() {
        auto window = OpenWindow(DataPath("listxml_small.xml"));
        QString command = CommandLine(*window)->text();
        {
            test::ScriptedModals prompts([](QDialog& prompt) { test::Click(prompt, 2); });
            test::Click(*window, Dlg::ID_CSV);
        }
        QCOMPARE(CommandLine(*window)->text(), command);
        QCOMPARE(test::Control<QLabel>(*window, Dlg::ID_COMMAND_LABEL)->text(), QString("-find:"));
        QVERIFY(Enabled(*window, Dlg::ID_NO_CLONES));
        {
            test::ScriptedModals prompts([](QDialog& prompt) {
                test::Click(prompt, 1041);
                test::Click(prompt, 1034);
                test::TypeOver(*test::Control<QLineEdit>(prompt, CCSVDialog::ID_DELIMITER), ";");
                test::Click(prompt, 1);
            });
            test::Click(*window, Dlg::ID_CSV);
        }
        QCOMPARE(CommandLine(*window)->text(), QString("<game name=,year"));
        QCOMPARE(test::Control<QLabel>(*window, Dlg::ID_COMMAND_LABEL)->text(), QString("-csv"));
        QVERIFY(!Enabled(*window, Dlg::ID_NO_CLONES));
        // Ticking "Window" leaves the column list alone.
        test::Click(*window, Dlg::ID_WINDOW);
        test::Click(*window, Dlg::ID_WINDOW);
        QCOMPARE(CommandLine(*window)->text(), QString("<game name=,year"));
        Go(*window, "<game name=,year", true, false);
        QCOMPARE(View(*window), QString("puckman;1980\npacman;1980\nsf2;1991\ninvaders;1978\nufo;19??\n"));
        // Another output type brings the label back, but the column list stays until the wizard is used.
        test::Click(*window, Dlg::ID_XML);
        QCOMPARE(test::Control<QLabel>(*window, Dlg::ID_COMMAND_LABEL)->text(), QString("-find:"));
        QCOMPARE(CommandLine(*window)->text(), QString("<game name=,year"));
        test::Click(*window, Dlg::ID_NO_CLONES);
        QCOMPARE(CommandLine(*window)->text(),
                 QString("(buttons=2 | buttons=1 | !buttons=) & (!cloneof & !emulation=preliminary)"));
    }

    // On a merged file the chooser also offers the values the merge added, and the list shows them.
    void csvColumnsOfAddedValues() {
        auto window = OpenWindow((SamplesFolder() / "merged.xml").string());
        test::ScriptedModals prompts([](QDialog& prompt) {
            test::Click(prompt, 1041);
            test::Click(prompt, CCSVDialog::ID_FIRST_ADDED + 1);
            test::Click(prompt, 1);
        });
        test::Click(*window, Dlg::ID_CSV);
        QCOMPARE(CommandLine(*window)->text(), QString("<game name=,<nplayers>"));
        Go(*window, CommandLine(*window)->text(), true, false);
        QVERIFY2(View(*window).startsWith("astrobl,2P sim\n"), qPrintable(View(*window).left(80)));
    }

    // A front-end's list takes the options its dialog was given, kept in the settings store; saved, it is offered
    // under its usual name and replaces an existing file only once the user agrees.
    void frontEndList() {
        QVERIFY(SaveStoredSettings({}));
        auto window = OpenWindow(DataPath("listxml_small.xml"));
        {
            test::ScriptedModals prompts([](QDialog& prompt) {
                test::TypeOver(*test::Control<QLineEdit>(prompt, ExportOptionOf(ExportOption::ROM_FOLDER).controlId),
                               "/roms");
                test::Click(prompt, 1);
            });
            test::Click(*window, Dlg::ID_EMULATIONSTATION);
        }
        QCOMPARE(LoadStoredSettings()->exportOptions.romFolder, std::string("/roms"));
        std::string target = m_folder->filePath("gamelist.xml").toStdString();
        WriteFile(target, "old");
        for (bool replace : {false, true}) {
            ScriptedFileDialogs dialogs({target});
            MessageLog said;
            test::ScriptedModals prompts([&](QDialog& prompt) {
                said.texts.push_back(static_cast<QMessageBox&>(prompt).text());
                if (said.texts.size() == 1 && !replace) {
                    test::Click(prompt, ID_NO);
                } else {
                    test::Confirm(prompt);
                }
            });
            test::TypeOver(*CommandLine(*window), "name=sf2");
            test::Control<QCheckBox>(*window, Dlg::ID_FILE)->setChecked(true);
            test::Click(*window, Dlg::ID_GO);
            QVERIFY(dialogs.Requests().at(0).initialPath.ends_with("/gamelist.xml"));
            QCOMPARE(dialogs.Requests().at(0).filters.at(0).pattern, std::string("*.xml"));
            QCOMPARE(said.texts.at(0), QString::fromStdString(target + " already exists.\nDo you want to replace it?"));
            QCOMPARE(ReadWholeFile(target) == "old", !replace);
        }
        QVERIFY(View(*window).contains("<path>/roms/sf2.zip</path>"));
        QCOMPARE(QString::fromStdString(ReadWholeFile(target)), View(*window));
        // What no front-end starts is left out, and said.
        auto bios = OpenWindow(DataPath("exports_small.xml"));
        {
            test::ScriptedModals prompts([](QDialog& prompt) { test::Click(prompt, 1); });
            test::Click(*bios, Dlg::ID_ATTRACT);
        }
        Go(*bios, "neogeo/", true, false);
        QCOMPARE(Label(*bios), QString("Found:2 matches, 1 left out that no front-end starts (BIOS sets, devices)"));
    }

    // A controls.xml file keeps "Playable" and the game-data boxes off after every output-type click.
    void controlsFileDisablesGameDataBoxes() {
        auto window = OpenWindow(DataPath("controls_small.xml"));
        for (int type : {Dlg::ID_XML, Dlg::ID_NAMES, Dlg::ID_DESCRIPTIONS}) {
            test::Click(*window, type);
            QVERIFY(!Ticked(*window, Dlg::ID_PLAYABLE));
            for (int id :
                 {Dlg::ID_PLAYABLE, Dlg::ID_VERTICAL, Dlg::ID_HORIZONTAL, Dlg::ID_NO_SAMPLES, Dlg::ID_NO_CLONES}) {
                QVERIFY(!Enabled(*window, id));
            }
            QVERIFY(Enabled(*window, Dlg::ID_JOY4WAY));
        }
    }

    // The wizard follows every click: the cocktail example, the cabinet buttons, the buttons box.
    void wizardComposesCommands() {
        auto window = OpenWindow(DataPath("listxml_small.xml"));
        for (int id : {Dlg::ID_COCKTAIL, Dlg::ID_VERTICAL, Dlg::ID_JOY4WAY, Dlg::ID_JOY8WAY, Dlg::ID_NO_CLONES}) {
            test::Click(*window, id);
        }
        QCOMPARE(CommandLine(*window)->text(),
                 QString("name=cocktail & (buttons=2 | buttons=1 | !buttons=) & (rotate=90 | rotate=270) & "
                         "(joy4way | joy8way) & (!cloneof & !emulation=preliminary)"));
        QVERIFY(!Ticked(*window, Dlg::ID_UPRIGHT));
        test::Click(*window, Dlg::ID_UPRIGHT);
        QVERIFY(!Ticked(*window, Dlg::ID_COCKTAIL));
        QVERIFY(!CommandLine(*window)->text().contains("cocktail"));

        auto* buttons = test::Control<QComboBox>(*window, Dlg::ID_BUTTONS);
        buttons->setFocus();
        QTest::keyClick(buttons, Qt::Key_Up);
        QTest::keyClick(buttons, Qt::Key_Up);
        QCOMPARE(buttons->currentText(), QString("0"));
        QVERIFY(!Enabled(*window, Dlg::ID_OR_LESS));
        QVERIFY(CommandLine(*window)->text().startsWith("(!buttons=) & "));
    }

    // Each wizard box asks for its own term: ticked alone (buttons "any", "Playable" off) it composes exactly
    // this command; the category box with "Not" reads the chosen item.
    void eachWizardBoxAlone_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("command");
        const std::pair<int, const char*> boxes[] = {
            {Dlg::ID_COCKTAIL, "name=cocktail"},
            {Dlg::ID_HORIZONTAL, "(rotate=0 | rotate=180)"},
            {Dlg::ID_VERTICAL, "(rotate=90 | rotate=270)"},
            {Dlg::ID_JOY2WAY, "joy2way"},
            {Dlg::ID_JOY4WAY, "joy4way"},
            {Dlg::ID_JOY8WAY, "joy8way"},
            {Dlg::ID_DIAL, "dial"},
            {Dlg::ID_TRACKBALL, "trackball"},
            {Dlg::ID_PEDAL, "pedal"},
            {Dlg::ID_NO_CLONES, "!cloneof"},
            {Dlg::ID_NO_SAMPLES, "!sample_name="},
            {Dlg::ID_PLAYABLE, "!emulation=preliminary"},
        };
        for (const auto& [box, command] : boxes) {
            QTest::newRow(command) << "listxml_small.xml" << box << command;
        }
        QTest::newRow("category") << "merged_small.xml" << int(Dlg::ID_NOT) << "!Ball & Paddle";
        const std::pair<int, const char*> todays[] = {
            {Dlg::ID_NO_MECHANICAL, "!ismechanical=yes"},
            {Dlg::ID_NO_BIOS_DEVICES, "!isbios=yes & !isdevice=yes & !runnable=no"},
            {Dlg::ID_HAS_SCREEN, "<display_"},
            {Dlg::ID_NO_CHD, "!<disk_"},
            {Dlg::ID_NO_SOFTWARE_LIST, "!<softwarelist_"},
        };
        for (const auto& [box, command] : todays) {
            QTest::newRow(command) << "machines_small.xml" << box << command;
        }
    }
    void eachWizardBoxAlone() {
        QFETCH(QString, file);
        QFETCH(int, box);
        QFETCH(QString, command);
        auto window = OpenWindow(DataPath(file.toStdString()));
        auto* buttons = test::Control<QComboBox>(*window, Dlg::ID_BUTTONS);
        buttons->setFocus();
        for (int step = 0; step < 3; ++step) {
            QTest::keyClick(buttons, Qt::Key_Up);
        }
        test::Click(*window, Dlg::ID_PLAYABLE);
        QCOMPARE(CommandLine(*window)->text(), QString());
        if (box == Dlg::ID_NOT) {
            auto* category = test::Control<QComboBox>(*window, Dlg::ID_CATEGORY);
            category->setFocus();
            QTest::keyClick(category, Qt::Key_Down);
        }
        test::Click(*window, box);
        QCOMPARE(CommandLine(*window)->text(), command);
    }

    // Today's data is asked of machines and merged files only; the merged file's categories can be left out,
    // and the working and players boxes compose their terms.
    void todaysDataFollowsTheFile() {
        auto classic = OpenWindow(DataPath("listxml_small.xml"));
        for (int id : {Dlg::ID_WORKING, Dlg::ID_NO_CHD, Dlg::ID_PLAYERS, Dlg::ID_LEAVE_OUT, Dlg::ID_ADDED_SINCE}) {
            QVERIFY(!Enabled(*classic, id));
        }
        auto merged = OpenWindow(DataPath("merged_small.xml"));
        QVERIFY(Enabled(*merged, Dlg::ID_WORKING) && Enabled(*merged, Dlg::ID_LEAVE_OUT));
        QVERIFY(!Enabled(*merged, Dlg::ID_SIMULTANEOUS) && !Enabled(*merged, Dlg::ID_BEST_GAMES));
        {
            test::ScriptedModals prompts([](QDialog& prompt) {
                auto* choices = test::Control<QListWidget>(prompt, CCategoriesDlg::ID_CHOICES);
                QCOMPARE(choices->count(), 3);
                choices->item(0)->setCheckState(Qt::Checked);
                choices->item(2)->setCheckState(Qt::Checked);
                test::Click(prompt, 1);
            });
            test::Click(*merged, Dlg::ID_LEAVE_OUT);
        }
        QVERIFY(CommandLine(*merged)->text().endsWith("(!<category>Fighter & !<category>Maze)"));
        QCOMPARE(test::Control<QLabel>(*merged, Dlg::ID_LEFT_OUT)->text(), QString("2"));
        for (int id : {Dlg::ID_WORKING, Dlg::ID_PLAYERS}) {
            auto* box = test::Control<QComboBox>(*merged, id);
            box->setFocus();
            QTest::keyClick(box, Qt::Key_Down);
        }
        QVERIFY(CommandLine(*merged)->text().contains(
            "driver_status=good & (input_players= & !(input_players=0_ | input_players=0/ | input_players=0>))"));
    }

    // "One per title" keeps one set of each family for any list type, and "Found" counts what is kept.
    void setStepsChooseTheSets() {
        auto window = OpenWindow(DataPath("listxml_small.xml"));
        test::Control<QRadioButton>(*window, Dlg::ID_NAMES)->setChecked(true);
        test::Click(*window, Dlg::ID_ONE_PER_TITLE);
        test::TypeOver(*test::Control<QLineEdit>(*window, Dlg::ID_PREFER), "Midway");
        Go(*window, "=", true, false);
        QCOMPARE(View(*window), QString("pacman\nsf2\ninvaders\nufo\n"));
        QCOMPARE(Label(*window), QString("Found:4 matches"));
    }

    // Escape leaves the window and its result as they are; the close button ends it. Its smallest size fits a
    // 1366x768 screen with a panel, and the size and place it had are those it opens with next time.
    void behavesAsADesktopWindow() {
        QVERIFY(SaveStoredSettings({}));
        auto window = OpenWindow(DataPath("listxml_small.xml"));
        QSize smallest = window->minimumSizeHint();
        QVERIFY2(smallest.width() <= 1366 && smallest.height() <= 728,
                 qPrintable(QString("%1x%2").arg(smallest.width()).arg(smallest.height())));
        QTest::keyClick(window.get(), Qt::Key_Escape);
        QVERIFY(window->isVisible());
        window->setGeometry(QRect(QPoint(40, 30), smallest + QSize(20, 10)));
        QVERIFY(window->close());
        QVERIFY(!window->isVisible());
        auto again = OpenWindow(DataPath("listxml_small.xml"));
        QCOMPARE(again->size(), smallest + QSize(20, 10));
    }

    // A file dropped on the window is opened as the input file, with the same messages; the list made from the
    // file before is gone with it.
    void droppedFileBecomesTheInput() {
        auto window = OpenWindow(DataPath("listxml_small.xml"));
        Go(*window, "!cloneof", true, false);
        QCOMPARE(Label(*window), QString("Found:4 matches"));
        auto drop = [&](const QString& path) -> std::vector<QString> {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(path)});
            QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(window.get(), &enter);
            if (!enter.isAccepted()) {
                return {"the drop was refused"};
            }
            QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            MessageLog messages;
            test::ScriptedModals prompts([&](QDialog& prompt) {
                messages.texts.push_back(static_cast<QMessageBox&>(prompt).text());
                test::Click(prompt, 1);
            });
            QApplication::sendEvent(window.get(), &dropped);
            return messages.texts;
        };
        QVERIFY(drop(QString::fromStdString(DataPath("controls_small.xml"))).empty());
        QVERIFY(View(*window).startsWith("<game romname="));
        QCOMPARE(Label(*window), QString("Example ROM description:  You can search on anything shown in here."));
        QVERIFY(test::Control<QWidget>(*window, Dlg::ID_VIEW_GROUP)->isHidden());
        QCOMPARE(drop(m_folder->filePath("none.xml")),
                 std::vector<QString>{"Open or Read error on input file!?\nCheck your settings.\n" +
                                      m_folder->filePath("none.xml") + ": missing"});
        QVERIFY(!Enabled(*window, Dlg::ID_GO));
    }

    // A saved list or a MaLa file that cannot be written is said, naming the file.
    void unwritableFilesAreSaid() {
        auto window = OpenWindow(DataPath("listxml_small.xml"));
        std::string blocker = m_folder->filePath("file").toStdString();
        WriteFile(blocker, "not a folder");
        std::string target = blocker + "/names.txt";
        const std::vector<QString> said = {QString::fromStdString("Cannot write the output file " + target)};
        test::Control<QRadioButton>(*window, Dlg::ID_NAMES)->setChecked(true);
        {
            ScriptedFileDialogs dialogs({target});
            QCOMPARE(Go(*window, "!cloneof", true, true).texts, said);
        }
        QCOMPARE(Label(*window), QString("Found:4 matches"));
        test::Control<QRadioButton>(*window, Dlg::ID_MALA)->setChecked(true);
        ScriptedFileDialogs dialogs({target});
        QCOMPARE(Go(*window, "!cloneof", false, true).texts, said);
        QCOMPARE(ReadWholeFile(blocker), std::string("not a folder"));
    }

    // The description search opens on the last text, selected so that typing replaces it, shows the game found
    // from its description line at the top of the view, "Input file" shows that game whole, and a text found
    // nowhere says so.
    void descriptionSearch() {
        auto window = OpenWindow(DataPath("listxml_small.xml"));
        test::Control<QRadioButton>(*window, Dlg::ID_XML)->setChecked(true);
        Go(*window, "name", true, false);
        QScrollBar* scroll = test::Control<ResultView>(*window, Dlg::ID_VIEW)->verticalScrollBar();
        QVERIFY(scroll->maximum() > 0);
        scroll->setValue(scroll->maximum());
        QString lastText;
        // Types `text` into the search dialog and confirms it.
        auto search = [&](const QString& text) {
            MessageLog messages;
            test::ScriptedModals prompts([&](QDialog& prompt) {
                if (auto* box = qobject_cast<QMessageBox*>(&prompt)) {
                    messages.texts.push_back(box->text());
                } else {
                    auto* edit = test::Control<QLineEdit>(prompt, CSearchDlg::ID_TEXT);
                    QCOMPARE(edit->text(), lastText);
                    QCOMPARE(edit->selectedText(), lastText);
                    test::TypeOver(*edit, text);
                }
                test::Click(prompt, 1);
            });
            test::Click(*window, Dlg::ID_SEARCH);
            lastText = text;
            return messages.texts;
        };
        QVERIFY(search("Space").empty());
        QVERIFY(View(*window).startsWith("<description>Space Invaders"));
        QCOMPARE(scroll->value(), 0);
        test::Click(*window, Dlg::ID_INPUT_FILE_VIEW);
        QVERIFY(View(*window).startsWith("<game name=\"invaders\""));
        QCOMPARE(Label(*window), QString("Example ROM description:  You can search on anything listed in here."));
        QCOMPARE(search("Nothing like it"), std::vector<QString>{"No matches found"});
    }

    // The MaLa list is written to the chosen file; then "File" is ticked and "Window" is not.
    void malaList() {
        auto window = OpenWindow(DataPath("listxml_small.xml"));
        {
            test::ScriptedModals prompts([](QDialog& prompt) {
                test::TypeOver(*test::Control<QLineEdit>(prompt, CMalaListDlg::ID_TITLE), "Mine");
                test::Click(prompt, 1);
            });
            test::Click(*window, Dlg::ID_MALA);
        }
        std::string path = m_folder->filePath("list.mlg").toStdString();
        QString viewBefore = View(*window);
        {
            ScriptedFileDialogs dialogs({path});
            Go(*window, "!cloneof", true, false);
            QCOMPARE(dialogs.Requests()[0].defaultExtension, std::string("mlg"));
        }
        QCOMPARE(ReadWholeFile(path).substr(0, 7), std::string("\x01\x06\x04Mine", 7));
        QVERIFY(!Ticked(*window, Dlg::ID_WINDOW) && Ticked(*window, Dlg::ID_FILE));
        QCOMPARE(View(*window), viewBefore);
        // Replacing it asks first; "No" leaves it as it is.
        WriteFile(path, "kept");
        {
            ScriptedFileDialogs dialogs({path});
            test::ScriptedModals prompts([](QDialog& prompt) { test::Click(prompt, 7); });
            test::Click(*window, Dlg::ID_GO);
            QCOMPARE(prompts.Count(), 1);
        }
        QCOMPARE(ReadWholeFile(path), std::string("kept"));
        // A cancelled save dialog writes nothing and ends the run.
        QFile::remove(QString::fromStdString(path));
        ScriptedFileDialogs cancelled({""});
        Go(*window, "!cloneof", true, false);
        QVERIFY(!QFile::exists(QString::fromStdString(path)));
    }

    // A listing that fails to read part-way says so, and neither saves nor shows a list cut short,
    // nor replaces the MaLa list in place; once it reads again, the next run gives the whole list.
    void readErrorPartWay() {
        std::string listing = m_folder->filePath("big.xml").toStdString();
        std::string bytes = "<?xml version=\"1.0\"?>\n<mame build=\"0.1\">\n";
        const int games = 60000;
        for (int game = 0; game < games; ++game) {
            bytes +=
                "\t<game name=\"g" + std::to_string(game) + "\">\n\t\t<description>Game</description>\n\t</game>\n";
        }
        bytes += "</mame>\n";
        WriteFile(listing, bytes);
        // Reads fail from 2 MB on, well inside the file.
        QVERIFY(bytes.size() > (std::size_t(3) << 20));

        const QString readError = "Open or Read error on input file!?\nCheck your settings.\n" +
                                  QString::fromStdString(listing) + ": unreadable";
        auto window = OpenWindow(listing);
        test::Control<QRadioButton>(*window, Dlg::ID_NAMES)->setChecked(true);
        QString viewBefore = View(*window);
        std::string mala = m_folder->filePath("list.mlg").toStdString();
        WriteFile(mala, "previous");
        {
            test::FailingReads failing(listing, 2 << 20);
            ScriptedFileDialogs dialogs({m_folder->filePath("names.txt").toStdString()});
            QCOMPARE(Go(*window, "game", true, true).texts, std::vector<QString>{readError});
            QVERIFY(dialogs.Requests().empty());
            QCOMPARE(View(*window), viewBefore);
            test::Click(*window, Dlg::ID_SEARCH_RESULTS_VIEW);
            QCOMPARE(View(*window), QString());

            {
                test::ScriptedModals prompts([](QDialog& prompt) { test::Click(prompt, 1); });
                test::Click(*window, Dlg::ID_MALA);
            }
            ScriptedFileDialogs malaDialogs({mala});
            QCOMPARE(Go(*window, "game", false, true).texts,
                     (std::vector<QString>{
                         QString::fromStdString(mala + " already exists.\nDo you want to replace it?"), readError}));
            QCOMPARE(ReadWholeFile(mala), std::string("previous"));
        }
        test::Control<QRadioButton>(*window, Dlg::ID_NAMES)->setChecked(true);
        QVERIFY(Go(*window, "game", true, false).texts.empty());
        QCOMPARE(Label(*window), QString("Found:%1 matches").arg(games));
    }
};

} // namespace pellaquin

QTEST_MAIN(pellaquin::CPellaquinDlgTest)
#include "CPellaquinDlgTest.moc"
