#include "output/ParentCategories.h"

#include "output/GameBatches.h"
#include "records/RecordReader.h"
#include "records/ScanCycle.h"
#include "records/SubstringSearch.h"

#include <algorithm>
#include <memory>

namespace pellaquin {

ParentCategories ParentCategories::Read(InputFile& input) {
    ParentCategories parents;
    RecordReader reader;
    ScanCycle scan(input, reader);
    std::string header;
    if (!scan.Start(header) || input.Format() != FORMAT_MERGED) {
        return parents;
    }
    std::string_view startTagName = input.GameStartTag();
    auto makeWork = [startTagName]() -> GameWork {
        auto structure = std::make_shared<RecordStructureReader>();
        return [structure, startTagName](std::string_view record, std::string& out) {
            // Only a parent with a category is of use; most records are told apart before a parse.
            std::string_view startTag = record.substr(std::min(FindSubstring(record, startTagName), record.size()));
            startTag = startTag.substr(0, startTag.find('>'));
            if (FindSubstring(record, "<category>") == std::string_view::npos ||
                FindSubstring(startTag, "cloneof=") != std::string_view::npos) {
                return false;
            }
            const RecordStructure& set = structure->Read(record, RecordPart::ROM_SET);
            if (set.name.empty() || set.category.empty() || !set.cloneof.empty()) {
                return false;
            }
            AppendBatchField(out, set.name);
            AppendBatchField(out, set.category);
            return true;
        };
    };
    ScanInBatches(scan, makeWork, [&](std::string_view text) {
        while (!text.empty()) {
            std::string_view name = TakeBatchField(text);
            parents.m_categories.try_emplace(std::string(name), TakeBatchField(text));
        }
    });
    return parents;
}

std::string_view ParentCategories::Of(const RecordStructure& game) const {
    if (!game.category.empty() || game.cloneof.empty()) {
        return game.category;
    }
    auto parent = m_categories.find(game.cloneof);
    return parent == m_categories.end() ? std::string_view() : std::string_view(parent->second);
}

} // namespace pellaquin
