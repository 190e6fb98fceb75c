#include "platform/SamplesFolder.h"

namespace pellaquin {

namespace {

constexpr const char* MERGED_SAMPLE = "merged.xml";

bool HoldsSamples(const std::filesystem::path& folder) {
    std::error_code error;
    return std::filesystem::is_regular_file(folder / MERGED_SAMPLE, error);
}

} // namespace

std::filesystem::path SamplesFolder() {
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        std::filesystem::path installed = program.parent_path().parent_path() / "share" / "pellaquin" / "samples";
        if (HoldsSamples(installed)) {
            return installed;
        }
    }
    std::filesystem::path source(PELLAQUIN_SOURCE_SAMPLES);
    return HoldsSamples(source) ? source : std::filesystem::path();
}

} // namespace pellaquin
