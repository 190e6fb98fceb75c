#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace pellaquin::fuzz {

// Stops the run with `what` on standard error, so libFuzzer keeps the input as a crash.
[[noreturn]] void Fail(std::string_view what);

// The fuzzer's bytes as text.
std::string_view AsText(const std::uint8_t* data, std::size_t size);

// Takes from `text` everything up to its first line feed (which is dropped); all of it when it has none.
std::string_view TakeLine(std::string_view& text);

// One file per process under the temporary folder, rewritten for every input and removed at exit.
class ScratchFile {
public:
    explicit ScratchFile(std::string_view suffix);
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    // Replaces the file's content with `bytes`.
    void Write(std::string_view bytes) const;
    // Makes the file hold `bytes` after `offset` zero bytes that take no disk space.
    void WriteAt(std::int64_t offset, std::string_view bytes) const;
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace pellaquin::fuzz
