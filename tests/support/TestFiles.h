#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <string_view>

namespace pellaquin::test {

// The path of a file in tests/data.
std::string DataPath(std::string_view name);

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // Writes `bytes` to `name` in the folder and returns its path.
    std::string Write(std::string_view name, std::string_view bytes) const;

private:
    std::filesystem::path m_path;
};

// The whole content of a file, or an empty text when it cannot be read.
std::string ReadWholeFile(const std::string& path);

// The names of the entries of `folder`.
std::set<std::string> FolderNames(const std::filesystem::path& folder);

} // namespace pellaquin::test
