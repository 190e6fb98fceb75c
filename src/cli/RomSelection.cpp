#include "cli/RomSelection.h"

#include "output/ListRun.h"

#include <ostream>

namespace pellaquin {

std::optional<RomSelection> SelectRomSets(const SelectionOptions& options, const std::vector<std::string>& romFolders,
                                          std::ostream& err) {
    RomFolders folders = RomFolders::Index(romFolders);
    for (const std::string& problem : folders.Problems()) {
        err << "ROM folder " << problem << '\n';
    }
    InputFile input;
    std::optional<std::vector<std::string>> names;
    if (folders.Problems().empty()) {
        names = SelectedSetNames(options, input, err);
    }
    if (!names) {
        return std::nullopt;
    }
    RomCatalog catalog = RomCatalog::Read(input, *names);
    if (catalog.ReadFailed()) {
        err << ListRunMessage(ListStatus::INPUT_READ_FAILED, {}, options.inputPath) << '\n';
        return std::nullopt;
    }
    return RomSelection{std::move(folders), std::move(*names), std::move(catalog)};
}

} // namespace pellaquin
