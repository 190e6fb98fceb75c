// Random small listings, controls.xml and catver.ini files merged into memory, the catver.ini also
// read as nplayers.ini and as a data file: no crash or hang, the merge succeeds unless the listing
// holds no game, the result closes with "</mame>", and a merge of a recognised listing whose banner
// gets a line of its own reads back as a merged file.

#include "FuzzSupport.h"

#include "data/MergeUtility.h"
#include "output/ByteSink.h"
#include "records/InputFile.h"
#include "records/InputFormat.h"
#include "records/RecordReader.h"
#include "records/TagVocabulary.h"

#include <array>
#include <cstdint>
#include <string>

namespace pellaquin {

namespace {

constexpr std::string_view SOURCE_SEPARATOR = "\n%%\n";

InputFormat DetectFile(const std::string& path, std::string& header) {
    InputFile input;
    if (input.Open(path) != InputFile::OpenResult::OK) {
        fuzz::Fail("cannot open a scratch file");
    }
    return DetectInputFormat(input, header);
}

// The banner goes two bytes after the header's first ">": on a line of its own when a line feed
// follows that ">", as it does after an XML declaration. Elsewhere it joins a line that may be cut
// into pieces across it.
bool BannerGetsItsOwnLine(std::string_view header) {
    std::size_t close = header.find('>');
    return close != std::string_view::npos && close + 1 < header.size() && header[close + 1] == '\n';
}

bool HoldsAGame(const std::string& path) {
    InputFile input;
    std::string header;
    if (input.Open(path) != InputFile::OpenResult::OK) {
        fuzz::Fail("cannot open a scratch file");
    }
    DetectInputFormat(input, header);
    RecordReader reader;
    std::string record;
    return reader.ReadGameRecord(input, record, TagVocabulary::GameStartTag(FORMAT_LISTXML, input.Element()));
}

std::string_view TrimTrailingWhiteSpace(std::string_view text) {
    while (!text.empty() && std::string_view(" \t\n\v\f\r").find(text.back()) != std::string_view::npos) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

} // namespace pellaquin

// The listing, controls.xml and catver.ini, in that order, separated by lines that hold only "%%".
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pellaquin;
    static const std::array<fuzz::ScratchFile, 4> files{fuzz::ScratchFile(".xml"), fuzz::ScratchFile(".xml"),
                                                        fuzz::ScratchFile(".ini"), fuzz::ScratchFile(".xml")};
    std::string_view text = fuzz::AsText(data, size);
    for (std::size_t i = 0; i < 3; ++i) {
        std::size_t separator = i < 2 ? text.find(SOURCE_SEPARATOR) : std::string_view::npos;
        std::size_t end = separator == std::string_view::npos ? text.size() : separator + 1;
        files[i].Write(text.substr(0, end));
        text.remove_prefix(std::min(text.size(), end + SOURCE_SEPARATOR.size() - 1));
    }

    MemorySink sink;
    MergeResult result =
        MergeDataFiles({files[0].Path(), files[1].Path(), files[2].Path(), files[2].Path(), {files[2].Path()}}, sink);
    if (result == MergeResult::LISTING_HOLDS_NO_GAMES) {
        if (HoldsAGame(files[0].Path())) {
            fuzz::Fail("a listing that holds a game was refused as holding none");
        }
        return 0;
    }
    if (result != MergeResult::OK) {
        fuzz::Fail("the merge of readable files failed");
    }
    if (!TrimTrailingWhiteSpace(sink.Bytes()).ends_with("</mame>")) {
        fuzz::Fail("the merged file does not close with </mame>");
    }
    std::string header;
    if (DetectFile(files[0].Path(), header) == FORMAT_LISTXML && BannerGetsItsOwnLine(header)) {
        files[3].Write(sink.Bytes());
        std::string mergedHeader;
        if (DetectFile(files[3].Path(), mergedHeader) != FORMAT_MERGED) {
            fuzz::Fail("the merge of a listing does not read back as a merged file");
        }
    }
    return 0;
}
