#pragma once

#include <cstdint>
#include <string>

#include <QDialog>

class QLabel;
class QProgressBar;

namespace pellaquin {

class InputFile;

// The small window that stands above the window whose job it follows (a search run, a merge, a capture) while the
// job works: two lines of text and a bar. It has no way to stop the job. It is modal to that window, which takes
// no input meanwhile but keeps its look: what the user clicks or types there is dropped, so it cannot start a
// second job once this one is over.
class CProgressDlg : public QDialog {
    Q_OBJECT

public:
    // Ids of the controls.
    static constexpr int ID_STOP = 1;
    static constexpr int ID_BAR = 2000;
    static constexpr int ID_ANIMATION = 2001;
    static constexpr int ID_FIRST_LINE = 2003;
    static constexpr int ID_SECOND_LINE = 2004;

    // The window for a job of `parent` (none: of the whole program), not shown yet, both lines empty.
    explicit CProgressDlg(QWidget* parent = nullptr);
    // Stops following a file handed to FollowFile, drops the input that waited meanwhile and gives the windows
    // their input back.
    ~CProgressDlg() override;
    CProgressDlg(const CProgressDlg&) = delete;
    CProgressDlg& operator=(const CProgressDlg&) = delete;

    // Shows the window with the two lines, modal to its parent (or to every window); the bar runs 0 to
    // `upperBound` when `rangeFlag` is set, 0 to 100 otherwise (then `upperBound` is unused), at position 0 with a step
    // of 1. The window is painted before Start returns.
    void Start(bool rangeFlag, int upperBound, const std::string& firstLine, const std::string& secondLine);

    // Replaces both lines (bytes; "\r\n" breaks a line).
    void SetLines(const std::string& firstLine, const std::string& secondLine);

    // Advances the bar by one step; past its end it starts again from the beginning.
    void Step();

    // Makes the bar show work going on without a share done, for a job whose size is not known.
    void ShowBusy();

    // Sets the bar to the share `part` / `whole` of its range (bytes of a file read, items of a job done) and,
    // when that moved the bar, lets every window repaint while user input stays queued, so no window freezes and
    // the job cannot be interrupted.
    void ShowProgress(std::int64_t part, std::int64_t whole);

    // Shows on the bar how far reads of `file` have come, until this window is destroyed; `file` must outlive it.
    void FollowFile(InputFile& file);

private:
    QProgressBar* m_bar = nullptr;
    QLabel* m_firstLineLabel = nullptr;
    QLabel* m_secondLineLabel = nullptr;
    InputFile* m_followedFile = nullptr;
};

} // namespace pellaquin
