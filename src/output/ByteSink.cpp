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

namespace {

bool CommitWhole(ReplacingFileSink& file, std::string_view bytes, int* failure) {
    bool written = file.Open() && file.Write(bytes) && file.Commit();
    if (!written && failure != nullptr) {
        *failure = file.Error();
    }
    return written;
}

} // namespace

bool AppendToFile(const std::string& path, std::string_view bytes, int* failure) {
    ReplacingFileSink file(path, FileReplacement::Content::APPENDED);
    return CommitWhole(file, bytes, failure);
}

bool ReplaceFileWith(const std::string& path, std::string_view bytes, int* failure) {
    ReplacingFileSink file(path);
    return CommitWhole(file, bytes, failure);
}

} // namespace pellaquin
