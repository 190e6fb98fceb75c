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
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "DialogScript.h"
#include "ScriptedFileDialogs.h"
#include "platform/SamplesFolder.h"
#include "records/InputOpening.h"
#include "settings/StoredSettings.h"
#include "support/FailingReads.h"
#include "support/TestFiles.h"
#include "ui/CCSVDialog.h"
#include "ui/CCategoriesDlg.h"
#include "ui/CMalaListDlg.h"
#include "ui/CPellaquinDlg.h"
#include "ui/CPellaquinSettingsDlg.h"
#include "ui/CProgressDlg.h"
#include "ui/CRomFolderDlg.h"
#include "ui/GameViewPanel.h"
#include "ui/MessageBoxes.h"
#include "ui/OutputChoicesPanel.h"
#include "ui/QtText.h"
#include "ui/ResultView.h"
#include "ui/TodaysDataPanel.h"
#include "ui/WizardPanel.h"

namespace pellaquin {

namespace {

using Dlg = CPellaquinDlg;
using View = GameViewPanel;
using Wizard = WizardPanel;
using Todays = TodaysDataPanel;
using Output = OutputChoicesPanel;

using test::DataPath;
using test::ReadWholeFile;
using test::ScriptedFileDialogs;

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

int Id(ListType type) {
    return ListTypeOf(type).controlId;
}

// Records the text and icon of every message box, answering it with OK.
struct MessageLog {
    std::vector<QString> texts;
    std::vector<QMessageBox::Icon> icons;
};

// Answers every prompt as a user going on would, recording the message boxes' texts and cancelling a settings
// window.
std::function<void(QDialog&)> GoingOn(MessageLog& messages) {
    return [&messages](QDialog& prompt) {
        if (auto* box = qobject_cast<QMessageBox*>(&prompt)) {
            messages.texts.push_back(box->text());
            messages.icons.push_back(box->icon());
        }
        if (qobject_cast<CPellaquinSettingsDlg*>(&prompt) != nullptr) {
            test::Click(prompt, CPellaquinSettingsDlg::ID_CANCEL);
            return;
        }
        test::Confirm(prompt);
    };
}

} // namespace

class CPellaquinDlgTest : public QObject {
    Q_OBJECT

private:
    // A fresh folder per test for its files and its settings.
    std::unique_ptr<QTemporaryDir> m_folder;

    std::unique_ptr<Dlg> OpenWindow(const std::string& inputPath, MessageLog* messages = nullptr) {
        auto window = std::make_unique<Dlg>();
        window->m_inputPath = inputPath;
        MessageLog ignored;
        test::ScriptedModals prompts(GoingOn(messages != nullptr ? *messages : ignored));
        window->OnInitDialog();
        window->show();
        // Mouse clicks reach a window only once the platform has shown it.
        if (!QTest::qWaitForWindowExposed(window.get())) {
            qFatal("the main window was never shown");
        }
        return window;
    }

    std::string Path(const char* name) const { return m_folder->filePath(name).toStdString(); }

    static QString ViewText(const Dlg& window) {
        return ToDisplayText(test::Control<ResultView>(window, View::ID_VIEW)->Text());
    }
    static QString Label(const Dlg& window) { return test::Control<QLabel>(window, View::ID_VIEW_LABEL)->text(); }
    static QString CommandLabel(const Dlg& window) {
        return test::Control<QLabel>(window, Dlg::ID_COMMAND_LABEL)->text();
    }
    static QLineEdit* CommandLine(const Dlg& window) { return test::Control<QLineEdit>(window, Dlg::ID_COMMAND_LINE); }
    static bool Enabled(const Dlg& window, int id) { return test::Control<QWidget>(window, id)->isEnabled(); }
    static bool Ticked(const Dlg& window, int id) { return test::Control<QAbstractButton>(window, id)->isChecked(); }
    static void ShowTodaysData(const Dlg& window) {
        window.findChild<QTabWidget*>(QStringLiteral("choiceTabs"))->setCurrentIndex(1);
    }
    static void Choose(const Dlg& window, ListType type) {
        test::Control<QRadioButton>(window, Id(type))->setChecked(true);
    }

