#include "records/ScanCycle.h"

#include "records/TagVocabulary.h"

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
    m_reader.ReadGameRecord(m_input, record, TagVocabulary::GameStartTag(m_input.Format(), m_input.Element()));
    return !record.empty();
}

} // namespace pellaquin
