#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <sys/types.h>

namespace pellaquin::test {

// Makes file access checks apply to an ordinary user while it lives: the tests may run as root,
// who reads and writes whatever the modes say.
class OrdinaryFileAccess {
public:
    OrdinaryFileAccess();
    ~OrdinaryFileAccess();
    OrdinaryFileAccess(const OrdinaryFileAccess&) = delete;
    OrdinaryFileAccess& operator=(const OrdinaryFileAccess&) = delete;

    static constexpr uid_t NOBODY = 65534;

private:
    bool m_root;
};

// True when `path` cannot be opened for reading, as checked under OrdinaryFileAccess.
bool CannotRead(const std::string& path);

// Makes every write past `bytes` of any file fail for its life, as a full disk does.
class FileSizeLimit {
public:
    explicit FileSizeLimit(std::uint64_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    std::uint64_t m_savedLimit = 0;
    void (*m_savedHandler)(int) = nullptr;
};

// How a run of the real pellaquin-cli ended.
struct BinaryRun {
    bool exited = false; // false when a signal ended it
    int status = -1;     // the exit status, or the signal
    std::string out;
    std::string err;
    long peakKilobytes = 0;
};

// Runs pellaquin-cli with `args` (without a shell) and waits for it.
BinaryRun RunBinary(const std::vector<std::string>& args);

} // namespace pellaquin::test
