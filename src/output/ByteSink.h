#pragma once

#include <cstdint>
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
    // Overwrites bytes already written, starting at `offset`.
    virtual bool WriteAt(std::int64_t offset, std::string_view bytes) = 0;
};

class MemorySink : public ByteSink {
public:
    bool Write(std::string_view bytes) override;
    bool WriteAt(std::int64_t offset, std::string_view bytes) override;
    const std::string& Bytes() const { return m_bytes; }

private:
    std::string m_bytes;
};

// Writes a whole new file: the bytes go to a temporary file beside the target, which replaces the
// target only when Commit succeeds, so a failure part-way leaves any previous file untouched. The new
// file keeps an existing target's mode; a link to the target stays a link. A target that is not a
// plain file (a device or a pipe) is written directly.
class ReplacingFileSink : public ByteSink {
public:
    explicit ReplacingFileSink(std::string targetPath);
    ~ReplacingFileSink() override;
    ReplacingFileSink(const ReplacingFileSink&) = delete;
    ReplacingFileSink& operator=(const ReplacingFileSink&) = delete;

    // Creates the temporary file; false when the target is a folder or a file we may not write, or
    // its folder cannot take the temporary file.
    bool Open();
    bool Write(std::string_view bytes) override;
    bool WriteAt(std::int64_t offset, std::string_view bytes) override;
    // Flushes and puts the file in the target's place; false (target untouched) if any write failed.
    bool Commit();

private:
    void Discard();

    std::string m_targetPath;
    std::string m_temporaryPath;
    int m_descriptor = -1;
    bool m_failed = false;
    bool m_direct = false;
};

// Appends `bytes` to the file at `path`, creating it if needed. False when it cannot be written; a
// write that fails part-way leaves the file as it was.
bool AppendToFile(const std::string& path, std::string_view bytes);

} // namespace pellaquin
