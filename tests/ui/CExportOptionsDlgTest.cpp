#include <QLineEdit>
#include <QTest>

#include "DialogScript.h"
#include "support/ScriptedFileDialogs.h"
#include "ui/CExportOptionsDlg.h"
#include "ui/ModalSeam.h"

namespace pellaquin {

namespace {

using Dlg = CExportOptionsDlg;
using Ids = QList<int>;

const Ids EVERY_ROW = {Dlg::ID_ROM_FOLDER, Dlg::ID_ROM_EXTENSION,   Dlg::ID_EMULATOR,    Dlg::ID_CORE_PATH,
                       Dlg::ID_CORE_NAME,  Dlg::ID_COLLECTION,      Dlg::ID_LAUNCH,      Dlg::ID_DAT_NAME,
                       Dlg::ID_FIELDS,     Dlg::ID_TABLE_DELIMITER, Dlg::ID_FOLDER_TITLE};

// The text typed into the row `id`, told apart from every other row's.
QString Typed(int id) {
    return QStringLiteral("typed %1").arg(id);
}

} // namespace

class CExportOptionsDlgTest : public QObject {
    Q_OBJECT

private slots:
    // Each list shows the rows of the options it uses, filled from the options given; OK takes what was typed
    // into them and leaves every other option as it was, Cancel takes nothing.
    void rowsPerList_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<Ids>("rows");
        QTest::newRow("attract") << int(ExportType::ATTRACT) << Ids{Dlg::ID_EMULATOR};
        QTest::newRow("emulationstation")
            << int(ExportType::EMULATIONSTATION) << Ids{Dlg::ID_ROM_FOLDER, Dlg::ID_ROM_EXTENSION};
        QTest::newRow("retroarch") << int(ExportType::RETROARCH)
                                   << Ids{Dlg::ID_ROM_FOLDER, Dlg::ID_ROM_EXTENSION, Dlg::ID_CORE_PATH,
                                          Dlg::ID_CORE_NAME};
        QTest::newRow("pegasus") << int(ExportType::PEGASUS)
                                 << Ids{Dlg::ID_ROM_FOLDER, Dlg::ID_ROM_EXTENSION, Dlg::ID_COLLECTION, Dlg::ID_LAUNCH};
        QTest::newRow("dat") << int(ExportType::DAT) << Ids{Dlg::ID_DAT_NAME};
        QTest::newRow("table") << int(ExportType::TABLE) << Ids{Dlg::ID_FIELDS, Dlg::ID_TABLE_DELIMITER};
        QTest::newRow("mame-ini") << int(ExportType::MAME_INI) << Ids{Dlg::ID_FOLDER_TITLE};
    }
    void rowsPerList() {
        QFETCH(int, type);
        QFETCH(Ids, rows);
        ExportOptions given;
        given.emulator = "given emulator";
        given.launch = "given launch";
        Dlg dialog(static_cast<ExportType>(type));
        dialog.SetOptions(given);
        for (bool ok : {false, true}) {
            test::ScriptedModals prompts([&](QDialog& prompt) {
                for (int id = Dlg::ID_ROM_FOLDER; id <= Dlg::ID_FOLDER_TITLE; ++id) {
                    auto* edit = prompt.findChild<QLineEdit*>(QString::number(id));
                    QCOMPARE(edit != nullptr, rows.contains(id));
                    if (edit != nullptr) {
                        test::TypeOver(*edit, Typed(id));
                    }
                }
                test::Click(prompt, ok ? 1 : 2);
            });
            RunModal(dialog);
        }
        const std::pair<int, std::string ExportOptions::*> options[] = {
            {Dlg::ID_ROM_FOLDER, &ExportOptions::romFolder},
            {Dlg::ID_ROM_EXTENSION, &ExportOptions::romExtension},
            {Dlg::ID_EMULATOR, &ExportOptions::emulator},
            {Dlg::ID_CORE_PATH, &ExportOptions::corePath},
            {Dlg::ID_CORE_NAME, &ExportOptions::coreName},
            {Dlg::ID_COLLECTION, &ExportOptions::collection},
            {Dlg::ID_LAUNCH, &ExportOptions::launch},
            {Dlg::ID_DAT_NAME, &ExportOptions::datName},
            {Dlg::ID_FIELDS, &ExportOptions::fields},
            {Dlg::ID_TABLE_DELIMITER, &ExportOptions::tableDelimiter},
            {Dlg::ID_FOLDER_TITLE, &ExportOptions::folderTitle}};
        for (const auto& [id, option] : options) {
            QCOMPARE(dialog.Options().*option, rows.contains(id) ? Typed(id).toStdString() : given.*option);
        }
    }

    // "Browse" beside the sets' folder asks for a folder and puts it in the row.
    void browsesForTheSetsFolder() {
        Dlg dialog(ExportType::RETROARCH);
        test::ScriptedFileDialogs dialogs({"/home/me/roms"});
        test::Click(dialog, Dlg::ID_ROM_FOLDER_BROWSE);
        QCOMPARE(test::Control<QLineEdit>(dialog, Dlg::ID_ROM_FOLDER)->text(), QString("/home/me/roms"));
        QCOMPARE(int(dialogs.Requests().at(0).kind), int(FileDialogRequest::Kind::FOLDER));
    }
};

} // namespace pellaquin

QTEST_MAIN(pellaquin::CExportOptionsDlgTest)
#include "CExportOptionsDlgTest.moc"
