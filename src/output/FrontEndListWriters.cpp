#include "output/ByteSink.h"
#include "output/ExportFields.h"
#include "output/ExportText.h"
#include "output/GameScanner.h"
#include "output/ParentCategories.h"
#include "records/ByteText.h"

#include <filesystem>
#include <system_error>

#include <nlohmann/json.hpp>

namespace pellaquin {

namespace {

// Attract-Mode's romlist header, the fields its reader takes, in order.
constexpr std::string_view ATTRACT_HEADER = "#Name;Title;Emulator;CloneOf;Year;Manufacturer;Category;Players;Rotation;"
                                            "Control;Status;DisplayCount;DisplayType;AltRomname;AltTitle;Extra;"
                                            "Buttons;Series;Language;Region;Rating\n";

// RetroArch's playlist of MAME sets, whose database holds MAME's descriptions.
constexpr std::string_view RETROARCH_DATABASE = "MAME.lpl";
// What RetroArch's own scanner writes for an arcade set, whose zip no CRC stands for.
constexpr std::string_view RETROARCH_NO_CRC = "00000000|crc";

// Takes away the comma the first write that begins with one begins with: every playlist entry is
// written after a comma, since the thread that writes it cannot tell whether it is the first.
class FirstCommaDroppingSink : public ByteSink {
public:
    explicit FirstCommaDroppingSink(ByteSink& target) : m_target(target) {}

