#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

#include "roms/AuditReport.h"

namespace pellaquin {

// Work that runs on a thread of its own while the window stays live: the window reads how far it has
// come when it likes, and may ask it to stop.
class BackgroundJob {
public:
    BackgroundJob() = default;
    // Asks a running job to stop, and waits for it.
    ~BackgroundJob();
    BackgroundJob(const BackgroundJob&) = delete;
    BackgroundJob& operator=(const BackgroundJob&) = delete;

    // Runs `work` on a new thread, handing it the progress to report through; the progress tells it to
    // stop once Stop was called. A job must not be running.
    void Start(std::function<void(const WorkProgress& progress)> work);
    // Asks the job to stop as soon as it can.
    void Stop() { m_stopping = true; }
    // True once the work has returned; Finish then ends the thread.
    bool Done() const { return m_done; }
    void Finish();
    bool Running() const { return m_thread.joinable(); }
    // How far the work has come, as it last said.
    std::uint64_t DoneCount() const { return m_doneCount; }
    std::uint64_t Total() const { return m_total; }

private:
    std::thread m_thread;
    std::atomic<bool> m_stopping = false;
    std::atomic<bool> m_done = false;
    std::atomic<std::uint64_t> m_doneCount = 0;
    std::atomic<std::uint64_t> m_total = 0;
};

} // namespace pellaquin
