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
#include <charconv>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

namespace pellaquin {

namespace {

// What the steps need of one matching set.
struct Candidate {
    std::string name;
    std::string parent;  // its cloneof, empty for a parent
    std::string regions; // the text in parentheses of its description, lowered
    std::string added;   // its veradded value
};

// Candidates cross from the threads that read them to this one as text, in file order: each field is
// its length, a ":", then its bytes.
void AppendField(std::string& out, std::string_view field) {
    out.append(std::to_string(field.size())).push_back(':');
    out.append(field);
}

std::string_view TakeField(std::string_view& text) {
    std::size_t length = 0;
    auto [colon, error] = std::from_chars(text.data(), text.data() + text.size(), length);
    std::size_t start = static_cast<std::size_t>(colon - text.data()) + 1;
    std::string_view field = text.substr(start, length);
    text.remove_prefix(start + field.size());
    return field;
}

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
            AppendField(out, ExtractRomName(record, input.Format(), input.Element()));
            extractor->SetRecord(record);
            extractor->Extract(clone, "", value);
            AppendField(out, value);
            AppendField(out, ParenthesisedText(ExtractDescription(record, input.Format())));
            extractor->Extract(added, "", value);
            AppendField(out, value);
            return true;
        };
    };
    std::vector<Candidate> candidates;
    ScanInBatches(scan, makeWork, [&](std::string_view text) {
        while (!text.empty()) {
            Candidate candidate;
            candidate.name = TakeField(text);
            candidate.parent = TakeField(text);
            candidate.regions = TakeField(text);
            candidate.added = TakeField(text);
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
    std::vector<const Candidate*> chosen;
    for (std::string_view family : order) {
        const std::vector<const Candidate*>& members = families[family];
        const Candidate* pick = nullptr;
        for (const std::string& word : words) {
            auto found = std::find_if(members.begin(), members.end(),
                                      [&](const Candidate* member) { return HoldsWord(member->regions, word); });
            if (found != members.end()) {
                pick = *found;
                break;
            }
        }
        if (pick == nullptr) {
            auto parent = std::find_if(members.begin(), members.end(),
                                       [](const Candidate* member) { return member->parent.empty(); });
            pick = parent != members.end() ? *parent : members.front();
        }
        chosen.push_back(pick);
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
