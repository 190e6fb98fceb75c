#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include <sys/types.h>

namespace pellaquin::test {

// Makes file access checks apply to an ordinary user while it lives: the tests may run as root,
// who reads and writes whatever the modes say. Folders the test wants written must be open to all.
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

// Sets (or, given nothing, removes) an environment variable for its life, then puts back what was there.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::optional<std::string>& value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    void Put(const std::optional<std::string>& value) const;

    std::string m_name;
    std::optional<std::string> m_saved;
};

} // namespace pellaquin::test
