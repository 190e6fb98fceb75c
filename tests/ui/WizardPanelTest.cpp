#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include "DialogScript.h"
#include "ui/WizardPanel.h"

namespace pellaquin {

namespace {

using Panel = WizardPanel;

bool Ticked(const Panel& panel, int id) {
    return test::Control<QAbstractButton>(panel, id)->isChecked();
}

bool Enabled(const Panel& panel, int id) {
    return test::Control<QWidget>(panel, id)->isEnabled();
}

// Moves a drop-down box `steps` items down (up when negative) with the keyboard, as a user picks an item.
void Pick(const Panel& panel, int id, int steps) {
    auto* box = test::Control<QComboBox>(panel, id);
    box->setFocus();
    for (int step = 0; step < std::abs(steps); ++step) {
        QTest::keyClick(box, steps > 0 ? Qt::Key_Down : Qt::Key_Up);
    }
}

} // namespace

class WizardPanelTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Panel> m_panel;

private slots:
    void init() {
        m_panel = std::make_unique<Panel>();
        m_panel->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_panel.get()));
    }

    // The defaults: Upright, 2 buttons or less, Playable; every click says the command is to be composed again,
    // and the two cabinet buttons set each other.
    void defaultsAndClicks() {
        m_panel->SetDefaults();
        m_panel->SetInput(FORMAT_LISTXML);
        WizardState state;
        m_panel->ReadState(state);
        QVERIFY(!state.cocktail && state.playable && state.orLess);
        QCOMPARE(state.buttonsIndex, 3);
        QVERIFY(Ticked(*m_panel, Panel::ID_UPRIGHT));
        QSignalSpy changed(m_panel.get(), &Panel::Changed);
        test::Click(*m_panel, Panel::ID_COCKTAIL);
        QVERIFY(Ticked(*m_panel, Panel::ID_COCKTAIL) && !Ticked(*m_panel, Panel::ID_UPRIGHT));
        test::Click(*m_panel, Panel::ID_UPRIGHT);
        QVERIFY(!Ticked(*m_panel, Panel::ID_COCKTAIL) && Ticked(*m_panel, Panel::ID_UPRIGHT));
        for (int id : {Panel::ID_JOY8WAY, Panel::ID_PEDAL, Panel::ID_NO_CLONES}) {
            test::Click(*m_panel, id);
        }
        QCOMPARE(changed.count(), 5);
        m_panel->ReadState(state);
        QVERIFY(state.joy8way && state.pedal && state.noClones && !state.joy4way);
    }

    // "or less" is for 1 or more buttons; "Not" for a chosen category, which only a merged file has.
    void boxesThatDependOnOthers() {
        m_panel->SetDefaults();
        m_panel->SetInput(FORMAT_MERGED);
        Pick(*m_panel, Panel::ID_BUTTONS, -2);
        QVERIFY(!Enabled(*m_panel, Panel::ID_OR_LESS));
        QVERIFY(test::Control<QWidget>(*m_panel, Panel::ID_OR_LESS)->toolTip().contains("1 or more buttons"));
        Pick(*m_panel, Panel::ID_BUTTONS, 1);
        QVERIFY(Enabled(*m_panel, Panel::ID_OR_LESS));
        QVERIFY(Enabled(*m_panel, Panel::ID_CATEGORY) && !Enabled(*m_panel, Panel::ID_NOT));
        Pick(*m_panel, Panel::ID_CATEGORY, 2);
        QVERIFY(Enabled(*m_panel, Panel::ID_NOT));
        test::Click(*m_panel, Panel::ID_NOT);
        WizardState state;
        m_panel->ReadState(state);
        QCOMPARE(state.categoryText, std::string("BIOS"));
        QVERIFY(state.categoryNot);
        // Another file starts the category afresh, and one that is not merged cannot have one.
        m_panel->SetInput(FORMAT_LISTXML);
        m_panel->ReadState(state);
        QCOMPARE(state.categoryIndex, 0);
        QVERIFY(!state.categoryNot);
        QVERIFY(!Enabled(*m_panel, Panel::ID_CATEGORY) && !Enabled(*m_panel, Panel::ID_NOT));
        QVERIFY(test::Control<QWidget>(*m_panel, Panel::ID_CATEGORY)->toolTip().contains("merged file"));
    }

    // controls.xml cannot answer the screen, clone, sample or emulation boxes: they stay off and unticked
    // whatever enables the block, and say why; the others follow the block, each greyed one saying the reason.
    void formatsAndBlocks() {
        m_panel->SetDefaults();
        m_panel->SetInput(FORMAT_CONTROLS);
        m_panel->EnableBoxes(true);
        for (int id : {Panel::ID_PLAYABLE, Panel::ID_VERTICAL, Panel::ID_HORIZONTAL, Panel::ID_NO_SAMPLES,
                       Panel::ID_NO_CLONES}) {
            QVERIFY(!Enabled(*m_panel, id));
            QVERIFY(test::Control<QWidget>(*m_panel, id)->toolTip().contains("controls.xml"));
        }
        QVERIFY(!Ticked(*m_panel, Panel::ID_PLAYABLE));
        QVERIFY(Enabled(*m_panel, Panel::ID_JOY4WAY));
        m_panel->EnableBoxes(false, QStringLiteral("the reason"));
        QVERIFY(!Enabled(*m_panel, Panel::ID_JOY4WAY));
        QVERIFY(test::Control<QWidget>(*m_panel, Panel::ID_JOY4WAY)->toolTip().endsWith("the reason"));
        m_panel->SetInput(FORMAT_LISTXML);
        m_panel->EnableBoxes(true);
        QVERIFY(Enabled(*m_panel, Panel::ID_PLAYABLE) && Enabled(*m_panel, Panel::ID_JOY4WAY));
        QVERIFY(!test::Control<QWidget>(*m_panel, Panel::ID_JOY4WAY)->toolTip().contains("the reason"));
    }
};

} // namespace pellaquin

QTEST_MAIN(pellaquin::WizardPanelTest)
#include "WizardPanelTest.moc"
