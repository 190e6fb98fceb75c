#include "ui/BackgroundJob.h"

#include <utility>

namespace pellaquin {

BackgroundJob::~BackgroundJob() {
    Stop();
    Finish();
}

void BackgroundJob::Start(std::function<void(const WorkProgress& progress)> work) {
    m_stopping = false;
    m_done = false;
    m_doneCount = 0;
    m_total = 0;
    m_thread = std::thread([this, work = std::move(work)] {
        work([this](std::uint64_t done, std::uint64_t total) {
            m_doneCount = done;
            m_total = total;
            return !m_stopping.load();
        });
        m_done = true;
    });
}

void BackgroundJob::Finish() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

} // namespace pellaquin
