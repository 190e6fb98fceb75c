#include "records/RecordReader.h"

#include "records/TagVocabulary.h"

namespace pellaquin {

bool RecordReader::ReadGameRecord(InputFile& input, std::string& record, std::string_view startTag) {
    record.clear();
    bool insideRecord = false;
    std::string_view piece;
    for (;;) {
        std::int64_t pieceStart = input.Tell();
        if (!input.ReadPiece(piece)) {
            return false;
        }
        if (piece.find(startTag) != std::string_view::npos) {
            // A second start tag before the end tag does not begin a new record: both games stay in
            // one, and the later start is remembered.
            m_lastStartPosition = pieceStart;
            insideRecord = true;
            record.append(piece);
        } else if (insideRecord) {
            record.append(piece);
        }
        if (insideRecord && piece.find(RECORD_END_TAG) != std::string_view::npos) {
            return true;
        }
    }
}

bool RecordReader::RereadGameRecord(InputFile& input, std::string& record, std::string_view startTag) {
    std::int64_t position = m_currentIndex >= 0 && m_currentIndex < POSITION_COUNT ? m_positions[m_currentIndex] : 0;
    input.Seek(position);
    return ReadGameRecord(input, record, startTag);
}

bool RecordReader::ChooseFile(FileDialogRequest::Kind kind, std::string& path, const std::vector<FileFilter>& filters,
                              std::string_view defaultExtension) {
    FileDialogRequest request;
    request.kind = kind;
    request.title = m_dialogTitle;
    request.filters = filters;
    request.defaultExtension = std::string(defaultExtension);
    request.initialPath = path;
    std::optional<std::string> chosen = ShowFileDialog(request);
    if (!chosen) {
        return false;
    }
    path = std::move(*chosen);
    return true;
}

bool RecordReader::ChooseOpenFile(std::string& path, const std::vector<FileFilter>& filters,
                                  std::string_view defaultExtension) {
    return ChooseFile(FileDialogRequest::Kind::OPEN, path, filters, defaultExtension);
}

bool RecordReader::ChooseSaveFile(std::string& path, const std::vector<FileFilter>& filters,
                                  std::string_view defaultExtension) {
    return ChooseFile(FileDialogRequest::Kind::SAVE, path, filters, defaultExtension);
}

void RewindInput(InputFile& input) { input.Seek(0); }

void ReadRemainingText(InputFile& input, std::string& text) {
    text.clear();
    std::string_view piece;
    while (input.ReadPiece(piece)) {
        text.append(piece);
    }
}

InputFormat DetectInputFormat(InputFile& input, std::string& header) {
    RewindInput(input);
    std::string_view piece;
    for (;;) {
        std::int64_t pieceStart = input.Tell();
        if (!input.ReadPiece(piece)) {
            return FORMAT_UNKNOWN;
        }
        InputFormat format = FORMAT_UNKNOWN;
        if (piece.find(TagVocabulary::GameStartTag(FORMAT_LISTXML)) != std::string_view::npos) {
            format = FORMAT_LISTXML;
        } else if (piece.find(TagVocabulary::GameStartTag(FORMAT_CONTROLS)) != std::string_view::npos) {
            format = FORMAT_CONTROLS;
        } else if (piece.find(MERGED_FILE_MARKER) != std::string_view::npos) {
            format = FORMAT_MERGED;
        }
        if (format != FORMAT_UNKNOWN) {
            // Going back to the deciding piece itself keeps the first game whole, however long its
            // start line is.
            input.Seek(pieceStart);
            input.SetFormat(format);
            return format;
        }
        header.append(piece);
    }
}

} // namespace pellaquin
