#include "output/ByteSink.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>

#include <fcntl.h>
#include <unistd.h>

namespace pellaquin {

namespace {

bool WriteWhole(int descriptor, std::string_view bytes, std::int64_t offset = -1) {
    while (!bytes.empty()) {
        ssize_t count = offset < 0 ? ::write(descriptor, bytes.data(), bytes.size())
                                   : ::pwrite(descriptor, bytes.data(), bytes.size(), offset);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(count));
        if (offset >= 0) {
            offset += count;
        }
    }
    return true;
}

} // namespace

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

ReplacingFileSink::ReplacingFileSink(std::string targetPath) : m_targetPath(std::move(targetPath)) {}

ReplacingFileSink::~ReplacingFileSink() {
    Discard();
}

bool ReplacingFileSink::Open() {
    mode_t mode = 0666;
    struct stat status {};
    if (::stat(m_targetPath.c_str(), &status) == 0) {
        if (S_ISDIR(status.st_mode)) {
            return false;
        }
        if (!S_ISREG(status.st_mode)) {
            // A device or a pipe cannot be replaced: renaming over it would put a plain file in its place.
            // It is written as it stands, and its write errors are reported like any other.
            m_descriptor = ::open(m_targetPath.c_str(), O_WRONLY | O_CLOEXEC);
            m_direct = m_descriptor >= 0;
            return m_direct;
        }
        // A file the user may not write is not replaced behind their back, whatever its folder allows.
        int probe = ::open(m_targetPath.c_str(), O_WRONLY | O_CLOEXEC);
        if (probe < 0) {
            return false;
        }
        ::close(probe);
        // Through a link, the file it points to is replaced and the link kept.
        if (char* resolved = ::realpath(m_targetPath.c_str(), nullptr)) {
            m_targetPath = resolved;
            std::free(resolved);
        }
        mode = status.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    std::string folder = ".";
    std::size_t slash = m_targetPath.rfind('/');
    if (slash != std::string::npos) {
        folder = slash == 0 ? "/" : m_targetPath.substr(0, slash);
    }
    std::string pattern = folder + "/.pellaquin-XXXXXX";
    m_descriptor = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (m_descriptor < 0) {
        return false;
    }
    m_temporaryPath = pattern;
    // mkstemp makes the file private; a list is an ordinary user file, or keeps the mode of the one it replaces.
    ::fchmod(m_descriptor, mode);
    return true;
}

bool ReplacingFileSink::Write(std::string_view bytes) {
    if (m_descriptor < 0 || m_failed) {
        return false;
    }
    m_failed = !WriteWhole(m_descriptor, bytes);
    return !m_failed;
}

bool ReplacingFileSink::WriteAt(std::int64_t offset, std::string_view bytes) {
    if (m_descriptor < 0 || m_failed) {
        return false;
    }
    m_failed = !WriteWhole(m_descriptor, bytes, offset);
    return !m_failed;
}

bool ReplacingFileSink::Commit() {
    if (m_descriptor < 0 || m_failed) {
        Discard();
        return false;
    }
    if (m_direct) {
        bool closed = ::close(m_descriptor) == 0;
        m_descriptor = -1;
        return closed;
    }
    bool flushed = ::fsync(m_descriptor) == 0;
    bool closed = ::close(m_descriptor) == 0;
    m_descriptor = -1;
    if (!flushed || !closed || std::rename(m_temporaryPath.c_str(), m_targetPath.c_str()) != 0) {
        Discard();
        return false;
    }
    m_temporaryPath.clear();
    return true;
}

void ReplacingFileSink::Discard() {
    if (m_descriptor >= 0) {
        ::close(m_descriptor);
        m_descriptor = -1;
    }
    if (!m_temporaryPath.empty()) {
        ::unlink(m_temporaryPath.c_str());
        m_temporaryPath.clear();
    }
}

bool AppendToFile(const std::string& path, std::string_view bytes) {
    int descriptor = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        return false;
    }
    struct stat before {};
    bool regular = ::fstat(descriptor, &before) == 0 && S_ISREG(before.st_mode);
    bool written = WriteWhole(descriptor, bytes);
    if (!written && regular) {
        // Half a list at the end of the file would read as a whole one; the file goes back to what
        // it held. Should that fail too, there is nothing more to try.
        static_cast<void>(::ftruncate(descriptor, before.st_size) == 0);
    }
    return ::close(descriptor) == 0 && written;
}

} // namespace pellaquin
