#include "cli/AuditCommand.h"

#include "cli/ProgressLine.h"
#include "cli/RomSelection.h"
#include "output/ByteSink.h"
#include "output/ListRun.h"
#include "roms/SetAuditor.h"

#include <algorithm>
#include <ostream>

namespace pellaquin {

namespace {

constexpr int NOT_MADE = 2;

std::string ReportText(const AuditReport& report, bool details) {
    std::string text;
    for (const SetAudit& set : report.sets) {
        text.append(set.name).append("\t").append(VerdictName(set.verdict)).append("\n");
        if (details && set.verdict != SetVerdict::GOOD) {
            for (const MediaProblem& problem : set.problems) {
                text.append("\t").append(problem.name).append("\t").append(ReasonName(problem.reason));
                text.append("\t").append(problem.where).append("\n");
            }
        }
    }
    return text.append(CountsLine(report)).append("\n");
}

} // namespace

int RunAuditCommand(const AuditCommandOptions& options, std::ostream& out, std::ostream& err, bool errIsTerminal) {
    std::optional<RomSelection> selected = SelectRomSets(options.selection, options.romFolders, err);
    if (!selected) {
        return NOT_MADE;
    }
    ProgressLine progress(err, errIsTerminal, options.verify ? "Verifying" : "Auditing", ProgressLine::Unit::SETS);
    AuditReport report = AuditSets(selected->catalog, selected->folders, selected->names, {options.verify},
                                   [&](std::uint64_t done, std::uint64_t total) { return progress.Show(done, total); });
    progress.Finish();
    std::string text = ReportText(report, options.details);
    if (options.outputPath.empty()) {
        out << text;
    } else if (!ReplaceFileWith(options.outputPath, text)) {
        err << OutputNotWritableMessage(options.outputPath) << '\n';
        return NOT_MADE;
    }
    bool allRun =
        std::all_of(report.sets.begin(), report.sets.end(), [](const SetAudit& set) { return Runs(set.verdict); });
    return allRun ? 0 : 1;
}

} // namespace pellaquin
