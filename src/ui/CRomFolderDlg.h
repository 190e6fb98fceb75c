#pragma once

#include <optional>
#include <string>
#include <vector>

#include <QDialog>

#include "output/ListRequest.h"
#include "roms/AuditReport.h"
#include "roms/RomCatalog.h"
#include "roms/RomFolders.h"
#include "roms/SetCopier.h"
#include "ui/BackgroundJob.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTimer;
class QTreeWidget;

namespace pellaquin {

// The ROM folders and what they hold of the sets the window's selection keeps: MAME's verdict on each set
// (an audit that runs while the window stays live, and can be stopped), the sets MAME would not start with
// why, and the copy of every set with what it needs to a folder of the user's choice.
class CRomFolderDlg : public QDialog {
    Q_OBJECT

public:
    enum ControlId {
        ID_CLOSE = 2,
        ID_FOLDERS = 1130,
        ID_FOLDER_ADD = 1131,
        ID_FOLDER_REMOVE = 1132,
        ID_VERIFY = 1133,
        ID_AUDIT = 1134,
        ID_STOP = 1135,
        ID_PROGRESS = 1136,
        ID_COUNTS = 1137,
        ID_PROBLEMS = 1138,
        ID_LINK = 1139,
        ID_REPLACE = 1140,
        ID_COPY = 1141,
    };

    // The dialog for the sets `selection` keeps of the input file at `inputPath`, in the ROM folders the
    // settings file holds (those of "Only sets I have").
    CRomFolderDlg(std::string inputPath, ListRequest selection, QWidget* parent = nullptr);
    ~CRomFolderDlg() override;

    // The ROM folders, as added and removed here.
    const std::vector<std::string>& Folders() const { return m_folders; }
    // True while an audit or a copy runs.
    bool Busy() const { return m_job.Running(); }

    // Closing stops a job that runs and waits for it.
    void reject() override;

private:
    // What an audit found, kept for the copy that may follow.
    struct Audit {
        std::string problem; // why no audit could be made; empty when it was
        std::vector<std::string> names;
        std::optional<RomCatalog> catalog;
        std::optional<RomFolders> folders;
        AuditReport report;
    };

    void BuildControls();
    void AddFolder();
    void RemoveFolder();
    void StoreFolders();
    void StartAudit();
    void StartCopy();
    // Follows the running job on the progress bar, and shows its outcome once it has ended.
    void FollowJob();
    void ShowAudit();
    void ShowCopy();
    void EnableControls();

    std::string m_inputPath;
    ListRequest m_selection;
    std::vector<std::string> m_folders;
    BackgroundJob m_job;
    Audit m_audit;
    bool m_audited = false;
    std::optional<CopyReport> m_copy;
    std::string m_copyTarget;

    QListWidget* m_folderList = nullptr;
    QCheckBox* m_verify = nullptr;
    QPushButton* m_auditButton = nullptr;
    QPushButton* m_stop = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_counts = nullptr;
    QTreeWidget* m_problems = nullptr;
    QComboBox* m_link = nullptr;
    QCheckBox* m_replace = nullptr;
    QPushButton* m_copyButton = nullptr;
    QTimer* m_follow = nullptr;
};

} // namespace pellaquin
