#pragma once

#include "records/InputFormat.h"
#include "records/TagVocabulary.h"

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
    // How much is read from the disk at once.
    static constexpr std::size_t BUFFER_SIZE = 1 << 20;

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

    // Bulk reading, for readers that look for texts across many pieces at once. Offsets count the
    // file's own bytes from the read position, which is always the start of a piece.

    // The buffered bytes from the read position on, as they stand in the file (CRs kept), after
    // making at least `wanted` of them available unless the file ends first. Valid until the next
    // call that reads, seeks or skips.
    std::string_view Buffered(std::size_t wanted);
    // True when Buffered holds everything up to the end of the file.
    bool BufferedToEnd() const { return m_atEndOfFile; }
    // The start of the piece that holds the byte at `offset` (which must be buffered).
    std::size_t PieceStart(std::size_t offset) const;
    // Where the piece that starts at `offset` ends, as ReadPiece would cut it.
    std::size_t PieceEnd(std::size_t offset);
    // Moves the read position `count` bytes on, to the start of a piece.
    void Skip(std::size_t count);

    // The file position of the next byte to read, counted in the file's own bytes.
    std::int64_t Tell() const { return m_bufferStart + static_cast<std::int64_t>(m_cursor); }
    // Moves to `position` (clamped to the start of the file). Returns false if the seek failed.
    bool Seek(std::int64_t position);

    // Called after each refill of the read buffer with the position reached and the file's size, so a
    // window can show how far a long run has come.
    using ProgressObserver = std::function<void(std::int64_t position, std::int64_t size)>;
    void SetProgressObserver(ProgressObserver observer) { m_progressObserver = std::move(observer); }

    // True once a read failed for another reason than the end of the file, until the next Open or
    // Seek.
    bool HadReadError() const { return m_readError; }
    std::int64_t Size() const;

    // The format the last successful detection settled; FORMAT_UNKNOWN until then.
    InputFormat Format() const { return m_format; }
    void SetFormat(InputFormat format) { m_format = format; }
    // The element the records are, settled with the format.
    RecordElement Element() const { return m_element; }
    void SetElement(RecordElement element) { m_element = element; }
    // The tag its records start with, by the settled format and element.
    std::string_view GameStartTag() const { return TagVocabulary::GameStartTag(m_format, m_element); }

private:
    // Makes at least `wanted` bytes available after the cursor, unless the file ends first.
    void Fill(std::size_t wanted);

    int m_descriptor = -1;
    std::vector<char> m_buffer;
    std::string m_translatedPiece;
    std::size_t m_cursor = 0;
    std::size_t m_end = 0;
    std::int64_t m_bufferStart = 0;
    // Where the cutting of the current line into pieces began: just after its line feed, or where
    // reading was moved to.
    std::int64_t m_pieceOrigin = 0;
    bool m_atEndOfFile = false;
    bool m_readError = false;
    InputFormat m_format = FORMAT_UNKNOWN;
    RecordElement m_element = RecordElement::GAME;
    ProgressObserver m_progressObserver;
};

} // namespace pellaquin
