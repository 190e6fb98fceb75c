#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <unistd.h>

namespace pellaquin::fuzz {

namespace {

void WriteWhole(int descriptor, std::string_view bytes, std::int64_t offset) {
    while (!bytes.empty()) {
        ssize_t count = ::pwrite(descriptor, bytes.data(), bytes.size(), offset);
        if (count <= 0) {
            Fail("cannot write the scratch file");
        }
        bytes.remove_prefix(static_cast<std::size_t>(count));
        offset += count;
    }
}

} // namespace

void Fail(std::string_view what) {
    std::fprintf(stderr, "fuzz check failed: %.*s\n", static_cast<int>(what.size()), what.data());
    std::abort();
}

std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return size == 0 ? std::string_view() : std::string_view(reinterpret_cast<const char*>(data), size);
}

std::string_view TakeLine(std::string_view& text) {
    std::size_t lineFeed = text.find('\n');
    std::string_view line = text.substr(0, lineFeed);
    text.remove_prefix(lineFeed == std::string_view::npos ? text.size() : lineFeed + 1);
    return line;
}

ScratchFile::ScratchFile(std::string_view suffix) {
    const char* folder = std::getenv("TMPDIR");
    std::string pattern =
        std::string(folder != nullptr && *folder != '\0' ? folder : "/tmp") + "/pellaquin-fuzz-XXXXXX";
    pattern.append(suffix);
    int descriptor = ::mkstemps(pattern.data(), static_cast<int>(suffix.size()));
    if (descriptor < 0) {
        Fail("cannot create the scratch file");
    }
    ::close(descriptor);
    m_path = pattern;
}

ScratchFile::~ScratchFile() {
    ::unlink(m_path.c_str());
}

void ScratchFile::Write(std::string_view bytes) const {
    WriteAt(0, bytes);
}

void ScratchFile::WriteAt(std::int64_t offset, std::string_view bytes) const {
    int descriptor = ::open(m_path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (descriptor < 0) {
        Fail("cannot open the scratch file");
    }
    if (offset > 0 && ::ftruncate(descriptor, offset) != 0) {
        Fail("cannot extend the scratch file");
    }
    WriteWhole(descriptor, bytes, offset);
    ::close(descriptor);
}

} // namespace pellaquin::fuzz