    bool Write(std::string_view bytes) override {
        if (!m_dropped && bytes.starts_with(',')) {
            m_dropped = true;
            bytes.remove_prefix(1);
        }
        return m_target.Write(bytes);
    }
    bool WriteAt(std::int64_t, std::string_view) override { return false; }

private:
    ByteSink& m_target;
    bool m_dropped = false;
};

std::string Json(const nlohmann::ordered_json& value) {
    return value.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

void AppendXmlElement(std::string& out, std::string_view name, std::string_view text) {
    if (text.empty()) {
        return;
    }
    out.append("\t\t<").append(name).push_back('>');
    AppendXmlEscaped(out, text);
    out.append("</").append(name).append(">\n");
}

void AppendPegasusValue(std::string& out, std::string_view key, std::string_view value) {
    std::string line;
    AppendLineValue(line, value);
    if (!line.empty()) {
        out.append(key).append(": ").append(line).push_back('\n');
    }
}

} // namespace

ListResult GameScanner::WriteAttractList(const ListRequest& request, ByteSink& sink) {
    ExportFrame frame{std::string(ATTRACT_HEADER), "", ExportFrame::Scope::STARTABLE_ONLY};
    const ParentCategories categories = ParentCategories::Read(m_input);
    return WriteExport(request, sink, frame, [&] {
        // controls.xml says nothing of screens: its games have no display count rather than none.
        bool screens = m_input.Format() != FORMAT_CONTROLS;
        return [&, screens, scratch = std::string()](const RecordStructure& game, std::string& out) mutable {
            auto field = [&](std::string_view text) {
                AppendAttractField(out, text);
                out.push_back(';');
            };
            field(game.name);
            field(Title(game));
            field(request.exports.emulator);
            field(game.cloneof);
            field(game.year);
            field(game.manufacturer);
            field(categories.Of(game));
            field(PlayersText(game));
            field(game.rotate);
            scratch.clear();
            AppendControlsText(scratch, game);
            field(scratch);
            field(game.driverStatus);
            field(screens ? std::to_string(game.displayCount) : std::string());
            field(game.displayType);
            field(game.romof);
            field({}); // AltTitle: software lists only
            scratch.assign(game.disks.empty() ? "" : "chd");
            scratch.append(game.isMechanical ? (scratch.empty() ? "mechanical" : ",mechanical") : "");
            field(scratch);
            field(ButtonCount(game));
            field(game.Element("series"));
            field(game.Element("languages"));
            field({}); // Region and Rating: no listing or data file gives them
            out.append("\n");
            return true;
        };
    });
}

ListResult GameScanner::WriteGamelist(const ListRequest& request, ByteSink& sink) {
    ExportFrame frame{"<?xml version=\"1.0\"?>\n<gameList>\n", "</gameList>\n", ExportFrame::Scope::STARTABLE_ONLY};
    const ParentCategories categories = ParentCategories::Read(m_input);
    return WriteExport(request, sink, frame, [&] {
        return [&, date = std::string()](const RecordStructure& game, std::string& out) mutable {
            out.append("\t<game>\n");
            AppendXmlElement(out, "path", RomPath(request.exports, game.name));
            AppendXmlElement(out, "name", Title(game));
            std::string_view year = FourDigitYear(game);
            date.assign(year).append(year.empty() ? "" : "0101T000000");
            AppendXmlElement(out, "releasedate", date);
            AppendXmlElement(out, "developer", KnownManufacturer(game));
            AppendXmlElement(out, "publisher", KnownManufacturer(game));
            AppendXmlElement(out, "genre", categories.Of(game));
            AppendXmlElement(out, "players", KnownPlayerCount(game));
            out.append("\t</game>\n");
            return true;
        };
    });
}

ListResult GameScanner::WriteRetroArchPlaylist(const ListRequest& request, ByteSink& sink) {
    ExportOptions options = request.exports;
    if (options.romFolder.empty()) {
        // RetroArch needs whole paths: the sets are beside the playlist.
        std::error_code error;
        options.romFolder =
            request.listFolder.empty() ? std::filesystem::current_path(error).string() : request.listFolder;
    }
    auto defaultCore = [](const std::string& core) { return core == "DETECT" ? std::string() : core; };
    std::string head = Json(nlohmann::ordered_json{
        {"version", "1.5"},
        {"default_core_path", defaultCore(options.corePath)},
        {"default_core_name", defaultCore(options.coreName)},
        {"label_display_mode", 0},
        {"right_thumbnail_mode", 0},
        {"left_thumbnail_mode", 0},
        {"sort_mode", 0},
    });
    // The entries go inside the object, as its last member.
    head.resize(head.size() - 2);
    head.append(",\n  \"items\": [");
    ExportFrame frame{head, "\n  ]\n}\n", ExportFrame::Scope::STARTABLE_ONLY};
    FirstCommaDroppingSink entries(sink);
    return WriteExport(request, entries, frame, [&] {
        return [&](const RecordStructure& game, std::string& out) {
            std::string entry = Json(nlohmann::ordered_json{
                {"path", RomPath(options, game.name)},
                {"label", std::string(Title(game))},
                {"core_path", options.corePath},
                {"core_name", options.coreName},
                {"crc32", std::string(RETROARCH_NO_CRC)},
                {"db_name", std::string(RETROARCH_DATABASE)},
            });
            // Two levels deeper than a value of its own.
            ReplaceAll(entry, "\n", "\n    ");
            out.append(",\n    ").append(entry);
            return true;
        };
    });
}

ListResult GameScanner::WritePegasusList(const ListRequest& request, ByteSink& sink) {
    ExportFrame frame{{}, {}, ExportFrame::Scope::STARTABLE_ONLY};
    AppendPegasusValue(frame.head, "collection", request.exports.collection);
    AppendPegasusValue(frame.head, "launch", request.exports.launch);
    const ParentCategories categories = ParentCategories::Read(m_input);
    return WriteExport(request, sink, frame, [&] {
        return [&](const RecordStructure& game, std::string& out) {
            out.push_back('\n');
            // Without its "game:" line, Pegasus would add the entry's keys to the game before it.
            AppendPegasusValue(out, "game", Title(game));
            AppendPegasusValue(out, "file", RomPath(request.exports, game.name));
            AppendPegasusValue(out, "developer", KnownManufacturer(game));
            AppendPegasusValue(out, "genre", categories.Of(game));
            AppendPegasusValue(out, "players", KnownPlayerCount(game));
            AppendPegasusValue(out, "release", FourDigitYear(game));
            return true;
        };
    });
}

} // namespace pellaquin
