#include <algorithm>

#include <QLineEdit>
#include <QTest>

#include "DialogScript.h"
#include "ScriptedFileDialogs.h"
#include "ui/CExportOptionsDlg.h"
#include "ui/ModalSeam.h"

namespace pellaquin {

namespace {

using Dlg = CExportOptionsDlg;

// The text typed into the row `id`, told apart from every other row's.
QString Typed(int id) {
    return QStringLiteral("typed %1").arg(id);
}

} // namespace

class CExportOptionsDlgTest : public QObject {
    Q_OBJECT

private slots:
    // Each list's dialog shows a row per option the list takes, filled from the options given; OK takes what was
    // typed into them and leaves every other option as it was, Cancel takes nothing.
    void rowsPerList() {
        for (const ListTypeInfo& type : ListTypes()) {
            if (type.dialog != ListOptionsDialog::EXPORT_OPTIONS) {
                continue;
            }
            ExportOptions given;
            given.emulator = "given emulator";
            given.launch = "given launch";
            Dlg dialog(type.type);
            dialog.SetOptions(given);
            auto takes = [&](ExportOption option) {
                return std::find(type.options.begin(), type.options.end(), option) != type.options.end();
            };
            for (bool ok : {false, true}) {
                test::ScriptedModals prompts([&](QDialog& prompt) {
                    for (const ExportOptionInfo& option : ExportOptionTable()) {
                        auto* edit = prompt.findChild<QLineEdit*>(QString::number(option.controlId));
                        QCOMPARE(edit != nullptr, takes(option.option));
                        if (edit != nullptr) {
                            QVERIFY(ok || edit->text().toStdString() == given.*option.member);
                            test::TypeOver(*edit, Typed(option.controlId));
                        }
                    }
                    test::Click(prompt, ok ? 1 : 2);
                });
                RunModal(dialog);
            }
            for (const ExportOptionInfo& option : ExportOptionTable()) {
                QCOMPARE(dialog.Options().*option.member,
                         takes(option.option) ? Typed(option.controlId).toStdString() : given.*option.member);
            }
        }
    }

    // "Browse" beside the sets' folder asks for a folder and puts it in the row.
    void browsesForTheSetsFolder() {
        Dlg dialog(ListType::RETROARCH);
        test::ScriptedFileDialogs dialogs({"/home/me/roms"});
        test::Click(dialog, Dlg::ID_ROM_FOLDER_BROWSE);
        QCOMPARE(test::Control<QLineEdit>(dialog, ExportOptionOf(ExportOption::ROM_FOLDER).controlId)->text(),
                 QString("/home/me/roms"));
        QCOMPARE(int(dialogs.Requests().at(0).kind), int(FileDialogRequest::Kind::FOLDER));
    }
};

} // namespace pellaquin

QTEST_MAIN(pellaquin::CExportOptionsDlgTest)
#include "CExportOptionsDlgTest.moc"
