#include "roms/SetCopier.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <utility>

namespace pellaquin {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t CHUNK = 1 << 20;

// A file descriptor closed when it goes.
class Descriptor {
public:
    explicit Descriptor(int descriptor) : m_descriptor(descriptor) {}
    ~Descriptor() {
        if (m_descriptor >= 0) {
            close(m_descriptor);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return m_descriptor; }
    // Closes it now; false when the close reports a failed write.
    bool Close() {
        int descriptor = m_descriptor;
        m_descriptor = -1;
        return close(descriptor) == 0;
    }

private:
    int m_descriptor;
};

std::string ErrorText() {
    return std::strerror(errno);
}

// What the copy plans for each file of the containers: sources and their places in the target.
struct Plan {
    std::vector<std::string> folders; // target folders to make, outer ones first
    std::vector<CopiedFile> files;
};

// A file to copy; one with a problem already failed.
CopiedFile PlannedFile(const fs::path& source, const fs::path& target, std::uint64_t bytes, std::string problem) {
    CopiedFile file;
    file.source = source.string();
    file.target = target.string();
    file.bytes = bytes;
    file.outcome = problem.empty() ? CopyOutcome::COPIED : CopyOutcome::FAILED;
    file.problem = std::move(problem);
    return file;
}

void PlanFolder(const fs::path& source, const fs::path& target, Plan& plan) {
    plan.folders.push_back(target.string());
    std::error_code error;
    fs::recursive_directory_iterator entries(source, error);
    for (; !error && entries != fs::recursive_directory_iterator(); entries.increment(error)) {
        const fs::directory_entry& entry = *entries;
        fs::path place = target / fs::relative(entry.path(), source, error);
        std::error_code kindError;
        if (entry.is_directory(kindError) && !entry.is_symlink(kindError)) {
            plan.folders.push_back(place.string());
        } else if (entry.is_regular_file(kindError)) {
            std::uint64_t bytes = entry.file_size(kindError);
            plan.files.push_back(PlannedFile(entry.path(), place, bytes, kindError ? kindError.message() : ""));
        } else {
            plan.files.push_back(
                PlannedFile(entry.path(), place, 0,
                            kindError ? kindError.message() : "not a file: a link to a folder, a device or a pipe"));
        }
    }
    if (error) {
        plan.files.push_back(PlannedFile(source, target, 0, error.message()));
    }
}

Plan MakePlan(const RomCatalog& catalog, const RomFolders& folders, const std::vector<std::string>& names,
              const fs::path& target) {
    Plan plan;
    for (const std::string& set : catalog.SetsToRun(names)) {
        std::array<bool, 3> taken{};
        for (const Container& container : folders.ContainersOf(set)) {
            if (std::exchange(taken[static_cast<std::size_t>(container.kind)], true)) {
                continue;
            }
            fs::path source(container.path);
            fs::path place = target / source.filename();
            if (container.kind == ContainerKind::FOLDER) {
                PlanFolder(source, place, plan);
                continue;
            }
            std::error_code error;
            std::uint64_t bytes = fs::file_size(source, error);
            plan.files.push_back(PlannedFile(source, place, bytes, error ? error.message() : ""));
        }
    }
    return plan;
}

bool SameBytes(const std::string& first, const std::string& second) {
    Descriptor a(open(first.c_str(), O_RDONLY | O_CLOEXEC));
    Descriptor b(open(second.c_str(), O_RDONLY | O_CLOEXEC));
    if (a.Get() < 0 || b.Get() < 0) {
        return false;
    }
    std::string bufferA(CHUNK, '\0');
    std::string bufferB(CHUNK, '\0');
    while (true) {
        ssize_t countA = read(a.Get(), bufferA.data(), bufferA.size());
        ssize_t countB = read(b.Get(), bufferB.data(), bufferB.size());
        if (countA != countB || countA < 0) {
            return false;
        }
        if (countA == 0) {
            return true;
        }
        if (std::memcmp(bufferA.data(), bufferB.data(), static_cast<std::size_t>(countA)) != 0) {
            return false;
        }
    }
}

// What the target holds in the file's place already, and so what becomes of the file.
CopyOutcome Compare(CopiedFile& file, const CopyOptions& options) {
    struct stat place {};
    if (lstat(file.target.c_str(), &place) != 0) {
        if (errno == ENOENT) {
            return CopyOutcome::COPIED;
        }
        file.problem = ErrorText();
        return CopyOutcome::FAILED;
    }
    struct stat source {};
    struct stat reached {};
    bool reachable = stat(file.target.c_str(), &reached) == 0;
    if (stat(file.source.c_str(), &source) != 0) {
        file.problem = ErrorText();
        return CopyOutcome::FAILED;
    }
    if (reachable && reached.st_dev == source.st_dev && reached.st_ino == source.st_ino) {
        return CopyOutcome::IDENTICAL;
    }
    if (S_ISDIR(place.st_mode)) {
        file.problem = "a folder stands in its place";
        return CopyOutcome::FAILED;
    }
    if (reachable && S_ISREG(reached.st_mode) && reached.st_size == source.st_size &&
        SameBytes(file.source, file.target)) {
        return CopyOutcome::IDENTICAL;
    }
    return options.replace ? CopyOutcome::REPLACED : CopyOutcome::REFUSED;
}

enum class Written { WHOLE, FAILED, STOPPED };

// Writes each file's bytes, or a link to it, under a temporary name beside its place, then renames it
// there; a failure or a stop removes the temporary file, so only whole files ever stand in the target.
class FileWriter {
public:
    FileWriter(const CopyOptions& options, const WorkProgress& progress, std::uint64_t total)
        : m_options(options), m_progress(progress), m_total(total) {}

