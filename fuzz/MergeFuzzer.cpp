// Random small listings, controls.xml and catver.ini files merged into memory: no crash or hang,
// the merge succeeds, the result closes with "</mame>", and a merge of a recognised listing reads
// back as a merged file.

#include "FuzzSupport.h"

#include "data/MergeUtility.h"
#include "output/ByteSink.h"
#include "records/InputFile.h"
#include "records/RecordReader.h"
#include "records/TagVocabulary.h"

#include <array>
#include <cstdint>
#include <string>

namespace pellaquin {

namespace {

constexpr std::string_view SOURCE_SEPARATOR = "\n%%\n";

InputFormat DetectFile(const std::string& path) {
    InputFile input;
    if (input.Open(path) != InputFile::OpenResult::OK) {
        fuzz::Fail("cannot open a scratch file");
    }
    std::string header;
    return DetectInputFormat(input, header);
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
    MergeResult result = MergeDataFiles({files[0].Path(), files[1].Path(), files[2].Path()}, sink);
    if (result != MergeResult::OK) {
        fuzz::Fail("the merge of readable files failed");
    }
    if (!TrimTrailingWhiteSpace(sink.Bytes()).ends_with("</mame>")) {
        fuzz::Fail("the merged file does not close with </mame>");
    }
    if (DetectFile(files[0].Path()) == FORMAT_LISTXML) {
        files[3].Write(sink.Bytes());
        if (DetectFile(files[3].Path()) != FORMAT_MERGED) {
            fuzz::Fail("the merge of a listing does not read back as a merged file");
        }
    }
    return 0;
}
