#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pellaquin {

// A new content for the file at a path, written to a temporary file beside it and put in its place in
// one step once it is whole, so the path always holds either the old file or the new one. Every file
// the program writes goes through here. Through a link, the file it points to is replaced and the link
// stays; the new file keeps an existing file's mode; a target that is not a plain file (a device, a
// pipe) cannot be replaced and is written directly.
class FileReplacement {
public:
    enum class Content {
        NEW,      // the file's bytes are those written
        APPENDED, // the file's current bytes come first, then those written
    };

    explicit FileReplacement(std::string targetPath);
    // Discards a replacement that was not committed; the target stays as it was.
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Makes the temporary file (holding the current bytes for APPENDED). False when the target is a
    // folder or a file the user may not write, or its folder cannot take the temporary file.
    bool Open(Content content = Content::NEW);
    // Appends `bytes`; false once any write failed.
    bool Write(std::string_view bytes);
    // Overwrites bytes already written, from `offset` on.
    bool WriteAt(std::int64_t offset, std::string_view bytes);
    // Flushes the file to the disk and puts it in the target's place; false, with the target as it
    // was, when any write failed or the replacement could not be made.
    bool Commit();
    // The system's error number of the first step that failed, 0 while none has.
    int Error() const { return m_error; }

private:
    void Discard();
    // Notes `error` as the cause when it is the first; returns false.
    bool Fail(int error);

    std::string m_targetPath;
    std::string m_temporaryPath;
    int m_descriptor = -1;
    bool m_failed = false;
    bool m_direct = false;
    int m_error = 0;
};

// Writes all of `bytes` to `descriptor`, at `offset` when it is not negative; false when a write fails.
bool WriteWhole(int descriptor, std::string_view bytes, std::int64_t offset = -1);

} // namespace pellaquin
