#include "support/ScopedConditions.h"

#include <csignal>
#include <cstdlib>

#include <fcntl.h>
#include <sys/fsuid.h>
#include <sys/resource.h>
#include <unistd.h>

namespace pellaquin::test {

OrdinaryFileAccess::OrdinaryFileAccess() : m_root(::geteuid() == 0) {
    if (m_root) {
        ::setfsuid(NOBODY);
    }
}

OrdinaryFileAccess::~OrdinaryFileAccess() {
    if (m_root) {
        ::setfsuid(0);
    }
}

bool CannotRead(const std::string& path) {
    OrdinaryFileAccess access;
    int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::close(descriptor);
        return false;
    }
    return true;
}

FileSizeLimit::FileSizeLimit(std::uint64_t bytes) {
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    m_savedLimit = saved.rlim_cur;
    // Past the limit a write fails with EFBIG instead of ending the process.
    m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limited);
}

FileSizeLimit::~FileSizeLimit() {
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    saved.rlim_cur = m_savedLimit;
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, m_savedHandler);
}

ScopedEnvironment::ScopedEnvironment(const char* name, const std::optional<std::string>& value) : m_name(name) {
    if (const char* old = std::getenv(name)) {
        m_saved = old;
    }
    Put(value);
}

ScopedEnvironment::~ScopedEnvironment() {
    Put(m_saved);
}

void ScopedEnvironment::Put(const std::optional<std::string>& value) const {
    if (value) {
        ::setenv(m_name.c_str(), value->c_str(), 1);
    } else {
        ::unsetenv(m_name.c_str());
    }
}

} // namespace pellaquin::test
