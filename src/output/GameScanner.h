#pragma once

#include "records/InputFile.h"
#include "records/RecordReader.h"
#include "search/FieldExtractor.h"
#include "search/MatchGame.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace pellaquin {

class ByteSink;
struct MalaListSettings;

// Runs one list over the input file: holds the search command, the result text, the match count
// and the field separator, and its operations are the search language, field extraction and the
// list writers.
class GameScanner {
public:
    // Evaluates `command` on `record`, both prepared (lowercased, double quotes removed) first.
    // Returns the reject flag: false when the game matches.
    static bool MatchGame(std::string_view record, std::string_view command) {
        return pellaquin::MatchGame(record, command);
    }
    // Tests one term against a prepared record; a leading "!" or "-" negates it. Returns the reject flag.
    static bool MatchTerm(std::string_view preparedRecord, std::string_view term) {
        return pellaquin::MatchTerm(preparedRecord, term);
    }

    // Builds in `line` the values of the keys of `columns` (joined by ","), columns separated by the
    // field separator. Returns true when the line is not empty.
    bool ExtractFields(std::string_view record, std::string_view columns, std::string& line) const {
        return pellaquin::ExtractFields(record, columns, m_fieldSeparator, line);
    }

    // Each writer reads `input` from its first byte, keeps the games the search command matches and
    // leaves the list in m_resultText and the number of games written in m_matchCount.
    void WriteXmlList(InputFile& input);
    void WriteBatchList(InputFile& input, std::string batchTemplate);
    void WriteDescriptionList(InputFile& input);
    void WriteNameList(InputFile& input);
    // Takes m_searchCommand as the column list and writes a line for every game, without a search.
    void WriteCsvList(InputFile& input);
    // Writes the MaLa list to `path`, replacing it only once the list is complete. Returns false,
    // leaving the result text and the match count as they were, when the file cannot be written; a
    // read error in the input also returns false and leaves the file as it was.
    bool WriteMalaList(InputFile& input, const std::string& path, const MalaListSettings& settings);
    // The same list into any sink; false when a write to it failed.
    bool WriteMalaList(InputFile& input, ByteSink& sink, const MalaListSettings& settings);

    std::string m_searchCommand;
    std::string m_resultText;
    std::int32_t m_matchCount = 0;
    // Where the MaLa list's game count sits in its file; 0 while no header is written.
    std::int64_t m_countOffset = 0;
    RecordReader m_reader;
    std::string m_fieldSeparator;
};

} // namespace pellaquin
