#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pellaquin {

class ByteSink;

// The files a merge reads. An empty path, or a controls.xml or catver.ini that cannot be opened,
// merges without that file's data; the listing is required. An nplayers.ini or data file (see
// IniIndex) that cannot be read is left out, and the merge says so. Each data file gives its sets an
// element named after the file (DataFileElementName), in the order of the list.
struct MergeSources {
    std::string listingPath;
    std::string controlsPath;
    std::string catverPath;
    std::string nplayersPath{};
    std::vector<std::string> dataFilePaths{};
};

enum class MergeResult {
    OK,
    OUTPUT_IS_A_SOURCE,
    OUTPUT_NOT_WRITABLE,
    LISTING_NOT_READABLE,
    LISTING_HOLDS_NO_GAMES, // the listing is empty or of no known form: there is nothing to merge into
    CATVER_READ_FAILED,     // catver.ini opened but failed to read part-way
    CONTROLS_READ_FAILED,   // controls.xml opened but failed to read part-way
    WRITE_FAILED
};

// Told how many bytes of the listing have been read so far, out of its size.
using MergeProgress = std::function<void(std::int64_t done, std::int64_t total)>;

// Told the path of each nplayers.ini or data file the merge goes on without, as it cannot be read.
using MergeLeftOut = std::function<void(const std::string& path)>;

// Writes the merged master file to `sink`: the listing's header with the banner, every complete
// game with its data inserted, then the closing "</mame>" line. A game's data are, each a line of
// its own in this order: its category and its version added (catver.ini's [VerAdded]), its
// nplayers.ini value, the value of each data file (escaped as XML text), the controls info and the
// player block. A clone without a value of its own in nplayers.ini or a data file takes its parent's
// (by its romof, then its cloneof). Returns OK, LISTING_NOT_READABLE, LISTING_HOLDS_NO_GAMES,
// CATVER_READ_FAILED, CONTROLS_READ_FAILED or WRITE_FAILED (a write to the sink failed).
MergeResult MergeDataFiles(const MergeSources& sources, ByteSink& sink, const MergeProgress& progress = {},
                           const MergeLeftOut& leftOut = {});

// The same merge into the file at `outputPath`, which is replaced only once the merge has finished.
// A path that names one of the sources is refused before anything is written. On any result but OK
// the file at `outputPath` is as it was.
MergeResult MergeDataFiles(const MergeSources& sources, const std::string& outputPath,
                           const MergeProgress& progress = {}, const MergeLeftOut& leftOut = {});

// What the user is told for each result; empty for OK.
std::string_view MergeResultMessage(MergeResult result);

// The same, then on a line of its own the source file the failure is about and what was found wrong
// with it, for the results about a source.
std::string MergeResultMessage(MergeResult result, const MergeSources& sources);

// What the user is told of a source the merge went on without.
std::string MergeLeftOutMessage(const std::string& path);

} // namespace pellaquin
