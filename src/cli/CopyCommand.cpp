#include "cli/CopyCommand.h"

#include "cli/ProgressLine.h"
#include "cli/RomSelection.h"
#include "roms/SetAuditor.h"
#include "roms/SetCopier.h"

#include <ostream>

namespace pellaquin {

namespace {

constexpr int NOT_MADE = 2;

std::string_view OutcomeWord(CopyOutcome outcome, const CopyOptions& options) {
    switch (outcome) {
    case CopyOutcome::COPIED:
        return options.dryRun ? "would copy" : options.link == LinkKind::NONE ? "copied" : "linked";
    case CopyOutcome::REPLACED:
        return options.dryRun ? "would replace" : "replaced";
    case CopyOutcome::IDENTICAL:
        return "already there";
    case CopyOutcome::REFUSED:
        return "refused";
    case CopyOutcome::FAILED:
        return "failed";
    }
    return {};
}

} // namespace

int RunCopyCommand(const CopyCommandOptions& options, std::ostream& out, std::ostream& err, bool errIsTerminal) {
    std::optional<RomSelection> selected = SelectRomSets(options.selection, options.romFolders, err);
    if (!selected) {
        return NOT_MADE;
    }
    ProgressLine checking(err, errIsTerminal, "Checking", ProgressLine::Unit::SETS);
    AuditReport audit = AuditSets(selected->catalog, selected->folders, selected->names, {},
                                  [&](std::uint64_t done, std::uint64_t total) { return checking.Show(done, total); });
    checking.Finish();

    CopyOptions copy;
    copy.target = options.target;
    copy.link = options.link == "hard"       ? LinkKind::HARD
                : options.link == "symbolic" ? LinkKind::SYMBOLIC
                                             : LinkKind::NONE;
    copy.replace = options.replace;
    copy.dryRun = options.dryRun;
    ProgressLine copying(err, errIsTerminal, copy.link == LinkKind::NONE ? "Copying" : "Linking",
                         ProgressLine::Unit::BYTES);
    CopyReport report = CopySets(selected->catalog, selected->folders, selected->names, copy,
                                 [&](std::uint64_t done, std::uint64_t total) { return copying.Show(done, total); });
    copying.Finish();

    std::size_t written = 0, there = 0, refused = 0, failed = 0;
    for (const CopiedFile& file : report.files) {
        out << OutcomeWord(file.outcome, copy) << '\t' << file.bytes << '\t' << file.source << '\t' << file.target;
        if (file.outcome == CopyOutcome::REFUSED) {
            out << "\ta different file is there: --replace replaces it";
        } else if (file.outcome == CopyOutcome::FAILED) {
            out << '\t' << file.problem;
        }
        out << '\n';
        written += file.outcome == CopyOutcome::COPIED || file.outcome == CopyOutcome::REPLACED ? 1 : 0;
        there += file.outcome == CopyOutcome::IDENTICAL ? 1 : 0;
        refused += file.outcome == CopyOutcome::REFUSED ? 1 : 0;
        failed += file.outcome == CopyOutcome::FAILED ? 1 : 0;
    }
    out << (copy.dryRun ? "Would write " : "Wrote ") << written << " files, " << report.bytes << " bytes; " << there
        << " already there, " << refused << " refused, " << failed << " failed"
        << (report.stopped ? "; stopped before the end" : "") << '\n';
    bool allRun = true;
    for (const SetAudit& set : audit.sets) {
        if (!Runs(set.verdict)) {
            if (allRun) {
                out << "Not complete in the source:\n";
            }
            allRun = false;
            out << set.name << '\t' << VerdictName(set.verdict) << '\n';
        }
    }
    return allRun && refused == 0 && failed == 0 && !report.stopped ? 0 : 1;
}

} // namespace pellaquin
