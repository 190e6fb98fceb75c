#include "cli/ProgressLine.h"

#include <cstdio>
#include <ostream>

namespace pellaquin {

namespace {

constexpr int BAR_WIDTH = 30;

} // namespace

ProgressLine::ProgressLine(std::ostream& err, bool terminal, std::string task, Unit unit)
    : m_err(err), m_terminal(terminal), m_task(std::move(task)), m_unit(unit) {}

std::string ProgressLine::Amount(std::uint64_t count) const {
    if (m_unit == Unit::SETS) {
        return std::to_string(count);
    }
    char megabytes[32];
    std::snprintf(megabytes, sizeof megabytes, "%.1f MB", static_cast<double>(count) / (1 << 20));
    return megabytes;
}

bool ProgressLine::Show(std::uint64_t done, std::uint64_t total) {
    if (total == 0) {
        return true;
    }
    double part = static_cast<double>(done) / static_cast<double>(total);
    int step = static_cast<int>(part * (m_terminal ? 1000 : 10));
    // Elsewhere than on a terminal the start goes unsaid: a short run then adds few lines to a log.
    if (step == m_shown || (!m_terminal && step == 0)) {
        return true;
    }
    m_shown = step;
    std::string amounts = Amount(done) + " of " + Amount(total) + (m_unit == Unit::SETS ? " sets" : "");
    if (m_terminal) {
        int filled = static_cast<int>(part * BAR_WIDTH);
        m_err << '\r' << m_task << " [" << std::string(static_cast<std::size_t>(filled), '#')
              << std::string(static_cast<std::size_t>(BAR_WIDTH - filled), '.') << "] " << step / 10 << "% " << amounts
              << "\x1b[K" << std::flush;
    } else {
        m_err << m_task << ": " << step * 10 << "% (" << amounts << ")\n";
    }
    return true;
}

void ProgressLine::Finish() {
    if (m_terminal && m_shown >= 0) {
        m_err << "\r\x1b[K" << std::flush;
    }
}

} // namespace pellaquin
