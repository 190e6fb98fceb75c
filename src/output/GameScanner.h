#pragma once

#include "output/GameBatches.h"
#include "output/ListRequest.h"
#include "records/InputFile.h"
#include "records/RecordReader.h"
#include "search/MatchGame.h"
#include "search/RecordStructure.h"

#include <functional>
#include <string>
#include <string_view>

namespace pellaquin {

class ByteSink;
class GameSelection;

// Runs the list writers over one input file. Each writer reads the file from its first byte, writes
// to `sink` the list of the games the request's search command matches (double quotes already
// removed) and returns how many games it wrote; its status is WRITE_FAILED when a write to the sink
// failed. The input's read errors are its caller's to judge.
class GameScanner {
public:
    // Writes the lists of `input`; with a `selection`, only of the sets it keeps.
    explicit GameScanner(InputFile& input, const GameSelection* selection = nullptr)
        : m_input(input), m_selection(selection) {}

    // The search language, for a game record; true rejects the game.
    static bool MatchGame(std::string_view record, std::string_view command) {
        return pellaquin::MatchGame(record, command);
    }
    static bool MatchTerm(std::string_view preparedRecord, std::string_view term) {
        return pellaquin::MatchTerm(preparedRecord, term);
    }

    // The header lines of the input, each kept game's record as it stands, then the format's closing tag.
    ListResult WriteXmlList(const ListRequest& request, ByteSink& sink);
    // The batch template with "%ROM%" replaced by the game's name, a line per kept game.
    ListResult WriteBatchList(const ListRequest& request, ByteSink& sink);
    ListResult WriteDescriptionList(const ListRequest& request, ByteSink& sink);
    ListResult WriteNameList(const ListRequest& request, ByteSink& sink);
    // The command is the column list: every game with a non-empty line of values is written, unsearched.
    ListResult WriteCsvList(const ListRequest& request, ByteSink& sink);
    // The MaLa game list file; the sink must take WriteAt for the game count patched in at the end.
    ListResult WriteMalaList(const ListRequest& request, ByteSink& sink);

    // The lists for front-ends and ROM managers, with the request's export
    // options. They read each matching record's structure, write text that is UTF-8 whatever the
    // input's bytes, and say in the result when some had to be replaced.

    // The front-end lists hold the matching sets a front-end can start; the others are counted in
    // the result's leftOut. An Attract-Mode romlist (its 21-field header, a line per set):
    ListResult WriteAttractList(const ListRequest& request, ByteSink& sink);
    // An EmulationStation gamelist.xml:
    ListResult WriteGamelist(const ListRequest& request, ByteSink& sink);
    // A RetroArch playlist (the JSON form of RetroArch 1.7.5 and later):
    ListResult WriteRetroArchPlaylist(const ListRequest& request, ByteSink& sink);
    // A Pegasus metadata file, one collection:
    ListResult WritePegasusList(const ListRequest& request, ByteSink& sink);
    // A Logiqx DAT of the matching sets, then every other set they need to be whole: the romof chain
    // (parents, BIOS sets) and the devices with ROMs they refer to, recursively; each part in the
    // listing's order. The input is read twice. INPUT_HOLDS_NO_ROMS for controls.xml.
    ListResult WriteDat(const ListRequest& request, ByteSink& sink);
    // An RFC 4180 table of the matching sets: a header row of the requested fields, a row per set.
    ListResult WriteTable(const ListRequest& request, ByteSink& sink);
    // A folder ini for MAME's UI: one folder holding the matching sets.
    ListResult WriteMameIni(const ListRequest& request, ByteSink& sink);

    // True once a writer met games that share a line, which it cannot tell apart.
    bool MetSharedLines() const { return m_reader.m_sharedLine; }

private:
    // Whether the game of `record` belongs in the request's list: every writer that searches asks here.
    bool Selects(std::string_view record, const ListRequest& request) const;
    // Whether the set steps keep the game of `record`; the CSV list, which does not search, asks here.
    bool Keeps(std::string_view record) const;

    // Appends what one matching game contributes to a list.
    using GameFormat = std::function<void(std::string_view record, std::string& out)>;
    enum class HeaderText { KEEP, DROP };

    // The scan every writer runs: detection (its header text written to `sink` or dropped), then each
    // record handed to a GameWork, whose texts go to `sink` in file order. `makeWork` is called once for
    // each thread the work is shared with.
    ListResult WriteGames(ByteSink& sink, HeaderText header, const std::function<GameWork()>& makeWork);
    // The same for the games the request's search command matches, each formatted by a GameFormat.
    ListResult WriteMatchingGames(const ListRequest& request, ByteSink& sink, HeaderText header,
                                  const std::function<GameFormat()>& makeFormat);

    // What an export makes of the structure of one game it keeps: appends its text, returns whether
    // it counts as written.
    using GameExport = std::function<bool(const RecordStructure& game, std::string& out)>;
    // How an export runs: the text before and after its games, which games it keeps, how much of
    // each record it reads.
    struct ExportFrame {
        std::string head;
        std::string tail;
        enum class Scope { EVERY_MATCH, STARTABLE_ONLY } scope = Scope::EVERY_MATCH;
        RecordPart part = RecordPart::WHOLE;
    };

    // The scan of an export: every record the request selects is read into its structure on the
    // thread that works on its batch and handed to a GameExport. With STARTABLE_ONLY, the games no
    // front-end starts are counted instead.
    ListResult WriteExport(const ListRequest& request, ByteSink& sink, const ExportFrame& frame,
                           const std::function<GameExport()>& makeExport);

    InputFile& m_input;
    const GameSelection* m_selection;
    RecordReader m_reader;
};

} // namespace pellaquin
