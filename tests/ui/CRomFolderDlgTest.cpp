#include <filesystem>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "DialogScript.h"
#include "ScriptedFileDialogs.h"
#include "roms/RomFolderMaker.h"
#include "settings/StoredSettings.h"
#include "support/TestFiles.h"
#include "ui/CRomFolderDlg.h"

namespace pellaquin {

namespace {

using Dlg = CRomFolderDlg;

const std::string LISTING = test::DataPath("roms_listing.xml");

// The sets a search keeps: a clone, a game on a BIOS, one with a device, one with a CHD, one in a folder.
ListRequest Selection() {
    return {ListType::NAMES, "name=clone | name=biosgame | name=devgame | name=chdclone | name=foldergame"};
}

} // namespace

class CRomFolderDlgTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_folder;

    std::filesystem::path Folder(const char* name) const { return m_folder->filePath(name).toStdString(); }

    // Clicks `button` and waits for the job it starts to end.
    static void RunJob(Dlg& dialog, int button) {
        test::Click(dialog, button);
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.Busy(), 30000);
        QTRY_VERIFY(test::Control<QPushButton>(dialog, Dlg::ID_AUDIT)->isEnabled());
    }

    static QStringList TopItems(const Dlg& dialog) {
        QStringList items;
        auto* problems = test::Control<QTreeWidget>(dialog, Dlg::ID_PROBLEMS);
        for (int row = 0; row < problems->topLevelItemCount(); ++row) {
            items << problems->topLevelItem(row)->text(0) + ": " + problems->topLevelItem(row)->text(1);
        }
        return items;
    }

private slots:
    void init() {
        m_folder = std::make_unique<QTemporaryDir>();
        QVERIFY(m_folder->isValid());
        qputenv("XDG_CONFIG_HOME", m_folder->path().toUtf8());
    }

    // The folders are chosen and stored; the audit of the selection counts each verdict and lists the sets MAME
    // would not start with what each lacks; the copy takes every set with what it needs, and says so.
    void auditThenCopy() {
        test::MakeRomFolder(LISTING, test::RomForm::SPLIT, Folder("roms"));
        std::filesystem::remove(Folder("roms") / "biosset.zip");
        QVERIFY(SaveStoredSettings({}));
        Dlg dialog(LISTING, Selection());
        dialog.show();
        QVERIFY(!test::Control<QPushButton>(dialog, Dlg::ID_AUDIT)->isEnabled());
        QVERIFY(!test::Control<QPushButton>(dialog, Dlg::ID_COPY)->isEnabled());
        {
            test::ScriptedFileDialogs dialogs({Folder("roms").string()});
            test::Click(dialog, Dlg::ID_FOLDER_ADD);
        }
        QCOMPARE(LoadStoredSettings()->availableFolders, std::vector<std::string>{Folder("roms").string()});
        RunJob(dialog, Dlg::ID_AUDIT);
        QCOMPARE(test::Control<QLabel>(dialog, Dlg::ID_COUNTS)->text(),
                 QString("5 sets: 4 good, 0 best available, 1 bad, 0 not found, 0 none needed"));
        QCOMPARE(TopItems(dialog), QStringList{"biosgame: bad"});
        QTreeWidgetItem* missing = test::Control<QTreeWidget>(dialog, Dlg::ID_PROBLEMS)->topLevelItem(0)->child(0);
        QCOMPARE(missing->text(1), QString("not found"));

        test::ScriptedFileDialogs dialogs({Folder("copy").string()});
        RunJob(dialog, Dlg::ID_COPY);
        QVERIFY(test::Control<QLabel>(dialog, Dlg::ID_COUNTS)->text().startsWith("Copied 9 files"));
        QVERIFY(std::filesystem::exists(Folder("copy") / "chdgame" / "hdd.chd"));
        QVERIFY(std::filesystem::exists(Folder("copy") / "parent.zip"));
        test::Click(dialog, Dlg::ID_CLOSE);
        QCOMPARE(dialog.Folders(), std::vector<std::string>{Folder("roms").string()});
    }

    // A folder that cannot be listed is said instead of an audit, and a stopped audit says it stopped.
    void problemsAndStops() {
        QVERIFY(SaveStoredSettings({"", "", "", "", "", {}, {Folder("none").string()}}));
        Dlg dialog(LISTING, Selection());
        dialog.show();
        RunJob(dialog, Dlg::ID_AUDIT);
        QVERIFY2(test::Control<QLabel>(dialog, Dlg::ID_COUNTS)
                     ->text()
                     .startsWith("ROM folder " + m_folder->filePath("none")),
                 qPrintable(test::Control<QLabel>(dialog, Dlg::ID_COUNTS)->text()));
        QVERIFY(!test::Control<QPushButton>(dialog, Dlg::ID_COPY)->isEnabled());

        test::MakeRomFolder(LISTING, test::RomForm::MERGED, Folder("none"));
        test::Click(dialog, Dlg::ID_AUDIT);
        test::Click(dialog, Dlg::ID_STOP);
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.Busy(), 30000);
        QTRY_VERIFY(test::Control<QPushButton>(dialog, Dlg::ID_AUDIT)->isEnabled());
        QString counts = test::Control<QLabel>(dialog, Dlg::ID_COUNTS)->text();
        QVERIFY2(counts.startsWith("5 sets") || counts.endsWith("stopped before the end"), qPrintable(counts));
    }
};

} // namespace pellaquin

QTEST_MAIN(pellaquin::CRomFolderDlgTest)
#include "CRomFolderDlgTest.moc"
