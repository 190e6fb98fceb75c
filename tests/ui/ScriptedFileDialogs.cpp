#include "ScriptedFileDialogs.h"

namespace pellaquin::test {

ScriptedFileDialogs::ScriptedFileDialogs(std::deque<std::string> answers) : m_answers(std::move(answers)) {
    SetFileDialogHandler([this](const FileDialogRequest& request) -> std::optional<std::string> {
        m_requests.push_back(request);
        if (m_answers.empty()) {
            return std::nullopt;
        }
        std::string answer = std::move(m_answers.front());
        m_answers.pop_front();
        return answer.empty() ? std::nullopt : std::optional<std::string>(std::move(answer));
    });
}

ScriptedFileDialogs::~ScriptedFileDialogs() {
    SetFileDialogHandler(nullptr);
}

} // namespace pellaquin::test
