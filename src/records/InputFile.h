#pragma once

#include "records/InputFormat.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pellaquin {

// A game-list file read as bytes, the way a 200-byte fgets over a text-mode stream reads it:
// a CR directly before a LF is dropped, and lines arrive in pieces of at most 199 bytes.
// Reading goes through a large buffer, so memory stays flat whatever the file's size.
class InputFile {
public:
    // The longest piece one read returns, as a 200-byte line buffer would.
    static constexpr std::size_t MAX_PIECE = 199;

    enum class OpenResult { OK, CANNOT_READ };

    InputFile();
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Opens `path` for reading; a folder or an unreadable file fails. Closes any file open before.
    OpenResult Open(const std::string& path);
    void Close();
    bool IsOpen() const { return m_descriptor >= 0; }

    // The next piece of a line, its line feed kept when the line ends inside it. The view stays
    // valid until the next read or seek. Returns false at the end of the file or on a read error.
    bool ReadPiece(std::string_view& piece);

    // The file position of the next byte to read, counted in the file's own bytes.
    std::int64_t Tell() const { return m_bufferStart + static_cast<std::int64_t>(m_cursor); }
    // Moves to `position` (clamped to the start of the file). Returns false if the seek failed.
    bool Seek(std::int64_t position);

    // Called after each refill of the read buffer with the position reached and the file's size, so a
    // window can show how far a long run has come.
    using ProgressObserver = std::function<void(std::int64_t position, std::int64_t size)>;
    void SetProgressObserver(ProgressObserver observer) { m_progressObserver = std::move(observer); }

    // True once a read failed for another reason than the end of the file.
    bool HadReadError() const { return m_readError; }
    std::int64_t Size() const;

    // The format the last successful detection settled; FORMAT_UNKNOWN until then.
    InputFormat Format() const { return m_format; }
    void SetFormat(InputFormat format) { m_format = format; }

private:
    // Makes at least `wanted` bytes available after the cursor, unless the file ends first.
    void Fill(std::size_t wanted);

    int m_descriptor = -1;
    std::vector<char> m_buffer;
    std::string m_translatedPiece;
    std::size_t m_cursor = 0;
    std::size_t m_end = 0;
    std::int64_t m_bufferStart = 0;
    bool m_atEndOfFile = false;
    bool m_readError = false;
    InputFormat m_format = FORMAT_UNKNOWN;
    ProgressObserver m_progressObserver;
};

} // namespace pellaquin