    // Types `command`, ticks the output boxes and presses "Go!", answering prompts as a user going on would.
    static MessageLog Go(Dlg& window, const QString& command, bool toWindow, bool toFile) {
        test::TypeOver(*CommandLine(window), command);
        test::Control<QCheckBox>(window, Output::ID_WINDOW)->setChecked(toWindow);
        test::Control<QCheckBox>(window, Output::ID_FILE)->setChecked(toFile);
        MessageLog messages;
        test::ScriptedModals prompts(GoingOn(messages));
        test::Click(window, Dlg::ID_GO);
        return messages;
    }

    // Picks a drop-down box's item `steps` down (up when negative) with the keyboard.
    static void Pick(const Dlg& window, int id, int steps) {
        auto* box = test::Control<QComboBox>(window, id);
        box->setFocus();
        for (int step = 0; step < std::abs(steps); ++step) {
            QTest::keyClick(box, steps > 0 ? Qt::Key_Down : Qt::Key_Up);
        }
    }

    // Chooses `path` as the input file in the settings window and presses "Set"; the messages that gave.
    static MessageLog SetInput(Dlg& window, const std::string& path) {
        MessageLog messages;
        test::ScriptedModals prompts([&](QDialog& prompt) {
            if (auto* box = qobject_cast<QMessageBox*>(&prompt)) {
                messages.texts.push_back(box->text());
                test::Confirm(prompt);
                return;
            }
            test::TypeOver(*test::Control<QLineEdit>(prompt, CPellaquinSettingsDlg::ID_INPUT_PATH),
                           QString::fromStdString(path));
            test::Click(prompt, CPellaquinSettingsDlg::ID_SET);
            if (prompt.isVisible()) {
                test::Click(prompt, CPellaquinSettingsDlg::ID_CANCEL);
            }
        });
        test::Click(window, Dlg::ID_SETTINGS);
        return messages;
    }

private slots:
    void init() {
        m_folder = std::make_unique<QTemporaryDir>();
        QVERIFY(m_folder->isValid());
        qputenv("XDG_CONFIG_HOME", m_folder->path().toUtf8());
        // Where front-ends read their lists is looked for in the home folder.
        qputenv("HOME", m_folder->path().toUtf8());
    }

    // Every control of the window exists with its id and caption, and says what it is for.
    void controlsCarryTheirIdsTextsAndHelp() {
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
        QVERIFY(!test::Control<QGroupBox>(*window, View::ID_VIEW_GROUP)->isVisibleTo(window.get()));
        QCOMPARE(CommandLabel(*window), QString("-find:"));
        QCOMPARE(test::Control<QComboBox>(*window, Wizard::ID_BUTTONS)->count(), 12);
        auto* category = test::Control<QComboBox>(*window, Wizard::ID_CATEGORY);
        QCOMPARE(category->count(), 23);
        QCOMPARE(category->itemText(8), QString("Mature"));
        for (QWidget* control : window->findChildren<QWidget*>()) {
            bool isControl = qobject_cast<QAbstractButton*>(control) != nullptr ||
                             qobject_cast<QComboBox*>(control) != nullptr || control->objectName() == "1800" ||
                             control->objectName() == "1000";
            if (isControl && control->isVisibleTo(window.get()) && control->objectName() != "2") {
                QVERIFY2(!control->toolTip().isEmpty(), qPrintable(control->objectName()));
            }
        }
    }

    // Start-up shows the first game and composes the default command for each format.
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
        QCOMPARE(Enabled(*window, Wizard::ID_CATEGORY), categories);
        QVERIFY(!Enabled(*window, Wizard::ID_NOT));
        QVERIFY(Ticked(*window, Id(ListType::DESCRIPTIONS)) && Ticked(*window, Output::ID_WINDOW));
        QVERIFY(ViewText(*window).startsWith("<game "));
        QVERIFY(Enabled(*window, Dlg::ID_GO));
    }

