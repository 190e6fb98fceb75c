#include "output/GameSelection.h"

#include "output/GameBatches.h"
#include "records/ByteText.h"
#include "records/RecordReader.h"
#include "records/ScanCycle.h"
#include "roms/SetAuditor.h"
#include "search/Extraction.h"
#include "search/FieldExtractor.h"
#include "search/MameVersion.h"
#include "search/MatchGame.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <tuple>
#include <vector>

namespace pellaquin {

namespace {

// What the steps need of one matching set.
struct Candidate {
    std::string name;
    std::string parent;      // its cloneof, empty for a parent
    std::string regions;     // the text in parentheses of its description, lowered
    std::string added;       // its veradded value
    bool unofficial = false; // its description says bootleg, hack or prototype
};

// Candidates cross from the threads that read them to this one as text, in file order.
constexpr std::string_view UNOFFICIAL = "u";

// The text inside every pair of parentheses of `description`, the pairs joined by a blank.
std::string ParenthesisedText(std::string_view description) {
    std::string regions;
    for (std::size_t open = description.find('('); open != std::string_view::npos;
         open = description.find('(', open + 1)) {
        std::size_t close = description.find(')', open);
        regions.append(description.substr(open + 1, close == std::string_view::npos ? close : close - open - 1));
        regions.push_back(' ');
    }
    LowerAscii(regions);
    return regions;
}

bool IsWordByte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || static_cast<unsigned char>(c) >= 0x80;
}

// Whether `word` (lowered) stands in `text` as a whole word: "usa" is not in "tecnausa", nor "japan" in
// "japanese".
bool HoldsWord(std::string_view text, std::string_view word) {
    for (std::size_t at = text.find(word); at != std::string_view::npos; at = text.find(word, at + 1)) {
        bool startsWord = at == 0 || !IsWordByte(text[at - 1]);
        bool endsWord = at + word.size() == text.size() || !IsWordByte(text[at + word.size()]);
        if (startsWord && endsWord && !word.empty()) {
            return true;
        }
    }
    return false;
}

// Whether a lowered description says the set is no maker's own release.
bool SaysUnofficial(std::string_view description) {
    return HoldsWord(description, "bootleg") || HoldsWord(description, "hack") || HoldsWord(description, "prototype");
}

// The set names the folders hold: name.zip, name.7z and folders.
std::set<std::string, std::less<>> AvailableSets(const std::vector<std::string>& folders) {
    std::set<std::string, std::less<>> sets;
    for (const std::string& folder : folders) {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
            std::filesystem::path name = entry.path().filename();
            std::string extension = name.extension().string();
            if (entry.is_directory(error)) {
                sets.insert(name.string());
            } else if (extension == ".zip" || extension == ".7z") {
                sets.insert(name.stem().string());
            }
        }
    }
    return sets;
}

// Of `kept`, those whose quick audit in the folders says MAME runs them with all there is of their ROMs.
std::vector<const Candidate*> CompleteSets(InputFile& input, const std::vector<const Candidate*>& kept,
                                           const std::vector<std::string>& folders) {
    std::vector<std::string> names;
    for (const Candidate* candidate : kept) {
        names.push_back(candidate->name);
    }
    RomCatalog catalog = RomCatalog::Read(input, names);
    AuditReport audit = AuditSets(catalog, RomFolders::Index(folders), names, {}, {});
    std::vector<const Candidate*> complete;
    for (std::size_t i = 0; i < audit.sets.size(); ++i) {
        SetVerdict verdict = audit.sets[i].verdict;
        if (verdict == SetVerdict::GOOD || verdict == SetVerdict::BEST_AVAILABLE) {
            complete.push_back(kept[i]);
        }
    }
    return complete;
}

