#include "records/InputFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pellaquin {

namespace {

// A piece of 199 kept bytes may be followed by a CR LF pair that must be seen whole.
constexpr std::size_t LOOKAHEAD = InputFile::MAX_PIECE + 2;

} // namespace

InputFile::InputFile() = default;

InputFile::~InputFile() {
    Close();
}

InputFile::OpenResult InputFile::Open(const std::string& path) {
    Close();
    int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return OpenResult::CANNOT_READ;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || S_ISDIR(status.st_mode)) {
        ::close(descriptor);
        return OpenResult::CANNOT_READ;
    }
    m_descriptor = descriptor;
    m_buffer.resize(BUFFER_SIZE);
    m_cursor = m_end = 0;
    m_bufferStart = m_pieceOrigin = 0;
    m_atEndOfFile = m_readError = false;
    m_format = FORMAT_UNKNOWN;
    m_element = RecordElement::GAME;
    return OpenResult::OK;
}

void InputFile::Close() {
    if (m_descriptor >= 0) {
        ::close(m_descriptor);
        m_descriptor = -1;
    }
    m_buffer.clear();
    m_buffer.shrink_to_fit();
    m_cursor = m_end = 0;
    m_bufferStart = 0;
}

std::int64_t InputFile::Size() const {
    struct stat status {};
    if (m_descriptor < 0 || ::fstat(m_descriptor, &status) != 0) {
        return 0;
    }
    return status.st_size;
}

bool InputFile::Seek(std::int64_t position) {
    if (m_descriptor < 0) {
        return false;
    }
    position = std::max<std::int64_t>(position, 0);
    std::int64_t bufferEnd = m_bufferStart + static_cast<std::int64_t>(m_end);
    // Stepping back within what is already read costs nothing; browsing and detection do it often.
    // After a read error the buffer ends where the error struck, so the disk is asked again.
    if (!m_readError && position >= m_bufferStart && position <= bufferEnd) {
        m_cursor = static_cast<std::size_t>(position - m_bufferStart);
        m_pieceOrigin = position;
        return true;
    }
    if (::lseek(m_descriptor, position, SEEK_SET) < 0) {
        return false;
    }
    m_bufferStart = position;
    m_pieceOrigin = position;
    m_cursor = m_end = 0;
    // A read error is forgotten until it comes again: a dropped share that is back gives the next
    // run a whole list.
    m_atEndOfFile = m_readError = false;
    return true;
}

void InputFile::Fill(std::size_t wanted) {
    if (m_end - m_cursor >= wanted || m_atEndOfFile) {
        return;
    }
    if (m_cursor > 0) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_cursor, m_end - m_cursor);
        m_bufferStart += static_cast<std::int64_t>(m_cursor);
        m_end -= m_cursor;
        m_cursor = 0;
    }
    if (wanted > m_buffer.size()) {
        // A reader that needs a whole record in view gets room for it; records are rarely large.
        m_buffer.resize(std::max(wanted, m_buffer.size() * 2));
    }
    while (m_end < wanted) {
        ssize_t count = ::read(m_descriptor, m_buffer.data() + m_end, m_buffer.size() - m_end);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            m_readError = m_readError || count < 0;
            m_atEndOfFile = true;
            break;
        }
        m_end += static_cast<std::size_t>(count);
    }
    if (m_progressObserver) {
        m_progressObserver(m_bufferStart + static_cast<std::int64_t>(m_end), Size());
    }
}

bool InputFile::ReadPiece(std::string_view& piece) {
    if (m_descriptor < 0) {
        return false;
    }
    Fill(LOOKAHEAD);
    std::size_t available = m_end - m_cursor;
    if (available == 0) {
        return false;
    }
    char* start = m_buffer.data() + m_cursor;
    std::size_t window = std::min(available, LOOKAHEAD);
    auto* lineFeed = static_cast<char*>(std::memchr(start, '\n', window));
    if (lineFeed != nullptr) {
        std::size_t rawLength = static_cast<std::size_t>(lineFeed - start);
        bool carriageReturn = rawLength > 0 && lineFeed[-1] == '\r';
        std::size_t kept = rawLength - (carriageReturn ? 1 : 0);
        if (kept < MAX_PIECE) {
            m_cursor += rawLength + 1;
            m_pieceOrigin = Tell();
            if (carriageReturn) {
                // The buffer must keep the file's own bytes for a later seek back, so the
                // translated piece is put together aside.
                m_translatedPiece.assign(start, kept);
                m_translatedPiece.push_back('\n');
                piece = m_translatedPiece;
            } else {
                piece = std::string_view(start, kept + 1);
            }
            return true;
        }
    }
    // Either no line feed near, or the line is too long: at most 199 kept bytes, and none of
    // them can be a dropped CR because a CR is dropped only right before a LF.
    std::size_t length = std::min(available, MAX_PIECE);
    m_cursor += length;
    piece = std::string_view(start, length);
    return true;
}

std::string_view InputFile::Buffered(std::size_t wanted) {
    if (m_descriptor < 0) {
        return {};
    }
    Fill(wanted);
    return std::string_view(m_buffer.data() + m_cursor, m_end - m_cursor);
}

std::size_t InputFile::PieceStart(std::size_t offset) const {
    const char* start = m_buffer.data() + m_cursor;
    const auto* lineFeed = static_cast<const char*>(::memrchr(start, '\n', offset));
    std::int64_t lineStart = lineFeed != nullptr ? Tell() + (lineFeed - start) + 1 : m_pieceOrigin;
    std::int64_t position = Tell() + static_cast<std::int64_t>(offset);
    std::int64_t pieceStart = position - (position - lineStart) % static_cast<std::int64_t>(MAX_PIECE);
    return static_cast<std::size_t>(pieceStart - Tell());
}

std::size_t InputFile::PieceEnd(std::size_t offset) {
    std::string_view bytes = Buffered(offset + LOOKAHEAD);
    std::size_t window = std::min(bytes.size() - offset, LOOKAHEAD);
    const auto* start = bytes.data() + offset;
    const auto* lineFeed = static_cast<const char*>(std::memchr(start, '\n', window));
    if (lineFeed != nullptr) {
        auto rawLength = static_cast<std::size_t>(lineFeed - start);
        std::size_t kept = rawLength - (rawLength > 0 && lineFeed[-1] == '\r' ? 1 : 0);
        if (kept < MAX_PIECE) {
            return offset + rawLength + 1;
        }
    }
    return offset + std::min(window, MAX_PIECE);
}

void InputFile::Skip(std::size_t count) {
    const char* start = m_buffer.data() + m_cursor;
    const auto* lineFeed = static_cast<const char*>(::memrchr(start, '\n', count));
    if (lineFeed != nullptr) {
        m_pieceOrigin = Tell() + (lineFeed - start) + 1;
    }
    m_cursor += count;
}

} // namespace pellaquin