    // Asks the progress whether to go on, with the bytes written so far.
    bool KeepGoing() const { return !m_progress || m_progress(m_done, m_total); }

    Written Write(CopiedFile& file) {
        fs::path place(file.target);
        std::string temporary = (place.parent_path() / ("." + place.filename().string() + ".pellaquin-")).string();
        Written written = m_options.link == LinkKind::NONE ? WriteCopy(file, temporary) : WriteLink(file, temporary);
        if (written == Written::WHOLE && rename(temporary.c_str(), file.target.c_str()) != 0) {
            file.problem = ErrorText();
            written = Written::FAILED;
        }
        if (written != Written::WHOLE && !temporary.empty()) {
            unlink(temporary.c_str());
        }
        m_done += written == Written::WHOLE && m_options.link != LinkKind::NONE ? file.bytes : 0;
        return written;
    }

private:
    // `temporary` comes in as the temporary name's start and goes out as the file made, or empty.
    Written WriteCopy(CopiedFile& file, std::string& temporary) {
        Descriptor source(open(file.source.c_str(), O_RDONLY | O_CLOEXEC));
        struct stat status {};
        temporary += "XXXXXX";
        Descriptor copy(source.Get() >= 0 && fstat(source.Get(), &status) == 0 ? mkostemp(temporary.data(), O_CLOEXEC)
                                                                               : -1);
        if (copy.Get() < 0) {
            file.problem = ErrorText();
            temporary.clear();
            return Written::FAILED;
        }
        fchmod(copy.Get(), status.st_mode & 0777);
        std::string buffer(CHUNK, '\0');
        ssize_t count = 0;
        while ((count = read(source.Get(), buffer.data(), buffer.size())) > 0) {
            if (!WriteAll(copy.Get(), std::string_view(buffer.data(), static_cast<std::size_t>(count)))) {
                break;
            }
            m_done += static_cast<std::uint64_t>(count);
            if (!KeepGoing()) {
                file.problem = "stopped before it was whole";
                return Written::STOPPED;
            }
        }
        if (count != 0 || !copy.Close()) {
            file.problem = ErrorText();
            return Written::FAILED;
        }
        return Written::WHOLE;
    }

    Written WriteLink(CopiedFile& file, std::string& temporary) {
        std::string base = temporary + std::to_string(getpid()) + "-";
        std::string source = fs::absolute(file.source).string();
        for (int attempt = 0; attempt < 100; ++attempt) {
            temporary = base + std::to_string(m_linkCount++);
            int result = m_options.link == LinkKind::HARD
                             ? linkat(AT_FDCWD, source.c_str(), AT_FDCWD, temporary.c_str(), AT_SYMLINK_FOLLOW)
                             : symlink(source.c_str(), temporary.c_str());
            if (result == 0) {
                return Written::WHOLE;
            }
            if (errno != EEXIST) {
                file.problem = errno == EXDEV ? "a hard link cannot reach another file system" : ErrorText();
                break;
            }
        }
        temporary.clear();
        file.problem = file.problem.empty() ? "no free temporary name" : file.problem;
        return Written::FAILED;
    }

    static bool WriteAll(int descriptor, std::string_view bytes) {
        while (!bytes.empty()) {
            ssize_t written = write(descriptor, bytes.data(), bytes.size());
            if (written < 0 && errno != EINTR) {
                return false;
            }
            bytes.remove_prefix(written < 0 ? 0 : static_cast<std::size_t>(written));
        }
        return true;
    }

    const CopyOptions& m_options;
    const WorkProgress& m_progress;
    std::uint64_t m_total;
    std::uint64_t m_done = 0;
    std::uint64_t m_linkCount = 0;
};

} // namespace

CopyReport CopySets(const RomCatalog& catalog, const RomFolders& folders, const std::vector<std::string>& names,
                    const CopyOptions& options, const WorkProgress& progress) {
    CopyReport report;
    Plan plan = MakePlan(catalog, folders, names, fs::path(options.target));
    std::uint64_t total = 0;
    for (CopiedFile& file : plan.files) {
        if (file.outcome != CopyOutcome::FAILED) {
            file.outcome = Compare(file, options);
        }
        if (file.outcome == CopyOutcome::COPIED || file.outcome == CopyOutcome::REPLACED) {
            total += file.bytes;
        }
    }
    if (options.dryRun) {
        report.files = std::move(plan.files);
        report.bytes = total;
        return report;
    }
    std::error_code error;
    fs::create_directories(options.target, error);
    for (const std::string& folder : plan.folders) {
        fs::create_directories(folder, error);
    }
    FileWriter writer(options, progress, total);
    for (CopiedFile& file : plan.files) {
        bool toWrite = file.outcome == CopyOutcome::COPIED || file.outcome == CopyOutcome::REPLACED;
        if (toWrite && !writer.KeepGoing()) {
            report.stopped = true;
            return report;
        }
        Written written = toWrite ? writer.Write(file) : Written::WHOLE;
        if (written != Written::WHOLE) {
            file.outcome = CopyOutcome::FAILED;
        } else if (toWrite) {
            report.bytes += file.bytes;
        }
        report.files.push_back(std::move(file));
        if (written == Written::STOPPED) {
            report.stopped = true;
            return report;
        }
    }
    writer.KeepGoing();
    return report;
}

} // namespace pellaquin
