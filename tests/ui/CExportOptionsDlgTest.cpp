#include <algorithm>
#include <tuple>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
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
    // typed or ticked into them and leaves every other option as it was, Cancel takes nothing.
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
                        auto* control = prompt.findChild<QWidget*>(QString::number(option.controlId));
                        QCOMPARE(control != nullptr, takes(option.option));
                        if (auto* edit = qobject_cast<QLineEdit*>(control)) {
                            QVERIFY(ok || edit->text().toStdString() ==
                                              given.*std::get<std::string ExportOptions::*>(option.member));
                            test::TypeOver(*edit, Typed(option.controlId));
                        } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
                            QVERIFY(ok || !box->isChecked());
                            box->setChecked(true);
                        }
                    }
                    test::Click(prompt, ok ? 1 : 2);
                });
                RunModal(dialog);
            }
            for (const ExportOptionInfo& option : ExportOptionTable()) {
                if (const auto* text = std::get_if<std::string ExportOptions::*>(&option.member)) {
                    QCOMPARE(dialog.Options().**text,
                             takes(option.option) ? Typed(option.controlId).toStdString() : given.**text);
                } else {
                    QCOMPARE(dialog.Options().*std::get<bool ExportOptions::*>(option.member), takes(option.option));
                }
            }
        }
    }

    // Options a list's reader would lose the list over keep OK off, saying why: a blank Pegasus collection, a
    // folder named as MAME's UI names its own.
    void refusesWhatItsReaderLoses() {
        const std::tuple<ListType, ExportOption, QString, QString> refused[] = {
            {ListType::PEGASUS, ExportOption::COLLECTION, " ", "collection"},
            {ListType::MAME_INI, ExportOption::FOLDER_TITLE, "ROOT_FOLDER", "ROOT_FOLDER"},
        };
        for (const auto& [type, option, text, said] : refused) {
            Dlg dialog(type);
            auto* edit = test::Control<QLineEdit>(dialog, ExportOptionOf(option).controlId);
            auto* ok = test::Control<QPushButton>(dialog, 1);
            QVERIFY(ok->isEnabled());
            test::TypeOver(*edit, text);
            QVERIFY(!ok->isEnabled());
            QVERIFY2(ok->toolTip().contains(said), qPrintable(ok->toolTip()));
            test::TypeOver(*edit, "Mine");
            QVERIFY(ok->isEnabled());
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
