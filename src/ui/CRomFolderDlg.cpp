#include "ui/CRomFolderDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "output/ListRun.h"
#include "records/InputOpening.h"
#include "roms/SetAuditor.h"
#include "settings/StoredSettings.h"
#include "ui/DialogParts.h"
#include "ui/FileDialogs.h"
#include "ui/MessageBoxes.h"
#include "ui/QtText.h"

namespace pellaquin {

namespace {

// How often the window looks at how far a job has come.
constexpr int FOLLOW_INTERVAL_MS = 100;

} // namespace

CRomFolderDlg::CRomFolderDlg(std::string inputPath, ListRequest selection, QWidget* parent)
    : QDialog(parent), m_inputPath(std::move(inputPath)), m_selection(std::move(selection)) {
    setWindowTitle(QStringLiteral("ROM folder"));
    if (std::optional<StoredSettings> stored = LoadStoredSettings()) {
        m_folders = stored->availableFolders;
    }
    BuildControls();
    m_follow = new QTimer(this);
    m_follow->setInterval(FOLLOW_INTERVAL_MS);
    connect(m_follow, &QTimer::timeout, this, &CRomFolderDlg::FollowJob);
    EnableControls();
}

CRomFolderDlg::~CRomFolderDlg() = default;

void CRomFolderDlg::BuildControls() {
    m_folderList = new QListWidget(this);
    m_folderList->setObjectName(QString::number(ID_FOLDERS));
    m_folderList->setMaximumHeight(4 * m_folderList->fontMetrics().lineSpacing() + 2 * m_folderList->frameWidth());
    for (const std::string& folder : m_folders) {
        m_folderList->addItem(ToQString(folder));
    }
    QPushButton* add = MakeButton(this, ID_FOLDER_ADD, "Add");
    QPushButton* remove = MakeButton(this, ID_FOLDER_REMOVE, "Remove");
    connect(add, &QPushButton::clicked, this, &CRomFolderDlg::AddFolder);
    connect(remove, &QPushButton::clicked, this, &CRomFolderDlg::RemoveFolder);
    SetHelp(*m_folderList, QStringLiteral("The folders MAME finds the sets in, searched in this order"));
    SetHelp(*add, QStringLiteral("Add a folder of sets"));
    SetHelp(*remove, QStringLiteral("Remove the chosen folder"));

    m_verify = MakeCheckBox(this, ID_VERIFY, "Read every ROM (slower)");
    SetHelp(*m_verify, QStringLiteral("Decompress every ROM and check its CRC and SHA1, not only what the archives "
                                      "say of them"));
    m_auditButton = MakeButton(this, ID_AUDIT, "Audit");
    SetHelp(*m_auditButton,
            QStringLiteral("Check, as MAME does, which sets the search keeps start from these folders"));
    m_stop = MakeButton(this, ID_STOP, "Stop");
    SetHelp(*m_stop, QStringLiteral("Stop the audit or the copy; what is copied is whole"));
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QString::number(ID_PROGRESS));
    m_progress->setRange(0, 1000);
    m_progress->setValue(0);
    m_counts = MakeStaticText(this, "", ID_COUNTS);
    m_problems = new QTreeWidget(this);
    m_problems->setObjectName(QString::number(ID_PROBLEMS));
    m_problems->setHeaderLabels(
        {QStringLiteral("Set, or its ROM or disk"), QStringLiteral("Verdict, or why"), QStringLiteral("Where")});
    m_problems->header()->setStretchLastSection(true);
    SetHelp(*m_problems, QStringLiteral("The sets MAME would not start, and what each lacks"));
    connect(m_auditButton, &QPushButton::clicked, this, &CRomFolderDlg::StartAudit);
    connect(m_stop, &QPushButton::clicked, this, [this] { m_job.Stop(); });

    m_link = new QComboBox(this);
    m_link->setObjectName(QString::number(ID_LINK));
    m_link->addItems(
        {QStringLiteral("Copy the files"), QStringLiteral("Hard links"), QStringLiteral("Symbolic links")});
    SetHelp(*m_link, QStringLiteral("Copy the sets' files, or link to them from the new folder"));
    m_replace = MakeCheckBox(this, ID_REPLACE, "Replace different files");
    SetHelp(*m_replace, QStringLiteral("A file of the same name but other bytes in the new folder is replaced"));
    m_copyButton = MakeButton(this, ID_COPY, "Copy to\u2026");
    SetHelp(*m_copyButton, QStringLiteral("Copy each set the search keeps, with the parents, BIOS sets and devices it "
                                          "needs, to a folder"));
    connect(m_copyButton, &QPushButton::clicked, this, &CRomFolderDlg::StartCopy);
    QPushButton* close = MakeButton(this, ID_CLOSE, "Close");
    connect(close, &QPushButton::clicked, this, &CRomFolderDlg::reject);

