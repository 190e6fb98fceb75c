#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace pellaquin {

class ByteSink;

// The three files a merge reads. An empty path, or a controls.xml or catver.ini that cannot be
// opened, merges without that file's data; the listing is required.
struct MergeSources {
    std::string listingPath;
    std::string controlsPath;
    std::string catverPath;
};

enum class MergeResult {
    OK,
    OUTPUT_IS_A_SOURCE,
    OUTPUT_NOT_WRITABLE,
    LISTING_NOT_READABLE,
    SOURCE_READ_FAILED, // controls.xml or catver.ini opened but failed to read part-way
    WRITE_FAILED
};

// Told how many bytes of the listing have been read so far, out of its size.
using MergeProgress = std::function<void(std::int64_t done, std::int64_t total)>;

// Writes the merged master file to `sink`: the listing's header with the banner, every complete
// game with its category and controls data inserted, then the closing "</mame>" line. Returns OK,
// LISTING_NOT_READABLE, SOURCE_READ_FAILED or WRITE_FAILED (a write to the sink failed).
MergeResult MergeDataFiles(const MergeSources& sources, ByteSink& sink, const MergeProgress& progress = {});

// The same merge into the file at `outputPath`, which is replaced only once the merge has finished.
// A path that names one of the sources is refused before anything is written. On any result but OK
// the file at `outputPath` is as it was.
MergeResult MergeDataFiles(const MergeSources& sources, const std::string& outputPath,
                           const MergeProgress& progress = {});

// What the user is told for each result; empty for OK.
std::string_view MergeResultMessage(MergeResult result);

} // namespace pellaquin
