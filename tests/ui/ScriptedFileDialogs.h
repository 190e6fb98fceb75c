#pragma once

#include "ui/FileDialogs.h"

#include <deque>
#include <string>
#include <vector>

namespace pellaquin::test {

// While it lives, every file dialog is recorded and answered with the first answer still queued (an
// empty one, or none, cancels it). Afterwards dialogs count as cancelled again.
class ScriptedFileDialogs {
public:
    explicit ScriptedFileDialogs(std::deque<std::string> answers = {});
    ~ScriptedFileDialogs();
    ScriptedFileDialogs(const ScriptedFileDialogs&) = delete;
    ScriptedFileDialogs& operator=(const ScriptedFileDialogs&) = delete;

    // Queues one more answer.
    void Answer(std::string path) { m_answers.push_back(std::move(path)); }
    const std::vector<FileDialogRequest>& Requests() const { return m_requests; }

private:
    std::deque<std::string> m_answers;
    std::vector<FileDialogRequest> m_requests;
};

} // namespace pellaquin::test
