#include "micro/BenchmarkData.h"

#include "records/InputFile.h"
#include "records/RecordReader.h"
#include "records/ScanCycle.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace pellaquin {

namespace {

std::string& DataFolder() {
    static std::string folder;
    return folder;
}

std::vector<std::string> ReadRecords() {
    std::string path = BenchmarkDataPath("classic.xml");
    InputFile input;
    RecordReader reader;
    ScanCycle cycle(input, reader);
    std::string header;
    if (input.Open(path) != InputFile::OpenResult::OK || !cycle.Start(header)) {
        std::fprintf(stderr, "cannot read a listing from %s\n", path.c_str());
        std::exit(1);
    }
    std::vector<std::string> records;
    std::string record;
    while (cycle.Next(record)) {
        records.push_back(record);
    }
    return records;
}

} // namespace

void SetBenchmarkDataFolder(std::string folder) {
    DataFolder() = std::move(folder);
}

std::string BenchmarkDataPath(std::string_view fileName) {
    return DataFolder() + "/" + std::string(fileName);
}

const std::vector<std::string>& ListingRecords() {
    static const std::vector<std::string> records = ReadRecords();
    return records;
}

const std::string& TypicalRecord() {
    static const std::string& typical = []() -> const std::string& {
        std::vector<const std::string*> games;
        for (const std::string& record : ListingRecords()) {
            if (record.find("<driver ") != std::string::npos) {
                games.push_back(&record);
            }
        }
        if (games.empty()) {
            std::fprintf(stderr, "the listing holds no game with a driver line\n");
            std::exit(1);
        }
        auto middle = games.begin() + static_cast<std::ptrdiff_t>(games.size() / 2);
        std::nth_element(games.begin(), middle, games.end(),
                         [](const std::string* a, const std::string* b) { return a->size() < b->size(); });
        return **middle;
    }();
    return typical;
}

} // namespace pellaquin
