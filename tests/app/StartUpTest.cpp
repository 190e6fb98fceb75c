#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "DialogScript.h"
#include "app/RegistryKey.h"
#include "app/StartUp.h"
#include "ui/CMameBrowser.h"
#include "ui/CPellaquinDlg.h"
#include "ui/CPellaquinSettingsDlg.h"
#include "ui/ResultView.h"

namespace pellaquin {

class StartUpTest : public QObject {
    Q_OBJECT

private:
    // A fresh folder per test for its files and its settings store.
    std::unique_ptr<QTemporaryDir> m_folder;

    std::string StoreFile() const { return m_folder->filePath("pellaquin/user.reg").toStdString(); }

    static void Store(const std::string& name, const std::string& value) {
        CRegistryKey writer(CRegistryKey::MODE_CREATE);
        QVERIFY(writer.Open("Software\\Pellaquin"));
        writer.Value(name).SetText(value);
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

    // "Next >>>" leads to the settings window before the main window opens.
    void welcomeNextOpensSettings() {
        std::vector<QString> shown;
        test::ScriptedModals prompts([&](QDialog& prompt) {
            shown.push_back(prompt.metaObject()->className());
            // Welcome: Next; settings: Cancel; the empty path's message: OK; the main window: close.
            if (qobject_cast<CPellaquinDlg*>(&prompt) != nullptr) {
                prompt.reject();
            } else {
                test::Click(prompt, qobject_cast<CPellaquinSettingsDlg*>(&prompt) != nullptr ? 2 : 1);
            }
        });
        std::string inputPath;
        RunStartUp(inputPath);
        QCOMPARE(shown, (std::vector<QString>{"pellaquin::CMameBrowser", "pellaquin::CPellaquinSettingsDlg",
                                              "QMessageBox", "pellaquin::CPellaquinDlg"}));
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
            firstGame = QString::fromStdString(test::Control<ResultView>(prompt, CPellaquinDlg::ID_VIEW)->Text());
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
