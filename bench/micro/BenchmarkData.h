#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pellaquin {

// The folder the micro-benchmarks read: classic.xml (a classic-tag listing), catver.ini and
// controls.xml. Set once by main before any benchmark runs.
void SetBenchmarkDataFolder(std::string folder);
std::string BenchmarkDataPath(std::string_view fileName);

// Every game record of classic.xml, as the record reader returns them; read on first use.
const std::vector<std::string>& ListingRecords();

// A record of typical size: the median-sized one among the games that have a driver line.
const std::string& TypicalRecord();

} // namespace pellaquin
