#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

namespace pellaquin {

// How far a long run has come, on standard error: on a terminal a bar redrawn in place, elsewhere a
// line at each tenth of the way.
class ProgressLine {
public:
    enum class Unit { SETS, BYTES };

    ProgressLine(std::ostream& err, bool terminal, std::string task, Unit unit);

    // Shows `done` of `total`; always lets the run go on.
    bool Show(std::uint64_t done, std::uint64_t total);
    // Takes the bar off the terminal's line, so what follows starts on a clean one.
    void Finish();

private:
    std::string Amount(std::uint64_t count) const;

    std::ostream& m_err;
    bool m_terminal;
    std::string m_task;
    Unit m_unit;
    int m_shown = -1; // the last thousandth (terminal) or tenth (elsewhere) shown
};

} // namespace pellaquin