    auto* folders = new QGridLayout;
    folders->addWidget(MakeStaticText(this, "ROM folders, searched in order:"), 0, 0, 1, 2);
    folders->addWidget(m_folderList, 1, 0, 2, 1);
    folders->addWidget(add, 1, 1);
    folders->addWidget(remove, 2, 1, Qt::AlignTop);
    folders->setColumnStretch(0, 1);
    auto* audit = new QHBoxLayout;
    audit->addWidget(m_verify);
    audit->addStretch();
    audit->addWidget(m_auditButton);
    auto* progress = new QHBoxLayout;
    progress->addWidget(m_progress, 1);
    progress->addWidget(m_stop);
    auto* copy = new QHBoxLayout;
    copy->addWidget(m_link);
    copy->addWidget(m_replace);
    copy->addStretch();
    copy->addWidget(m_copyButton);
    copy->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(folders);
    layout->addLayout(audit);
    layout->addLayout(progress);
    layout->addWidget(m_counts);
    layout->addWidget(m_problems, 1);
    layout->addLayout(copy);
    resize(70 * fontMetrics().averageCharWidth(), 30 * fontMetrics().lineSpacing());
}

void CRomFolderDlg::AddFolder() {
    std::string folder;
    if (ChooseFolder("Point me to a folder of your sets please...", folder)) {
        m_folders.push_back(folder);
        m_folderList->addItem(ToQString(folder));
        StoreFolders();
    }
}

void CRomFolderDlg::RemoveFolder() {
    int row = m_folderList->currentRow();
    if (row >= 0 && static_cast<std::size_t>(row) < m_folders.size()) {
        m_folders.erase(m_folders.begin() + row);
        delete m_folderList->takeItem(row);
        StoreFolders();
    }
}

void CRomFolderDlg::StoreFolders() {
    m_audited = false;
    EnableControls();
    // Only a settings file keeps them: before the first "Set" nothing is stored.
    if (std::optional<StoredSettings> stored = LoadStoredSettings()) {
        stored->availableFolders = m_folders;
        if (!SaveStoredSettings(*stored)) {
            ShowMessage(this, SETTINGS_NOT_SAVED, MessageIcon::EXCLAMATION);
        }
    }
}

void CRomFolderDlg::StartAudit() {
    m_audited = false;
    m_copy.reset();
    m_problems->clear();
    m_counts->setText(QStringLiteral("Reading the sets the search keeps\u2026"));
    m_audit = Audit();
    AuditOptions options;
    options.verify = m_verify->isChecked();
    // The job reads the input on its own, so the window's open file stays where browsing left it.
    m_job.Start([this, options, path = m_inputPath, request = m_selection,
                 folders = m_folders](const WorkProgress& progress) {
        Audit& audit = m_audit;
        RomFolders indexed = RomFolders::Index(folders);
        if (!indexed.Problems().empty()) {
            audit.problem = "ROM folder " + indexed.Problems().front();
            return;
        }
        InputFile input;
        std::string header;
        if (InputOpening opened = OpenRecognisedInput(path, input, header); opened != InputOpening::OK) {
            audit.problem = InputOpeningMessage(opened, path);
            return;
        }
        if (ListResult selected = SelectSetNames(input, request, audit.names); selected.status != ListStatus::DONE) {
            audit.problem = ListRunMessage(selected.status, request, path);
            return;
        }
        RomCatalog catalog = RomCatalog::Read(input, audit.names);
        if (catalog.ReadFailed()) {
            audit.problem = ListRunMessage(ListStatus::INPUT_READ_FAILED, request, path);
            return;
        }
        audit.report = AuditSets(catalog, indexed, audit.names, options, progress);
        audit.catalog = std::move(catalog);
        audit.folders = std::move(indexed);
    });
    EnableControls();
    m_follow->start();
}

void CRomFolderDlg::StartCopy() {
    std::string target = m_copyTarget;
    if (!ChooseFolder("Copy the sets to which folder?", target)) {
        return;
    }
    m_copyTarget = target;
    CopyOptions options;
    options.target = target;
    options.link = m_link->currentIndex() == 1   ? LinkKind::HARD
                   : m_link->currentIndex() == 2 ? LinkKind::SYMBOLIC
                                                 : LinkKind::NONE;
    options.replace = m_replace->isChecked();
    m_copy.reset();
    m_counts->setText(QStringLiteral("Copying to %1\u2026").arg(ToQString(target)));
    m_job.Start([this, options](const WorkProgress& progress) {
        m_copy = CopySets(*m_audit.catalog, *m_audit.folders, m_audit.names, options, progress);
    });
    EnableControls();
    m_follow->start();
}

