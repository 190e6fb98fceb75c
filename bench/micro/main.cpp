#include "micro/BenchmarkData.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <string_view>

// Google Benchmark's own flags, plus --data=FOLDER for another listing and its sources than the
// one generated at build time.
int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    std::string folder = PELLAQUIN_MICRO_DATA_DIR;
    constexpr std::string_view DATA_FLAG = "--data=";
    for (int i = 1; i < argc; ++i) {
        std::string_view argument = argv[i];
        if (!argument.starts_with(DATA_FLAG)) {
            std::fprintf(stderr, "unknown argument %s\n", argv[i]);
            return 2;
        }
        folder = argument.substr(DATA_FLAG.size());
    }
    pellaquin::SetBenchmarkDataFolder(folder);
    std::printf("data: %s\n", folder.c_str());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
