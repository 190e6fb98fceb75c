#include <QCheckBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "DialogScript.h"
#include "settings/StoredSettings.h"
#include "ui/CCSVDialog.h"
#include "ui/CMalaListDlg.h"
#include "ui/CbatchFileDlg.h"
#include "ui/OutputChoicesPanel.h"

namespace pellaquin {

namespace {

using Panel = OutputChoicesPanel;

int Id(ListType type) {
    return ListTypeOf(type).controlId;
}

} // namespace

class OutputChoicesPanelTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<Panel> m_panel;

    ListRequest Request() const {
        ListRequest request;
        m_panel->FillRequest(request);
        return request;
    }

private slots:
    void init() {
        m_folder = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", m_folder->path().toUtf8());
        m_panel = std::make_unique<Panel>();
        m_panel->SetInput(FORMAT_LISTXML, RecordElement::GAME, {});
        m_panel->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_panel.get()));
    }

    // Each type asks for its options in its own dialog, keeps what it was told and says it was chosen; the
    // request carries the type, its options and the "Window" line ends.
    void eachTypeAsksForItsOptions() {
        QSignalSpy chosen(m_panel.get(), &Panel::TypeChosen);
        {
            test::ScriptedModals prompts([](QDialog& prompt) {
                test::TypeOver(*test::Control<QLineEdit>(prompt, CbatchFileDlg::ID_TEMPLATE), "cp %ROM%.zip /x");
                test::Click(prompt, 1);
            });
            test::Click(*m_panel, Id(ListType::BATCH));
        }
        QCOMPARE(Request().batchTemplate, std::string("cp %ROM%.zip /x"));
        {
            test::ScriptedModals prompts([](QDialog& prompt) {
                test::TypeOver(*test::Control<QLineEdit>(prompt, CMalaListDlg::ID_TITLE), "Mine");
                test::Click(prompt, 1);
            });
            test::Click(*m_panel, Id(ListType::MALA));
        }
        QCOMPARE(Request().mala.title, std::string("Mine"));
        {
            test::ScriptedModals prompts([](QDialog& prompt) {
                test::Click(prompt, 1041);
                test::TypeOver(*test::Control<QLineEdit>(prompt, CCSVDialog::ID_DELIMITER), ";");
                test::Click(prompt, 1);
            });
            test::Click(*m_panel, Id(ListType::CSV));
        }
        QCOMPARE(m_panel->ColumnList(), std::string("<game name="));
        QCOMPARE(Request().fieldSeparator, std::string(";"));
        test::ScriptedModals none([](QDialog&) { QFAIL("a type without options asked for some"); });
        test::Click(*m_panel, Id(ListType::NAMES));
        QCOMPARE(chosen.count(), 4);
        QCOMPARE(chosen.at(3).at(0).value<ListType>(), ListType::NAMES);
        m_panel->SetDestinations(true, false);
        ListRequest request = Request();
        QCOMPARE(request.type, ListType::NAMES);
        QVERIFY(request.windowLineEnds);
        QVERIFY(!m_panel->ToFile());
    }

    // A CSV chooser that gives no columns leaves the type chosen before, and says nothing was chosen.
    void cancelledColumnsKeepTheTypeBefore() {
        test::Click(*m_panel, Id(ListType::XML));
        QSignalSpy chosen(m_panel.get(), &Panel::TypeChosen);
        test::ScriptedModals prompts([](QDialog& prompt) { test::Click(prompt, 2); });
        test::Click(*m_panel, Id(ListType::CSV));
        QCOMPARE(m_panel->Selected(), ListType::XML);
        QVERIFY(test::Control<QAbstractButton>(*m_panel, Id(ListType::XML))->isChecked());
        QCOMPARE(chosen.count(), 0);
    }

    // An export's options are kept for the run, and stored once a settings file exists.
    void exportOptionsAreStored() {
        auto setFolder = [](const char* folder) {
            return [folder](QDialog& prompt) {
                test::TypeOver(*test::Control<QLineEdit>(prompt, ExportOptionOf(ExportOption::ROM_FOLDER).controlId),
                               folder);
                test::Click(prompt, 1);
            };
        };
        {
            test::ScriptedModals prompts(setFolder("/first"));
            test::Click(*m_panel, Id(ListType::PEGASUS));
        }
        QCOMPARE(Request().exports.romFolder, std::string("/first"));
        QVERIFY(!LoadStoredSettings());
        QVERIFY(SaveStoredSettings({}));
        {
            test::ScriptedModals prompts(setFolder("/second"));
            test::Click(*m_panel, Id(ListType::RETROARCH));
        }
        QCOMPARE(LoadStoredSettings()->exportOptions.romFolder, std::string("/second"));
    }
};

} // namespace pellaquin

QTEST_MAIN(pellaquin::OutputChoicesPanelTest)
#include "OutputChoicesPanelTest.moc"
