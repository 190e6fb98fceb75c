#include <deque>
#include <memory>
#include <optional>
#include <string>

#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "DialogScript.h"
#include "ScriptedFileDialogs.h"
#include "ui/FileDialogs.h"
#include "ui/QtFileDialogs.h"

namespace pellaquin {

namespace {

using Filters = std::vector<FileFilter>;

std::string Bytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// What a dialog returned, printable in a failed comparison.
QByteArray Returned(const std::optional<std::string>& path) {
    return path ? QByteArray::fromStdString(*path) : QByteArray("(cancelled)");
}

QLineEdit* FileNameEdit(QFileDialog& dialog) {
    return dialog.findChild<QLineEdit*>("fileNameEdit");
}

// Clicks the dialog's own Save or Open button, or Cancel.
void Press(QFileDialog& dialog, QDialogButtonBox::StandardButton which) {
    auto* buttons = dialog.findChild<QDialogButtonBox*>("buttonBox");
    QVERIFY(buttons != nullptr && buttons->button(which) != nullptr);
    QTest::mouseClick(buttons->button(which), Qt::LeftButton);
}

} // namespace

class QtFileDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // QFileDialog keeps its history in the user's Qt settings; keep the tests out of the real ones.
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        InstallQtFileDialogs();
    }
    void init() {
        m_folder.emplace();
        QVERIFY(m_folder->isValid());
    }
    void cleanup() { m_folder.reset(); }

    // Each filter becomes a Qt name filter, the first is selected, the suffix is the first of the extensions;
    // cancelling returns nothing.
    // The window's file dialogs go through the seam with their title, filters and initial path: a cancel leaves
    // the path, a choice replaces it.
    void chooseFileGoesThroughTheSeam() {
        auto dialogs = std::make_unique<test::ScriptedFileDialogs>(std::deque<std::string>{"", "/tmp/chosen.txt"});
        std::string path = "cancelled";
        QVERIFY(!ChooseSaveFile("Save file as...", path, {{"text files (*.txt)", "*.txt"}}, "txt"));
        QCOMPARE(path, std::string("cancelled"));
        path.clear();
        QVERIFY(ChooseOpenFile("Open", path, {{"xml files (*.xml)", "*.xml"}}, "xml"));
        QCOMPARE(path, std::string("/tmp/chosen.txt"));
        QCOMPARE(dialogs->Requests().size(), std::size_t(2));
        QCOMPARE(dialogs->Requests()[0].initialPath, std::string("cancelled"));
        QCOMPARE(dialogs->Requests()[0].title, std::string("Save file as..."));
        const FileDialogRequest& seen = dialogs->Requests()[1];
        QVERIFY(seen.kind == FileDialogRequest::Kind::OPEN);
        QCOMPARE(seen.defaultExtension, std::string("xml"));
        QCOMPARE(seen.filters.at(0).pattern, std::string("*.xml"));
        dialogs.reset();
        InstallQtFileDialogs();
    }

    void filtersAndSuffix_data() {
        QTest::addColumn<QStringList>("descriptions");
        QTest::addColumn<QStringList>("patterns");
        QTest::addColumn<QString>("defaultExtension");
        QTest::addColumn<QStringList>("nameFilters");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("csv list") << QStringList{"csv files (*.csv)", "txt files (*.txt)"}
                                  << QStringList{"*.csv", "*.txt"} << "csv;txt"
                                  << QStringList{"csv files (*.csv)", "txt files (*.txt)"} << "csv";
        QTest::newRow("MAME or its listing")
            << QStringList{"exe files (*.exe)", "xml files (*.xml)"} << QStringList{"*.exe", "*.xml"} << "exe;xml"
            << QStringList{"exe files (*.exe)", "xml files (*.xml)"} << "exe";
        QTest::newRow("patterns apart from the text")
            << QStringList{"lists", "both (*.a;*.b)"} << QStringList{"*.mlg", "*.a;*.b"} << ""
            << QStringList{"lists (*.mlg)", "both (*.a *.b)"} << "";
    }
    void filtersAndSuffix() {
        QFETCH(QStringList, descriptions);
        QFETCH(QStringList, patterns);
        QFETCH(QString, defaultExtension);
        QFETCH(QStringList, nameFilters);
        QFETCH(QString, suffix);
        FileDialogRequest request;
        request.kind = FileDialogRequest::Kind::SAVE;
        request.title = "Save file as...";
        request.defaultExtension = defaultExtension.toStdString();
        for (qsizetype i = 0; i < descriptions.size(); ++i) {
            request.filters.push_back({descriptions[i].toStdString(), patterns[i].toStdString()});
        }
        QStringList shownFilters;
        QString selectedFilter;
        QString shownSuffix;
        QString title;
        test::ScriptedModals prompts([&](QDialog& prompt) {
            auto& files = static_cast<QFileDialog&>(prompt);
            shownFilters = files.nameFilters();
            selectedFilter = files.selectedNameFilter();
            shownSuffix = files.defaultSuffix();
            title = files.windowTitle();
            Press(files, QDialogButtonBox::Cancel);
        });
        QCOMPARE(Returned(ShowFileDialog(request)), QByteArray("(cancelled)"));
        QCOMPARE(prompts.Count(), 1);
        QCOMPARE(title, QString("Save file as..."));
        QCOMPARE(shownFilters, nameFilters);
        QCOMPARE(selectedFilter, nameFilters.first());
        QCOMPARE(shownSuffix, suffix);
    }

    // A typed name without extension gets the default one, a name with one keeps it, an existing file is taken
    // without a question, and the path comes back in the file name encoding.
    void saveReturnsTypedPath_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("no extension") << "list"
                                      << "list.csv";
        QTest::newRow("own extension") << "list.txt"
                                       << "list.txt";
        QTest::newRow("non-ASCII name") << QString::fromUtf8("liste-\xc3\xa9")
                                        << QString::fromUtf8("liste-\xc3\xa9.csv");
        QTest::newRow("existing file") << "old.csv"
                                       << "old.csv";
    }
    void saveReturnsTypedPath() {
        QFETCH(QString, typed);
        QFETCH(QString, chosen);
        QFile existing(m_folder->filePath("old.csv"));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.close();
        FileDialogRequest request;
        request.kind = FileDialogRequest::Kind::SAVE;
        request.filters = {{"csv files (*.csv)", "*.csv"}, {"txt files (*.txt)", "*.txt"}};
        request.defaultExtension = "csv;txt";
        request.initialPath = Bytes(m_folder->path());
        bool asksBeforeOverwrite = true;
        test::ScriptedModals prompts([&](QDialog& prompt) {
            auto& files = static_cast<QFileDialog&>(prompt);
            QCOMPARE(files.acceptMode(), QFileDialog::AcceptSave);
            asksBeforeOverwrite = !files.testOption(QFileDialog::DontConfirmOverwrite);
            // A question would block the test in a nested modal loop; fail instead.
            QVERIFY(!asksBeforeOverwrite);
            test::TypeOver(*FileNameEdit(files), typed);
            Press(files, QDialogButtonBox::Save);
        });
        QCOMPARE(Returned(ShowFileDialog(request)), QFile::encodeName(m_folder->filePath(chosen)));
        QVERIFY(!asksBeforeOverwrite);
    }

    // An open dialog starts at the initial path's folder with its name filled in and returns that existing file.
    void openStartsAtInitialPath() {
        QString held = m_folder->filePath("held.xml");
        QFile file(held);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        FileDialogRequest request;
        request.kind = FileDialogRequest::Kind::OPEN;
        request.filters = {{"xml files (*.xml)", "*.xml"}};
        request.defaultExtension = "xml";
        request.initialPath = Bytes(held);
        QString folder;
        QString name;
        QFileDialog::FileMode mode = QFileDialog::AnyFile;
        test::ScriptedModals prompts([&](QDialog& prompt) {
            auto& files = static_cast<QFileDialog&>(prompt);
            folder = files.directory().absolutePath();
            name = FileNameEdit(files)->text();
            mode = files.fileMode();
            Press(files, QDialogButtonBox::Open);
        });
        QCOMPARE(Returned(ShowFileDialog(request)), QFile::encodeName(held));
        QCOMPARE(folder, QDir(m_folder->path()).absolutePath());
        QCOMPARE(name, QString("held.xml"));
        QCOMPARE(mode, QFileDialog::ExistingFile);
    }

private:
    QTemporaryDir m_config;
    std::optional<QTemporaryDir> m_folder;
};

} // namespace pellaquin

QTEST_MAIN(pellaquin::QtFileDialogsTest)
#include "QtFileDialogsTest.moc"
