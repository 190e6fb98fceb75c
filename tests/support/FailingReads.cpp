#include "support/FailingReads.h"

#include <cerrno>
#include <cstdlib>

#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace pellaquin::test {

namespace {

struct ReadFault {
    bool armed = false;
    dev_t device = 0;
    ino_t inode = 0;
    std::int64_t offset = 0;
};

ReadFault g_readFault;

bool ReadShouldFail(int descriptor) {
    if (!g_readFault.armed) {
        return false;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || status.st_dev != g_readFault.device ||
        status.st_ino != g_readFault.inode) {
        return false;
    }
    return ::lseek(descriptor, 0, SEEK_CUR) >= g_readFault.offset;
}

} // namespace

FailingReads::FailingReads(const std::string& path, std::int64_t offset) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        std::abort();
    }
    g_readFault = {true, status.st_dev, status.st_ino, offset};
}

FailingReads::~FailingReads() {
    g_readFault = {};
}

} // namespace pellaquin::test

// Every read of the test program comes here, so a test can make reads of one file fail part-way.
// Everything else goes straight to the system call.
extern "C" ssize_t read(int descriptor, void* buffer, size_t count) {
    if (pellaquin::test::ReadShouldFail(descriptor)) {
        errno = EIO;
        return -1;
    }
    return ::syscall(SYS_read, descriptor, buffer, count);
}
