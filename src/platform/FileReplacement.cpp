#include "platform/FileReplacement.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pellaquin {

namespace {

std::string FolderOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The bytes of the file at `path`, copied to the end of `descriptor`.
bool CopyInto(const std::string& path, int descriptor) {
    int source = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (source < 0) {
        return false;
    }
    std::array<char, 1 << 16> buffer{};
    bool copied = true;
    for (;;) {
        ssize_t count = ::read(source, buffer.data(), buffer.size());
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            copied = count == 0;
            break;
        }
        if (!WriteWhole(descriptor, std::string_view(buffer.data(), static_cast<std::size_t>(count)))) {
            copied = false;
            break;
        }
    }
    ::close(source);
    return copied;
}

// The rename is durable only once the folder's entry is on disk too.
void SyncFolder(const std::string& folder) {
    int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

} // namespace

bool WriteWhole(int descriptor, std::string_view bytes, std::int64_t offset) {
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

FileReplacement::FileReplacement(std::string targetPath) : m_targetPath(std::move(targetPath)) {}

FileReplacement::~FileReplacement() {
    Discard();
}

bool FileReplacement::Open(Content content) {
    mode_t mode = 0666;
    bool exists = false;
    struct stat status {};
    if (::stat(m_targetPath.c_str(), &status) == 0) {
        if (S_ISDIR(status.st_mode)) {
            return Fail(EISDIR);
        }
        if (!S_ISREG(status.st_mode)) {
            // Renaming over a device or a pipe would put a plain file in its place: it is written as it
            // stands, and its write errors are reported like any other.
            int flags = O_WRONLY | O_CLOEXEC | (content == Content::APPENDED ? O_APPEND : 0);
            m_descriptor = ::open(m_targetPath.c_str(), flags);
            m_direct = m_descriptor >= 0;
            return m_direct || Fail(errno);
        }
        // A file the user may not write is not replaced behind their back, whatever its folder allows.
        int probe = ::open(m_targetPath.c_str(), O_WRONLY | O_CLOEXEC);
        if (probe < 0) {
            return Fail(errno);
        }
        ::close(probe);
        if (char* resolved = ::realpath(m_targetPath.c_str(), nullptr)) {
            m_targetPath = resolved;
            std::free(resolved);
        }
        mode = status.st_mode & 07777;
        exists = true;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    std::string pattern = FolderOf(m_targetPath) + "/.pellaquin-XXXXXX";
    m_descriptor = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (m_descriptor < 0) {
        return Fail(errno);
    }
    m_temporaryPath = pattern;
    // mkstemp makes the file private; ours is an ordinary user file, or keeps the mode of the one it replaces.
    ::fchmod(m_descriptor, mode);
    if (content == Content::APPENDED && exists && !CopyInto(m_targetPath, m_descriptor)) {
        Fail(errno);
        Discard();
        return false;
    }
    return true;
}

bool FileReplacement::Write(std::string_view bytes) {
    if (m_descriptor < 0 || m_failed) {
        return false;
    }
    m_failed = !WriteWhole(m_descriptor, bytes);
    return !m_failed || Fail(errno);
}

bool FileReplacement::WriteAt(std::int64_t offset, std::string_view bytes) {
    if (m_descriptor < 0 || m_failed) {
        return false;
    }
    m_failed = !WriteWhole(m_descriptor, bytes, offset);
    return !m_failed || Fail(errno);
}

bool FileReplacement::Commit() {
    if (m_descriptor < 0 || m_failed) {
        Discard();
        return false;
    }
    if (m_direct) {
        bool closed = ::close(m_descriptor) == 0 || Fail(errno);
        m_descriptor = -1;
        return closed;
    }
    bool flushed = ::fsync(m_descriptor) == 0 || Fail(errno);
    bool closed = ::close(m_descriptor) == 0 || Fail(errno);
    m_descriptor = -1;
    if (!flushed || !closed || std::rename(m_temporaryPath.c_str(), m_targetPath.c_str()) != 0) {
        Fail(errno);
        Discard();
        return false;
    }
    m_temporaryPath.clear();
    SyncFolder(FolderOf(m_targetPath));
    return true;
}

bool FileReplacement::Fail(int error) {
    if (m_error == 0) {
        m_error = error;
    }
    return false;
}

void FileReplacement::Discard() {
    if (m_descriptor >= 0) {
        ::close(m_descriptor);
        m_descriptor = -1;
    }
    if (!m_temporaryPath.empty()) {
        ::unlink(m_temporaryPath.c_str());
        m_temporaryPath.clear();
    }
}

} // namespace pellaquin
