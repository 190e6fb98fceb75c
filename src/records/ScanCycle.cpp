#include "records/ScanCycle.h"

namespace pellaquin {

bool ScanCycle::Start(std::string& header) {
    m_recognised = DetectInputFormat(m_input, header) != FORMAT_UNKNOWN;
    return m_recognised;
}

bool ScanCycle::Next(std::string& record) {
    if (!m_recognised) {
        record.clear();
        return false;
    }
    m_reader.ReadGameRecord(m_input, record, m_input.GameStartTag());
    if (record.empty()) {
        return false;
    }
    if (m_starts != nullptr) {
        m_starts->push_back(m_reader.m_lastStartPosition);
    }
    ++m_records;
    return true;
}

} // namespace pellaquin