void CRomFolderDlg::FollowJob() {
    std::uint64_t total = m_job.Total();
    m_progress->setValue(total == 0 ? 0 : static_cast<int>(1000 * m_job.DoneCount() / total));
    if (!m_job.Done()) {
        return;
    }
    m_follow->stop();
    m_job.Finish();
    if (m_copy) {
        ShowCopy();
    } else {
        ShowAudit();
    }
    EnableControls();
}

void CRomFolderDlg::ShowAudit() {
    if (!m_audit.problem.empty()) {
        m_counts->setText(ToDisplayText(m_audit.problem));
        return;
    }
    m_audited = true;
    m_progress->setValue(m_audit.report.stopped ? m_progress->value() : m_progress->maximum());
    m_counts->setText(ToQString(CountsLine(m_audit.report)));
    for (const SetAudit& set : m_audit.report.sets) {
        if (set.verdict == SetVerdict::GOOD || set.verdict == SetVerdict::NONE_NEEDED) {
            continue;
        }
        auto* item = new QTreeWidgetItem(m_problems, {ToQString(set.name), ToQString(VerdictName(set.verdict))});
        for (const MediaProblem& problem : set.problems) {
            new QTreeWidgetItem(
                item, {ToQString(problem.name), ToQString(ReasonName(problem.reason)), ToQString(problem.where)});
        }
    }
}

void CRomFolderDlg::ShowCopy() {
    std::size_t written = 0, there = 0, refused = 0, failed = 0;
    for (const CopiedFile& file : m_copy->files) {
        written += file.outcome == CopyOutcome::COPIED || file.outcome == CopyOutcome::REPLACED ? 1 : 0;
        there += file.outcome == CopyOutcome::IDENTICAL ? 1 : 0;
        refused += file.outcome == CopyOutcome::REFUSED ? 1 : 0;
        failed += file.outcome == CopyOutcome::FAILED ? 1 : 0;
    }
    m_counts->setText(QStringLiteral("Copied %1 files (%2 MB) to %3: %4 already there, %5 refused (a different file "
                                     "of the name is there), %6 failed%7")
                          .arg(written)
                          .arg(static_cast<double>(m_copy->bytes) / (1 << 20), 0, 'f', 1)
                          .arg(ToQString(m_copyTarget))
                          .arg(there)
                          .arg(refused)
                          .arg(failed)
                          .arg(m_copy->stopped ? QStringLiteral("; stopped before the end") : QString()));
    for (const CopiedFile& file : m_copy->files) {
        if (file.outcome == CopyOutcome::REFUSED || file.outcome == CopyOutcome::FAILED) {
            new QTreeWidgetItem(m_problems, {ToQString(file.target),
                                             file.outcome == CopyOutcome::REFUSED ? QStringLiteral("refused")
                                                                                  : QStringLiteral("failed"),
                                             ToQString(file.problem)});
        }
    }
}

void CRomFolderDlg::EnableControls() {
    bool busy = m_job.Running();
    for (QWidget* control : {static_cast<QWidget*>(m_folderList), static_cast<QWidget*>(m_verify),
                             static_cast<QWidget*>(m_link), static_cast<QWidget*>(m_replace)}) {
        control->setEnabled(!busy);
    }
    EnableWithReason(*findChild<QWidget*>(QString::number(ID_FOLDER_ADD)), !busy, QStringLiteral("A job runs"));
    EnableWithReason(*findChild<QWidget*>(QString::number(ID_FOLDER_REMOVE)), !busy, QStringLiteral("A job runs"));
    EnableWithReason(*m_auditButton, !busy && !m_folders.empty(),
                     busy ? QStringLiteral("A job runs") : QStringLiteral("Add the folders of your sets first"));
    EnableWithReason(*m_stop, busy, QStringLiteral("Nothing runs"));
    EnableWithReason(*m_copyButton, !busy && m_audited,
                     busy ? QStringLiteral("A job runs")
                          : QStringLiteral("Audit the sets first: the copy takes what the "
                                           "audit found"));
}

void CRomFolderDlg::reject() {
    m_job.Stop();
    m_job.Finish();
    QDialog::reject();
}

} // namespace pellaquin
