#include "output/ByteSink.h"

#include <ostream>

namespace pellaquin {

bool MemorySink::Write(std::string_view bytes) {
    m_bytes.append(bytes);
    return true;
}

bool MemorySink::WriteAt(std::int64_t offset, std::string_view bytes) {
    if (offset < 0 || static_cast<std::size_t>(offset) + bytes.size() > m_bytes.size()) {
        return false;
    }
    m_bytes.replace(static_cast<std::size_t>(offset), bytes.size(), bytes);
    return true;
}

bool StreamSink::Write(std::string_view bytes) {
    m_stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return m_stream.good();
}

ReplacingFileSink::ReplacingFileSink(std::string targetPath, FileReplacement::Content content)
    : m_file(std::move(targetPath)), m_content(content) {}

bool AppendToFile(const std::string& path, std::string_view bytes) {
    ReplacingFileSink file(path, FileReplacement::Content::APPENDED);
    return file.Open() && file.Write(bytes) && file.Commit();
}

bool ReplaceFileWith(const std::string& path, std::string_view bytes) {
    ReplacingFileSink file(path);
    return file.Open() && file.Write(bytes) && file.Commit();
}

} // namespace pellaquin