// Reads the candidates: the sets the search keeps, in file order.
std::vector<Candidate> ReadCandidates(InputFile& input, const ListRequest& request) {
    RecordReader reader;
    ScanCycle scan(input, reader);
    std::string header;
    scan.Start(header);
    bool searches = request.type != ListType::CSV;
    auto makeWork = [&]() -> GameWork {
        auto extractor = std::make_shared<FieldExtractor>();
        std::size_t clone = extractor->AddColumns(ParseColumnList("cloneof="));
        std::size_t added = extractor->AddColumns(ParseColumnList("<veradded>"));
        return [&, extractor, clone, added, value = std::string()](std::string_view record, std::string& out) mutable {
            if (searches && MatchGame(record, request.command)) {
                return false;
            }
            AppendBatchField(out, ExtractRomName(record, input.Format(), input.Element()));
            extractor->SetRecord(record);
            extractor->Extract(clone, "", value);
            AppendBatchField(out, value);
            std::string_view description = ExtractDescription(record, input.Format());
            AppendBatchField(out, ParenthesisedText(description));
            extractor->Extract(added, "", value);
            AppendBatchField(out, value);
            AppendBatchField(out, SaysUnofficial(LowerAsciiCopy(description)) ? UNOFFICIAL : "");
            return true;
        };
    };
    std::vector<Candidate> candidates;
    ScanInBatches(scan, makeWork, [&](std::string_view text) {
        while (!text.empty()) {
            Candidate candidate;
            candidate.name = TakeBatchField(text);
            candidate.parent = TakeBatchField(text);
            candidate.regions = TakeBatchField(text);
            candidate.added = TakeBatchField(text);
            candidate.unofficial = TakeBatchField(text) == UNOFFICIAL;
            candidates.push_back(std::move(candidate));
        }
    });
    return candidates;
}

// Whether the set's version added lies in the range the steps ask for.
bool InVersionRange(const Candidate& candidate, const std::optional<MameVersion>& since,
                    const std::optional<MameVersion>& before, bool asked) {
    if (!asked) {
        return true;
    }
    std::optional<MameVersion> added = MameVersion::Parse(candidate.added);
    return added && (!since || *added >= *since) && (!before || *added < *before);
}

// Of each family, the one set to keep.
std::vector<const Candidate*> OnePerTitle(const std::vector<const Candidate*>& kept, std::string_view preferredWords) {
    std::map<std::string_view, std::vector<const Candidate*>> families;
    std::vector<std::string_view> order;
    for (const Candidate* candidate : kept) {
        std::string_view family = candidate->parent.empty() ? candidate->name : candidate->parent;
        auto [entry, added] = families.try_emplace(family);
        if (added) {
            order.push_back(family);
        }
        entry->second.push_back(candidate);
    }
    std::vector<std::string> words;
    for (std::string_view word : SplitList(preferredWords, ',')) {
        if (word = TrimWhiteSpace(word); !word.empty()) {
            words.push_back(LowerAsciiCopy(word));
        }
    }
    // A bootleg, hack or prototype ranks after every set that is none, whatever words it holds (a
    // "World Cup" board or a "US bootleg" are no better a release); then the earlier the word, the better,
    // and a parent before its clones.
    auto rank = [&](const Candidate* member) {
        auto word = std::find_if(words.begin(), words.end(),
                                 [&](const std::string& preferred) { return HoldsWord(member->regions, preferred); });
        return std::tuple(member->unofficial, word - words.begin(), !member->parent.empty());
    };
    std::vector<const Candidate*> chosen;
    for (std::string_view family : order) {
        const std::vector<const Candidate*>& members = families[family];
        // The first of the best, so ties keep the file's order.
        chosen.push_back(*std::min_element(members.begin(), members.end(),
                                           [&](const Candidate* a, const Candidate* b) { return rank(a) < rank(b); }));
    }
    return chosen;
}

} // namespace

GameSelection GameSelection::Select(InputFile& input, const ListRequest& request) {
    const SetSteps& steps = request.steps;
    std::vector<Candidate> candidates = ReadCandidates(input, request);
    bool auditing = !steps.availableFolders.empty() && steps.availableCheck == AvailableCheck::COMPLETE;
    std::set<std::string, std::less<>> available =
        auditing ? std::set<std::string, std::less<>>() : AvailableSets(steps.availableFolders);
    std::optional<MameVersion> since = MameVersion::Parse(steps.addedSince);
    std::optional<MameVersion> before = MameVersion::Parse(steps.addedBefore);
    bool versionAsked = !steps.addedSince.empty() || !steps.addedBefore.empty();

    std::vector<const Candidate*> kept;
    for (const Candidate& candidate : candidates) {
        if ((steps.availableFolders.empty() || auditing || available.contains(candidate.name)) &&
            InVersionRange(candidate, since, before, versionAsked)) {
            kept.push_back(&candidate);
        }
    }
    if (auditing) {
        kept = CompleteSets(input, kept, steps.availableFolders);
    }
    if (steps.onePerTitle) {
        kept = OnePerTitle(kept, steps.preferredWords);
    }
    GameSelection selection;
    for (const Candidate* candidate : kept) {
        selection.m_kept.insert(candidate->name);
    }
    return selection;
}

} // namespace pellaquin
