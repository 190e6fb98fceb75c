#include "ui/ListingCapture.h"

#include <atomic>
#include <cstdint>
#include <thread>

#include <QEventLoop>
#include <QTimer>

#include "ui/CProgressDlg.h"

namespace pellaquin {

namespace {

constexpr int REPORT_INTERVAL_MS = 100;
constexpr char FIRST_LINE[] = "Capturing MAME's xml listing, hang on...";

std::string Received(std::int64_t bytes) {
    return "Received " + std::to_string(bytes / (1 << 20)) + " MB of the listing";
}

} // namespace

CaptureOutcome CaptureListingWithProgress(const std::string& program, QWidget* parent) {
    CProgressDlg progress(parent);
    progress.Start(false, 1000, FIRST_LINE, program);
    progress.ShowBusy();
    std::atomic<std::int64_t> received{0};
    CaptureOutcome outcome;
    QEventLoop waiting;
    std::thread capture([&] {
        outcome = CaptureListing(program, [&received](std::int64_t bytes) { received = bytes; });
        QMetaObject::invokeMethod(&waiting, &QEventLoop::quit, Qt::QueuedConnection);
    });
    QTimer reporter;
    QObject::connect(&reporter, &QTimer::timeout, &progress,
                     [&] { progress.SetLines(FIRST_LINE, program + "\r\n" + Received(received)); });
    reporter.start(REPORT_INTERVAL_MS);
    // The progress window keeps the input from the other windows; what they are sent meanwhile is dropped
    // when it closes.
    waiting.exec(QEventLoop::ExcludeUserInputEvents);
    capture.join();
    return outcome;
}

} // namespace pellaquin
