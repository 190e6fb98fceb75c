#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include "DialogScript.h"
#include "app/StartUp.h"
#include "support/ScopedConditions.h"
#include "support/TestFiles.h"
#include "ui/CMameBrowser.h"
#include "ui/CPellaquinDlg.h"
#include "ui/CPellaquinSettingsDlg.h"
#include "ui/GameViewPanel.h"
#include "ui/ResultView.h"

namespace pellaquin {

class StartUpTest : public QObject {
    Q_OBJECT

private:
    // A fresh folder per test for its files and its settings store.
    std::unique_ptr<QTemporaryDir> m_folder;

    std::string StoreFile() const { return m_folder->filePath("pellaquin/pellaquin.conf").toStdString(); }

    // A settings file holding only `name`'s value, as a user may write it.
    void Store(const std::string& name, const std::string& value) const {
        QVERIFY(QDir(m_folder->path()).mkpath("pellaquin"));
        std::ofstream(StoreFile()) << "[General]\n" << name << "=" << value << "\n";
    }

private slots:
    void init() {
        m_folder = std::make_unique<QTemporaryDir>();
        QVERIFY(m_folder->isValid());
        qputenv("XDG_CONFIG_HOME", m_folder->path().toUtf8());
    }

    // A first run that quits at the welcome dialog ends at once and stores nothing, so the next start
    // is a first run again.
    void welcomeQuitStoresNothing() {
        for (int start = 0; start < 2; ++start) {
            std::vector<QString> shown;
            test::ScriptedModals prompts([&](QDialog& prompt) {
                shown.push_back(prompt.metaObject()->className());
                test::Click(prompt, 2);
            });
            std::string inputPath = "left over";
            RunStartUp(inputPath);
            QCOMPARE(shown, std::vector<QString>{"pellaquin::CMameBrowser"});
            QCOMPARE(inputPath, std::string());
            QVERIFY(!QFile::exists(QString::fromStdString(StoreFile())));
        }
    }

    // A damaged settings file is said, with its line, and the start is a first run that leaves the file as
    // it was.
    void damagedSettingsStartAsFirstRun() {
        Store("inputXMLFile", "\"/unclosed.xml");
        const std::string damaged = test::ReadWholeFile(StoreFile());
        std::vector<QString> shown;
        QString message;
        test::ScriptedModals prompts([&](QDialog& prompt) {
            shown.push_back(prompt.metaObject()->className());
            if (auto* box = qobject_cast<QMessageBox*>(&prompt)) {
                message = box->text();
                test::Confirm(prompt);
            } else {
                test::Click(prompt, 2);
            }
        });
        std::string inputPath;
        RunStartUp(inputPath);
        QCOMPARE(shown, (std::vector<QString>{"QMessageBox", "pellaquin::CMameBrowser"}));
        QVERIFY2(message.contains(QString::fromStdString(StoreFile() + ", line 2: inputXMLFile: a quoted value has no "
                                                                       "closing quote")),
                 qPrintable(message));
        QCOMPARE(test::ReadWholeFile(StoreFile()), damaged);
    }

    // "Next >>>" asks once about the MAME on PATH, then opens the settings window; "Yes" and "Set" open the main
    // window on the game of MAME's listing, "No" and "Set" on the first game of the samples.
    void firstRunLandsOnAGame_data() {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("firstGame");
        QTest::newRow("Yes") << true << "<game name=\"ownmame\"";
        QTest::newRow("No") << false << "<game name=\"astrobl\"";
    }
    void firstRunLandsOnAGame() {
        QFETCH(bool, yes);
        QFETCH(QString, firstGame);
        QString program = m_folder->filePath("bin/mame");
        QVERIFY(QDir(m_folder->path()).mkpath("bin"));
        QFile script(program);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nprintf '<mame>\\n\\t<game name=\"ownmame\">\\n\\t</game>\\n</mame>\\n'\n");
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
        test::ScopedEnvironment path("PATH", m_folder->filePath("bin").toStdString());

        std::vector<QString> shown;
        QString view;
        test::ScriptedModals prompts([&](QDialog& prompt) {
            shown.push_back(prompt.metaObject()->className());
            auto* box = qobject_cast<QMessageBox*>(&prompt);
            if (box != nullptr && !yes && box->text().startsWith("Pellaquin found MAME at " + program)) {
                test::Click(prompt, 7);
            } else if (box != nullptr) {
                test::Confirm(prompt);
            } else if (qobject_cast<CPellaquinDlg*>(&prompt) != nullptr) {
                view = QString::fromStdString(test::Control<ResultView>(prompt, GameViewPanel::ID_VIEW)->Text());
                prompt.reject();
            } else {
                test::Click(prompt, 1);
            }
        });
        std::string inputPath;
        RunStartUp(inputPath);
        std::vector<QString> expected = {"pellaquin::CMameBrowser", "QMessageBox"};
        if (yes) {
            expected.push_back("QMessageBox");
        }
        expected.insert(expected.end(), {"pellaquin::CPellaquinSettingsDlg", "pellaquin::CPellaquinDlg"});
        QCOMPARE(shown, expected);
        QVERIFY2(view.startsWith(firstGame), qPrintable(view.left(80)));
    }

    // With the key stored, the main window opens straight on the stored input file, whatever the
    // case of the value's name.
    void normalStartUsesTheStoredPath() {
        std::string listing = std::string(PELLAQUIN_TEST_DATA_DIR) + "/listxml_small.xml";
        Store("INPUTXMLFILE", listing);
        QString firstGame;
        std::vector<QString> shown;
        test::ScriptedModals prompts([&](QDialog& prompt) {
            shown.push_back(prompt.metaObject()->className());
            firstGame = QString::fromStdString(test::Control<ResultView>(prompt, GameViewPanel::ID_VIEW)->Text());
            prompt.reject();
        });
        std::string inputPath;
        RunStartUp(inputPath);
        QCOMPARE(inputPath, listing);
        QCOMPARE(shown, std::vector<QString>{"pellaquin::CPellaquinDlg"});
        QVERIFY(firstGame.startsWith("<game name=\"puckman\""));
    }

    // A stored key without the input path is no first run: the main window opens with no file.
    void storedKeyWithoutPath() {
        Store("listXMLFile", "/somewhere/listxml.xml");
        std::vector<QString> messages;
        test::ScriptedModals prompts([&](QDialog& prompt) {
            if (qobject_cast<CPellaquinDlg*>(&prompt) != nullptr) {
                prompt.reject();
                return;
            }
            messages.push_back(prompt.findChild<QLabel*>("qt_msgbox_label")->text());
            test::Click(prompt, 1);
        });
        std::string inputPath = "x";
        RunStartUp(inputPath);
        QCOMPARE(inputPath, std::string());
        QCOMPARE(messages, std::vector<QString>{"Please hit the settings button to select an input file."});
    }
};

} // namespace pellaquin

QTEST_MAIN(pellaquin::StartUpTest)
#include "StartUpTest.moc"