    // A stored file that does not open is said, and the settings window opens on it to put it right; without a
    // file "Go!" and browsing stay off and say why.
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
        QTest::newRow("folder") << "folder"
                                << "Open or Read error on input file!?\nCheck your settings.";
    }
    void inputFileFailures() {
        QFETCH(QString, path);
        QFETCH(QString, message);
        std::string input = path.toStdString();
        if (path == "foreign") {
            input = Path("foreign.xml");
            WriteFile(input, "\x7f\x45\x4c\x46 binary\n");
            message += "\n" + QString::fromStdString(input) + ": not a listing of any known form";
        } else if (path == "folder") {
            input = m_folder->path().toStdString();
            message += "\n" + QString::fromStdString(input) + ": a folder";
        } else if (path == "joined") {
            input = Path("joined.xml");
            std::string joined = ReadWholeFile(DataPath("listxml_small.xml"));
            std::erase(joined, '\n');
            WriteFile(input, joined);
        }
        MessageLog messages;
        std::string held = "none";
        {
            test::ScriptedModals prompts([&](QDialog& prompt) {
                if (auto* settings = qobject_cast<CPellaquinSettingsDlg*>(&prompt)) {
                    held = settings->InputPath();
                    test::Click(prompt, CPellaquinSettingsDlg::ID_CANCEL);
                } else {
                    GoingOn(messages)(prompt);
                }
            });
            auto window = std::make_unique<Dlg>();
            window->m_inputPath = input;
            window->OnInitDialog();
            window->show();
            for (int id : {int(Dlg::ID_GO), int(View::ID_NEXT), int(View::ID_SEARCH), int(View::ID_INPUT_FILE_VIEW)}) {
                QVERIFY(!Enabled(*window, id));
                QVERIFY(test::Control<QWidget>(*window, id)->toolTip().contains("No input file"));
            }
        }
        QCOMPARE(messages.texts.at(0), message);
        QCOMPARE(messages.icons.at(0), QMessageBox::Critical);
        QCOMPARE(held, input.empty() ? std::string("none") : input);
    }

    // A file that does not open never replaces the one open: not from the settings window, whose "Set" refuses
    // it and stores nothing, nor from a drop; the window goes on with the good file.
    void badPathKeepsTheGoodOne() {
        std::string good = DataPath("listxml_small.xml");
        QVERIFY(SaveStoredSettings({good}));
        auto window = OpenWindow(good);
        std::string empty = Path("empty.xml");
        WriteFile(empty, "");
        MessageLog said = SetInput(*window, empty);
        QCOMPARE(said.texts.size(), std::size_t(2));
        QVERIFY(said.texts[0].startsWith("Invalid input file."));
        QCOMPARE(LoadStoredSettings()->inputXmlFile, good);
        QVERIFY(ViewText(*window).startsWith("<game name=\"puckman\""));
        QVERIFY(Enabled(*window, Dlg::ID_GO));
        QCOMPARE(Go(*window, "sf2", true, false).texts, std::vector<QString>{});
        QCOMPARE(Label(*window), QString("Found: 1 of 5"));
    }

    // Window and File, alone and together: the view, the label, and the file added to each time.
    void windowAndFileCombinations() {
        auto window = OpenWindow(DataPath("listxml_small.xml"));
        Choose(*window, ListType::NAMES);
        std::string saved = Path("names.txt");

        Go(*window, "!cloneof", true, false);
        QCOMPARE(ViewText(*window), QString("puckman\nsf2\ninvaders\nufo\n"));
        QCOMPARE(Label(*window), QString("Found: 4 of 5"));
        QVERIFY(!Enabled(*window, View::ID_PREV) && !Enabled(*window, View::ID_NEXT));
        {
            ScriptedFileDialogs dialogs({saved, saved});
            QCOMPARE(Go(*window, "name=cocktail", false, true).texts,
                     std::vector<QString>{QString::fromStdString("The list of 2 games was saved as\n" + saved)});
            QCOMPARE(ViewText(*window), QString("puckman\nsf2\ninvaders\nufo\n"));
            QVERIFY(Ticked(*window, View::ID_SEARCH_RESULTS_VIEW));
            QCOMPARE(
                Go(*window, "name=cocktail", true, true).texts,
                std::vector<QString>{QString::fromStdString("The list of 2 games was added at the end of\n" + saved)});
            QCOMPARE(dialogs.Requests().size(), std::size_t(2));
            QCOMPARE(dialogs.Requests()[0].title, std::string("Save file as..."));
            QVERIFY(dialogs.Requests()[0].initialPath.ends_with("/names.txt"));
            // The next dialog starts where the last list went.
            QCOMPARE(dialogs.Requests()[1].initialPath, saved);
        }
        QCOMPARE(ReadWholeFile(saved), std::string("puckman\npacman\npuckman\r\npacman\r\n"));
        QCOMPARE(Label(*window), QString("Found: 2 of 5"));

        // Neither box: the results are kept, and "Search Results" shows them unconverted.
        Go(*window, "sf2", false, false);
        QCOMPARE(ViewText(*window), QString("puckman\npacman\n"));
        test::Click(*window, View::ID_SEARCH_RESULTS_VIEW);
        QCOMPARE(ViewText(*window), QString("sf2\n"));
    }

    // The CSV columns stand in for the command, with the wizard off saying why; leaving CSV for any other type
    // brings the command back, so each type finds after CSV what it found before.
    void csvColumnsThenEveryOtherType() {
        auto window = OpenWindow(DataPath("machines_small.xml"));
        const QString command = QStringLiteral("!isdevice");
        std::string mala = Path("list.mlg");
        auto runType = [&](ListType type) {
            MessageLog said;
            ScriptedFileDialogs dialogs({mala});
            test::ScriptedModals prompts([&](QDialog& prompt) {
                if (auto* box = qobject_cast<QMessageBox*>(&prompt)) {
                    said.texts.push_back(box->text());
                }
                test::Confirm(prompt);
            });
            test::Click(*window, Id(type));
            // The MaLa list leaves "Window" off and "File" on.
            test::Control<QCheckBox>(*window, Output::ID_WINDOW)->setChecked(true);
            test::Control<QCheckBox>(*window, Output::ID_FILE)->setChecked(false);
            test::Click(*window, Dlg::ID_GO);
            return type == ListType::MALA ? said.texts.back() : Label(*window);
        };
        test::TypeOver(*CommandLine(*window), command);
        for (const ListTypeInfo& type : ListTypes()) {
            if (type.type == ListType::CSV) {
                continue;
            }
            QString before = runType(type.type);
            {
                test::ScriptedModals prompts([](QDialog& prompt) {
                    test::Click(prompt, 1041);
                    test::Click(prompt, 1);
                });
                test::Click(*window, Id(ListType::CSV));
            }
            QCOMPARE(CommandLine(*window)->text(), QString("<machine name="));
            QCOMPARE(CommandLabel(*window), QString("-csv"));
            QVERIFY(!Enabled(*window, Wizard::ID_NO_CLONES));
            QVERIFY(test::Control<QWidget>(*window, Wizard::ID_NO_CLONES)->toolTip().contains("Spreadsheet table"));
            Go(*window, CommandLine(*window)->text(), true, false);
            QCOMPARE(Label(*window), QString("Found: 6 of 6"));
            QCOMPARE(runType(type.type), before);
            QCOMPARE(CommandLine(*window)->text(), command);
            QCOMPARE(CommandLabel(*window), QString("-find:"));
            QVERIFY(Enabled(*window, Wizard::ID_NO_CLONES));
        }
    }

    // A new input file recomposes the command for its form, refreshes the category box and shows its own game:
    // merged file, listing, merged file again each count what their own wizard command keeps.
    void newInputFollowsItsForm() {
        std::string merged = DataPath("merged_small.xml");
        std::string listing = DataPath("listxml_small.xml");
        auto window = OpenWindow(merged);
        Pick(*window, Wizard::ID_CATEGORY, 1);
        QVERIFY(Enabled(*window, Wizard::ID_NOT));
        for (const std::string& path : {listing, merged}) {
            QCOMPARE(SetInput(*window, path).texts, std::vector<QString>{});
            bool isMerged = path == merged;
            QCOMPARE(CommandLine(*window)->text(),
                     isMerged ? QString("(numButtons=2 | numButtons=1 | numButtons=0) & !emulation=preliminary")
                              : QString("(buttons=2 | buttons=1 | !buttons=) & !emulation=preliminary"));
            QCOMPARE(Enabled(*window, Wizard::ID_CATEGORY), isMerged);
            QCOMPARE(test::Control<QComboBox>(*window, Wizard::ID_CATEGORY)->currentIndex(), 0);
            QVERIFY(!Enabled(*window, Wizard::ID_NOT));
            QCOMPARE(Label(*window), QString("Example ROM description:  You can search on anything shown in here."));
            Go(*window, CommandLine(*window)->text(), true, false);
            QCOMPARE(Label(*window), isMerged ? QString("Found: 1 of 3") : QString("Found: 3 of 5"));
        }
    }

    // A front-end's list takes its options; saved, it is offered under its usual name in the folder its
    // front-end reads, "No" to replacing a file goes back to the dialog, and the file is replaced only once the
    // user agrees.
    void frontEndList() {
        auto window = OpenWindow(DataPath("listxml_small.xml"));
        {
            test::ScriptedModals prompts([](QDialog& prompt) {
                test::TypeOver(*test::Control<QLineEdit>(prompt, ExportOptionOf(ExportOption::ROM_FOLDER).controlId),
                               "/roms");
                test::Click(prompt, 1);
            });
            test::Click(*window, Id(ListType::EMULATIONSTATION));
        }
        QDir(m_folder->path()).mkpath("ES-DE/gamelists/mame");
        std::string target = Path("gamelist.xml");
        std::string other = Path("other.xml");
        WriteFile(target, "old");
        ScriptedFileDialogs dialogs({target, other});
        MessageLog said;
        test::ScriptedModals prompts([&](QDialog& prompt) {
            said.texts.push_back(static_cast<QMessageBox&>(prompt).text());
            test::Click(prompt, said.texts.size() == 1 ? ID_NO : 1);
        });
        test::TypeOver(*CommandLine(*window), "name=sf2");
        test::Control<QCheckBox>(*window, Output::ID_FILE)->setChecked(true);
        test::Click(*window, Dlg::ID_GO);
        QCOMPARE(dialogs.Requests().size(), std::size_t(2));
        QCOMPARE(dialogs.Requests()[0].initialPath, Path("ES-DE/gamelists/mame/gamelist.xml"));
        QCOMPARE(dialogs.Requests()[1].initialPath, target);
        QCOMPARE(said.texts.at(0), QString::fromStdString(target + " already exists.\nDo you want to replace it?"));
        QCOMPARE(ReadWholeFile(target), std::string("old"));
        QVERIFY(ViewText(*window).contains("<path>/roms/sf2.zip</path>"));
        QCOMPARE(QString::fromStdString(ReadWholeFile(other)), ViewText(*window));
    }

    // A RetroArch playlist without a folder of the sets finds them beside itself: where it is saved is asked
    // first. A DAT is offered under the name it was given.
    void listsNamedByWhereAndWhat() {
        auto window = OpenWindow(DataPath("listxml_small.xml"));
        test::ScriptedModals answered([](QDialog& prompt) { test::Click(prompt, 1); });
        test::Click(*window, Id(ListType::RETROARCH));
        std::string playlist = Path("playlists/MAME.lpl");
        QDir(m_folder->path()).mkpath("playlists");
        {
            ScriptedFileDialogs dialogs({playlist});
            Go(*window, "name=sf2", true, true);
        }
        QVERIFY2(ReadWholeFile(playlist).find("\"path\": \"" + Path("playlists") + "/sf2.zip\"") != std::string::npos,
                 ReadWholeFile(playlist).c_str());
        test::ScriptedModals named([](QDialog& prompt) {
            test::TypeOver(*test::Control<QLineEdit>(prompt, ExportOptionOf(ExportOption::DAT_NAME).controlId),
                           "Vertical");
            test::Click(prompt, 1);
        });
        test::Click(*window, Id(ListType::DAT));
        ScriptedFileDialogs dialogs({""});
        Go(*window, "name=sf2", false, true);
        QVERIFY(dialogs.Requests().at(0).initialPath.ends_with("/playlists/Vertical.dat"));
    }

    // "ROM folder…" audits what the window's search keeps: its command and set steps, in the ROM folders.
    void romFolderTakesTheSelection() {
        auto window = OpenWindow(DataPath("listxml_small.xml"));
        QVERIFY(SaveStoredSettings({"", "", "", "", "", {}, {m_folder->path().toStdString()}}));
        test::TypeOver(*CommandLine(*window), "name=sf2");
        QString counts;
        test::ScriptedModals prompts([&](QDialog& prompt) {
            test::Click(prompt, CRomFolderDlg::ID_AUDIT);
            QTRY_VERIFY(test::Control<QPushButton>(prompt, CRomFolderDlg::ID_AUDIT)->isEnabled());
            counts = test::Control<QLabel>(prompt, CRomFolderDlg::ID_COUNTS)->text();
            test::Click(prompt, CRomFolderDlg::ID_CLOSE);
        });
        test::Click(*window, Dlg::ID_ROM_FOLDER);
        QCOMPARE(counts, QString("1 set: 0 good, 0 best available, 0 bad, 1 not found, 0 none needed"));
    }

    // What no front-end starts is left out, and the label says so.
    void leftOutIsSaid() {
        auto window = OpenWindow(DataPath("exports_small.xml"));
        test::ScriptedModals prompts([](QDialog& prompt) { test::Click(prompt, 1); });
        test::Click(*window, Id(ListType::ATTRACT));
        Go(*window, "neogeo/", true, false);
        QCOMPARE(Label(*window), QString("Found: 2 of 6, 1 left out that no front-end starts (BIOS sets, devices)"));
    }

    // The wizard follows every click: the cocktail example, the cabinet buttons, the buttons box.
    void wizardComposesCommands() {
        auto window = OpenWindow(DataPath("listxml_small.xml"));
        for (int id :
             {Wizard::ID_COCKTAIL, Wizard::ID_VERTICAL, Wizard::ID_JOY4WAY, Wizard::ID_JOY8WAY, Wizard::ID_NO_CLONES}) {
            test::Click(*window, id);
        }
        QCOMPARE(CommandLine(*window)->text(),
                 QString("name=cocktail & (buttons=2 | buttons=1 | !buttons=) & (rotate=90 | rotate=270) & "
                         "(joy4way | joy8way) & (!cloneof & !emulation=preliminary)"));
        test::Click(*window, Wizard::ID_UPRIGHT);
        QVERIFY(!CommandLine(*window)->text().contains("cocktail"));
        Pick(*window, Wizard::ID_BUTTONS, -2);
        QVERIFY(CommandLine(*window)->text().startsWith("(!buttons=) & "));
    }

    // Each wizard box asks for its own term: ticked alone (buttons "any", "Playable" off) it composes exactly
    // this command; the category box with "Not" reads the chosen item.
    void eachWizardBoxAlone_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("command");
        const std::pair<int, const char*> boxes[] = {
            {Wizard::ID_COCKTAIL, "name=cocktail"},
            {Wizard::ID_HORIZONTAL, "(rotate=0 | rotate=180)"},
            {Wizard::ID_VERTICAL, "(rotate=90 | rotate=270)"},
            {Wizard::ID_JOY2WAY, "joy2way"},
            {Wizard::ID_JOY4WAY, "joy4way"},
            {Wizard::ID_JOY8WAY, "joy8way"},
            {Wizard::ID_DIAL, "dial"},
            {Wizard::ID_TRACKBALL, "trackball"},
            {Wizard::ID_PEDAL, "pedal"},
            {Wizard::ID_NO_CLONES, "!cloneof"},
            {Wizard::ID_NO_SAMPLES, "!sample_name="},
            {Wizard::ID_PLAYABLE, "!emulation=preliminary"},
        };
        for (const auto& [box, command] : boxes) {
            QTest::newRow(command) << "listxml_small.xml" << box << command;
        }
        QTest::newRow("category") << "merged_small.xml" << int(Wizard::ID_NOT) << "!Ball & Paddle";
        const std::pair<int, const char*> todays[] = {
            {Todays::ID_NO_MECHANICAL, "!ismechanical=yes"},
            {Todays::ID_NO_BIOS_DEVICES, "!isbios=yes & !isdevice=yes & !runnable=no"},
            {Todays::ID_HAS_SCREEN, "<display_"},
            {Todays::ID_NO_CHD, "!<disk_"},
            {Todays::ID_NO_SOFTWARE_LIST, "!<softwarelist_"},
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
        Pick(*window, Wizard::ID_BUTTONS, -3);
        test::Click(*window, Wizard::ID_PLAYABLE);
        QCOMPARE(CommandLine(*window)->text(), QString());
        if (box == Wizard::ID_NOT) {
            Pick(*window, Wizard::ID_CATEGORY, 1);
        }
        if (box > 1100) {
            ShowTodaysData(*window);
        }
        test::Click(*window, box);
        QCOMPARE(CommandLine(*window)->text(), command);
    }

    // Today's data composes its terms in the command: categories left out, working and players.
    void todaysDataInTheCommand() {
        auto merged = OpenWindow(DataPath("merged_small.xml"));
        ShowTodaysData(*merged);
        {
            test::ScriptedModals prompts([](QDialog& prompt) {
                auto* choices = test::Control<QListWidget>(prompt, CCategoriesDlg::ID_CHOICES);
                choices->item(0)->setCheckState(Qt::Checked);
                choices->item(2)->setCheckState(Qt::Checked);
                test::Click(prompt, 1);
            });
            test::Click(*merged, Todays::ID_LEAVE_OUT);
        }
        QVERIFY(CommandLine(*merged)->text().endsWith("(!<category>Fighter & !<category>Maze)"));
        Pick(*merged, Todays::ID_WORKING, 1);
        Pick(*merged, Todays::ID_PLAYERS, 1);
        QVERIFY(CommandLine(*merged)->text().contains(
            "driver_status=good & (input_players= & !(input_players=0_ | input_players=0/ | input_players=0>))"));
    }

    // "One per title" keeps one set of each family for any list type, and "Found" counts what is kept.
    void setStepsChooseTheSets() {
        auto window = OpenWindow(DataPath("listxml_small.xml"));
        Choose(*window, ListType::NAMES);
        ShowTodaysData(*window);
        test::Click(*window, Todays::ID_ONE_PER_TITLE);
        test::TypeOver(*test::Control<QLineEdit>(*window, Todays::ID_PREFER), "Midway");
        Go(*window, "=", true, false);
        QCOMPARE(ViewText(*window), QString("pacman\nsf2\ninvaders\nufo\n"));
        QCOMPARE(Label(*window), QString("Found: 4 of 5"));
    }

    // Escape leaves the window and its result as they are; the close button ends it, and the size and place it
    // had are those it opens with next time. While a list is made, the progress window stands above the window.
    void behavesAsADesktopWindow() {
        QVERIFY(SaveStoredSettings({}));
        auto window = OpenWindow(DataPath("listxml_small.xml"));
        QTest::keyClick(window.get(), Qt::Key_Escape);
        QVERIFY(window->isVisible());
        QWidget* progressParent = nullptr;
        bool progressModal = false;
        QTimer::singleShot(0, window.get(), [&] {
            for (QWidget* shown : QApplication::topLevelWidgets()) {
                if (auto* progress = qobject_cast<CProgressDlg*>(shown); progress != nullptr && progress->isVisible()) {
                    progressParent = progress->parentWidget();
                    progressModal = progress->isModal();
                }
            }
        });
        Go(*window, "sf2", true, false);
        QCOMPARE(progressParent, window.get());
        QVERIFY(progressModal);
        QSize size = window->minimumSizeHint() + QSize(20, 10);
        window->setGeometry(QRect(QPoint(40, 30), size));
        QVERIFY(window->close());
        QVERIFY(!window->isVisible());
        auto again = OpenWindow(DataPath("listxml_small.xml"));
        QCOMPARE(again->size(), size);
    }

    // A file dropped on the window is opened as the input file; the list made from the file before is gone with
    // it; a file that does not open is said and leaves the one open.
    void droppedFileBecomesTheInput() {
        auto window = OpenWindow(DataPath("listxml_small.xml"));
        Go(*window, "!cloneof", true, false);
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
            test::ScriptedModals prompts(GoingOn(messages));
            QApplication::sendEvent(window.get(), &dropped);
            return messages.texts;
        };
        QVERIFY(drop(QString::fromStdString(DataPath("controls_small.xml"))).empty());
        QVERIFY(ViewText(*window).startsWith("<game romname="));
        QCOMPARE(CommandLine(*window)->text(), QString("(numButtons=2 | numButtons=1 | numButtons=0)"));
        QVERIFY(test::Control<QWidget>(*window, View::ID_VIEW_GROUP)->isHidden());
        QCOMPARE(drop(m_folder->filePath("none.xml")),
                 std::vector<QString>{"Open or Read error on input file!?\nCheck your settings.\n" +
                                      m_folder->filePath("none.xml") + ": missing"});
        QVERIFY(Enabled(*window, Dlg::ID_GO));
        QVERIFY(ViewText(*window).startsWith("<game romname="));
    }

    // A saved list or a MaLa file that cannot be written is said, naming the file and why.
    void unwritableFilesAreSaid() {
        auto window = OpenWindow(DataPath("listxml_small.xml"));
        std::string blocker = Path("file");
        WriteFile(blocker, "not a folder");
        std::string target = blocker + "/names.txt";
        const std::vector<QString> said = {
            QString::fromStdString("Cannot write the output file " + target + "\n(Not a directory)")};
        Choose(*window, ListType::NAMES);
        {
            ScriptedFileDialogs dialogs({target});
            QCOMPARE(Go(*window, "!cloneof", true, true).texts, said);
        }
        QCOMPARE(Label(*window), QString("Found: 4 of 5"));
        Choose(*window, ListType::MALA);
        ScriptedFileDialogs dialogs({target});
        QCOMPARE(Go(*window, "!cloneof", false, true).texts,
                 std::vector<QString>{QString::fromStdString("Cannot write the output file " + target)});
        QCOMPARE(ReadWholeFile(blocker), std::string("not a folder"));
    }

    // The MaLa list is written to the chosen file, offered under its title; then "File" is ticked and "Window" is
    // not. Replacing a file asks first; a cancelled dialog writes nothing.
    void malaList() {
        auto window = OpenWindow(DataPath("listxml_small.xml"));
        {
            test::ScriptedModals prompts([](QDialog& prompt) {
                test::TypeOver(*test::Control<QLineEdit>(prompt, CMalaListDlg::ID_TITLE), "Mine");
                test::Click(prompt, 1);
            });
            test::Click(*window, Id(ListType::MALA));
        }
        std::string path = Path("list.mlg");
        QString viewBefore = ViewText(*window);
        {
            ScriptedFileDialogs dialogs({path});
            Go(*window, "!cloneof", true, false);
            QVERIFY(dialogs.Requests()[0].initialPath.ends_with("/Mine.mlg"));
        }
        QCOMPARE(ReadWholeFile(path).substr(0, 7), std::string("\x01\x06\x04Mine", 7));
        QVERIFY(!Ticked(*window, Output::ID_WINDOW) && Ticked(*window, Output::ID_FILE));
        QCOMPARE(ViewText(*window), viewBefore);
        WriteFile(path, "kept");
        {
            ScriptedFileDialogs dialogs({path});
            test::ScriptedModals prompts([](QDialog& prompt) { test::Click(prompt, ID_NO); });
            test::Click(*window, Dlg::ID_GO);
            QCOMPARE(prompts.Count(), 1);
        }
        QCOMPARE(ReadWholeFile(path), std::string("kept"));
    }

    // A listing that fails to read part-way says so, and neither saves nor shows a list cut short, nor replaces
    // the MaLa list in place; once it reads again, the next run gives the whole list.
    void readErrorPartWay() {
        std::string listing = Path("big.xml");
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
        Choose(*window, ListType::NAMES);
        QString viewBefore = ViewText(*window);
        std::string mala = Path("list.mlg");
        WriteFile(mala, "previous");
        {
            test::FailingReads failing(listing, 2 << 20);
            ScriptedFileDialogs dialogs({Path("names.txt")});
            QCOMPARE(Go(*window, "game", true, true).texts, std::vector<QString>{readError});
            QVERIFY(dialogs.Requests().empty());
            QCOMPARE(ViewText(*window), viewBefore);
            test::Click(*window, View::ID_SEARCH_RESULTS_VIEW);
            QCOMPARE(ViewText(*window), QString());

            {
                test::ScriptedModals prompts([](QDialog& prompt) { test::Click(prompt, 1); });
                test::Click(*window, Id(ListType::MALA));
            }
            ScriptedFileDialogs malaDialogs({mala});
            QCOMPARE(Go(*window, "game", false, true).texts,
                     (std::vector<QString>{
                         QString::fromStdString(mala + " already exists.\nDo you want to replace it?"), readError}));
            QCOMPARE(ReadWholeFile(mala), std::string("previous"));
        }
        Choose(*window, ListType::NAMES);
        QVERIFY(Go(*window, "game", true, false).texts.empty());
        QCOMPARE(Label(*window), QString("Found: 60,000 of 60,000"));
    }
};

} // namespace pellaquin

QTEST_MAIN(pellaquin::CPellaquinDlgTest)
#include "CPellaquinDlgTest.moc"
