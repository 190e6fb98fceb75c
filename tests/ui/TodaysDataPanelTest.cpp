#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>

#include "DialogScript.h"
#include "ui/CCategoriesDlg.h"
#include "ui/TodaysDataPanel.h"

namespace pellaquin {

namespace {

using Panel = TodaysDataPanel;

bool Enabled(const Panel& panel, int id) {
    return test::Control<QWidget>(panel, id)->isEnabled();
}

InputValues MergedValues(std::set<std::string> added) {
    return {{"Fighter / Versus", "Maze / Collect"}, std::move(added)};
}

} // namespace

class TodaysDataPanelTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Panel> m_panel;

private slots:
    void init() {
        m_panel = std::make_unique<Panel>();
        m_panel->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_panel.get()));
    }

    // Only listings of machines and merged files answer today's data, and a merged file only what was merged into
    // it; each greyed choice says why. "Only sets I have" needs folders, "Added" a merged version.
    void choicesFollowTheFile() {
        m_panel->SetInput(FORMAT_LISTXML, RecordElement::GAME, {});
        for (int id : {Panel::ID_WORKING, Panel::ID_NO_CHD, Panel::ID_PLAYERS, Panel::ID_LEAVE_OUT,
                       Panel::ID_ADDED_SINCE, Panel::ID_AVAILABLE}) {
            QVERIFY(!Enabled(*m_panel, id));
            QVERIFY(!test::Control<QWidget>(*m_panel, id)->toolTip().isEmpty());
        }
        QVERIFY(test::Control<QWidget>(*m_panel, Panel::ID_WORKING)->toolTip().contains("<machine>"));
        m_panel->SetInput(FORMAT_LISTXML, RecordElement::MACHINE, {});
        QVERIFY(Enabled(*m_panel, Panel::ID_WORKING) && Enabled(*m_panel, Panel::ID_NO_CHD));
        QVERIFY(!Enabled(*m_panel, Panel::ID_SIMULTANEOUS) && !Enabled(*m_panel, Panel::ID_LEAVE_OUT));
        m_panel->SetInput(FORMAT_MERGED, RecordElement::GAME, MergedValues({"nplayers", "veradded"}));
        m_panel->SetAvailableFolders({"/roms"});
        for (int id : {Panel::ID_SIMULTANEOUS, Panel::ID_LEAVE_OUT, Panel::ID_ADDED_SINCE, Panel::ID_AVAILABLE}) {
            QVERIFY(Enabled(*m_panel, id));
        }
        QVERIFY(!Enabled(*m_panel, Panel::ID_BEST_GAMES));
        QVERIFY(test::Control<QWidget>(*m_panel, Panel::ID_BEST_GAMES)->toolTip().contains("bestgames.ini"));
        m_panel->EnableChoices(false, QStringLiteral("the reason"));
        QVERIFY(!Enabled(*m_panel, Panel::ID_WORKING) && !Enabled(*m_panel, Panel::ID_LEAVE_OUT));
        QVERIFY(test::Control<QWidget>(*m_panel, Panel::ID_WORKING)->toolTip().endsWith("the reason"));
        QVERIFY(Enabled(*m_panel, Panel::ID_AVAILABLE));
    }

    // The choices read into the wizard's state and the set steps; categories left out are counted, and a new file
    // leaves none out.
    void choicesAndSteps() {
        m_panel->SetInput(FORMAT_MERGED, RecordElement::MACHINE, MergedValues({"veradded"}));
        m_panel->SetAvailableFolders({"/roms", "/more"});
        QSignalSpy changed(m_panel.get(), &Panel::Changed);
        {
            test::ScriptedModals prompts([](QDialog& prompt) {
                auto* choices = test::Control<QListWidget>(prompt, CCategoriesDlg::ID_CHOICES);
                choices->item(0)->setCheckState(Qt::Checked);
                test::Click(prompt, 1);
            });
            test::Click(*m_panel, Panel::ID_LEAVE_OUT);
        }
        QCOMPARE(test::Control<QLabel>(*m_panel, Panel::ID_LEFT_OUT)->text(), QString("1"));
        test::Click(*m_panel, Panel::ID_NO_BIOS_DEVICES);
        auto* players = test::Control<QComboBox>(*m_panel, Panel::ID_PLAYERS);
        players->setFocus();
        QTest::keyClick(players, Qt::Key_Down);
        QCOMPARE(changed.count(), 3);
        WizardState state;
        m_panel->ReadState(state);
        QVERIFY(state.noBiosOrDevices && !state.noChd);
        QCOMPARE(state.playersAtLeast, 1);
        QCOMPARE(state.leftOutCategories, std::vector<std::string>{"Fighter"});

        test::Click(*m_panel, Panel::ID_AVAILABLE);
        QCOMPARE(m_panel->Steps().availableCheck, AvailableCheck::NAMES);
        auto* check = test::Control<QComboBox>(*m_panel, Panel::ID_AVAILABLE_CHECK);
        check->setFocus();
        QTest::keyClick(check, Qt::Key_Down);
        test::Click(*m_panel, Panel::ID_ONE_PER_TITLE);
        test::TypeOver(*test::Control<QLineEdit>(*m_panel, Panel::ID_ADDED_SINCE), " 0.250 ");
        SetSteps steps = m_panel->Steps();
        QCOMPARE(steps.availableFolders, (std::vector<std::string>{"/roms", "/more"}));
        QCOMPARE(steps.availableCheck, AvailableCheck::COMPLETE);
        QVERIFY(steps.onePerTitle);
        QCOMPARE(steps.addedSince, std::string("0.250"));
        // A file without versions added keeps no version step, whatever its box still holds.
        m_panel->SetInput(FORMAT_MERGED, RecordElement::MACHINE, MergedValues({}));
        QCOMPARE(m_panel->Steps().addedSince, std::string());
        m_panel->ReadState(state);
        QVERIFY(state.leftOutCategories.empty());
        QCOMPARE(test::Control<QLabel>(*m_panel, Panel::ID_LEFT_OUT)->text(), QString());
    }
};

} // namespace pellaquin

QTEST_MAIN(pellaquin::TodaysDataPanelTest)
#include "TodaysDataPanelTest.moc"
