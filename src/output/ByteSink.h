#pragma once

#include "platform/FileReplacement.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

namespace pellaquin {

// Where a writer's bytes go, so tests compare bytes in memory and every program writes files the
// same way.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    // Appends `bytes`; false when they could not be written.
    virtual bool Write(std::string_view bytes) = 0;
    // Overwrites bytes already written, starting at `offset`; false where that cannot be done.
    virtual bool WriteAt(std::int64_t offset, std::string_view bytes) = 0;
};

class MemorySink : public ByteSink {
public:
    bool Write(std::string_view bytes) override;
    bool WriteAt(std::int64_t offset, std::string_view bytes) override;
    const std::string& Bytes() const { return m_bytes; }
    // Makes room for `bytes` in all, so writing up to that many never moves what was written.
    void Reserve(std::size_t bytes) { m_bytes.reserve(bytes); }
    // Hands the bytes over, leaving the sink empty.
    std::string TakeBytes() { return std::move(m_bytes); }

private:
    std::string m_bytes;
};

// Bytes for a stream that only goes forward, such as standard output.
class StreamSink : public ByteSink {
public:
    explicit StreamSink(std::ostream& stream) : m_stream(stream) {}
    bool Write(std::string_view bytes) override;
    bool WriteAt(std::int64_t, std::string_view) override { return false; }

private:
    std::ostream& m_stream;
};

// Takes every byte and keeps none, for a run that only counts.
class DiscardingSink : public ByteSink {
public:
    bool Write(std::string_view) override { return true; }
    bool WriteAt(std::int64_t, std::string_view) override { return true; }
};

// A file written through a FileReplacement: the file at the target path changes only when Commit
// succeeds, so a failure part-way leaves any previous file untouched.
class ReplacingFileSink : public ByteSink {
public:
    explicit ReplacingFileSink(std::string targetPath,
                               FileReplacement::Content content = FileReplacement::Content::NEW);

    // False when the target is a folder or a file we may not write, or its folder cannot take the
    // temporary file.
    bool Open() { return m_file.Open(m_content); }
    bool Write(std::string_view bytes) override { return m_file.Write(bytes); }
    bool WriteAt(std::int64_t offset, std::string_view bytes) override { return m_file.WriteAt(offset, bytes); }
    // Puts the file in the target's place; false (target untouched) if any write failed.
    bool Commit() { return m_file.Commit(); }
    // The system's error number of the first step that failed, 0 while none has.
    int Error() const { return m_file.Error(); }

private:
    FileReplacement m_file;
    FileReplacement::Content m_content;
};

// Appends `bytes` to the file at `path`, creating it if needed. False when it cannot be written, with
// the system's error number in `failure` when given; the file then stays as it was.
bool AppendToFile(const std::string& path, std::string_view bytes, int* failure = nullptr);

// Replaces the file at `path` by `bytes`, creating it if needed. False when it cannot be written, with
// the system's error number in `failure` when given; the file then stays as it was.
bool ReplaceFileWith(const std::string& path, std::string_view bytes, int* failure = nullptr);

} // namespace pellaquin
