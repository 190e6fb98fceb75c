#pragma once

#include "records/InputFile.h"
#include "records/RecordReader.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pellaquin {

// The loop every writer runs over the whole input: detection from the first byte, then one game
// record after another until a read yields an empty record. A record cut off by the end of the
// file is still offered once.
class ScanCycle {
public:
    ScanCycle(InputFile& input, RecordReader& reader) : m_input(input), m_reader(reader) {}

    // Runs detection, appending the header text to `header`. False when no format was recognised;
    // the cycle then yields no record.
    bool Start(std::string& header);

    // The next record into `record`; false when it came back empty.
    bool Next(std::string& record);

    InputFormat Format() const { return m_input.Format(); }
    // How many records Next has yielded.
    std::int32_t Records() const { return m_records; }

    // From now on, each record Next yields adds to `starts` where reading it again begins: the start
    // of the piece that holds its (last) start tag. Null stops it.
    void KeepRecordStarts(std::vector<std::int64_t>* starts) { m_starts = starts; }

private:
    InputFile& m_input;
    RecordReader& m_reader;
    bool m_recognised = false;
    std::int32_t m_records = 0;
    std::vector<std::int64_t>* m_starts = nullptr;
};

} // namespace pellaquin
