#include "cli/CliApp.h"

#include "app/StoredSettings.h"
#include "cli/DataCommands.h"
#include "cli/ListCommand.h"
#include "platform/SamplesFolder.h"
#include "search/WizardChoices.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <optional>
#include <ostream>
#include <set>

namespace pellaquin {

namespace {

constexpr const char* LIST_EXAMPLES = R"(Examples, one per list type:
  pellaquin-cli list --input listxml.xml --type xml --find '!cloneof & rotate=90' --output vertical.xml
  pellaquin-cli list --input listxml.xml --type csv --columns '<description>,<game name=,year,' --delimiter ';'
  pellaquin-cli list --input listxml.xml --type batch --find '!cloneof' --template 'copy %ROM%.png snaps'
  pellaquin-cli list --input listxml.xml --type descriptions --find 'name=cocktail' --window
  pellaquin-cli list --input listxml.xml --type names --find '!cloneof & !emulation=preliminary'
  pellaquin-cli list --input merged.xml --type mala --find '<category>shooter' --title 'Shooters' --output shooters.mlg
  pellaquin-cli list --input listxml.xml --type atomicfe --find '(rotate=90 | rotate=270)' --window
  pellaquin-cli list --input merged.xml --type attract --find '!cloneof' --emulator mame --output romlists/mame.txt
  pellaquin-cli list --input listxml.xml --type emulationstation --find '!cloneof & !emulation=preliminary' --output gamelist.xml
  pellaquin-cli list --input listxml.xml --type retroarch --find '!cloneof' --rom-folder /home/me/roms --output MAME.lpl
  pellaquin-cli list --input merged.xml --type pegasus --find '<category>shooter' --collection Shooters --output metadata.pegasus.txt
  pellaquin-cli list --input listxml.xml --type dat --find '!cloneof & (rotate=90 | rotate=270)' --dat-name Vertical --output vertical.dat
  pellaquin-cli list --input merged.xml --type table --find '!cloneof' --fields 'name,description,year,nplayers' --output games.csv
  pellaquin-cli list --input listxml.xml --type mame-ini --find 'ways=4' --title 'Four ways' --output folders/fourways.ini)";

constexpr const char* SELECTION_HELP = R"(Choosing the games (list and count):
  The search command is that of --find, of --wizard, or both, which must then both hold. --wizard names
  the boxes of the window's Quick-find Wizard that are ticked, starting from none ticked and buttons "any":
)";

constexpr const char* PLACES_HEADING = "Where each list goes, and the paths in it its reader accepts:\n";

// Options whose value may itself begin with "-" or "!", as negated search terms do.
const std::set<std::string, std::less<>> VALUE_OPTIONS = {
    "--input",    "--type",      "--find",      "--columns",     "--delimiter",    "--template",   "--title",
    "--output",   "--listxml",   "--controls",  "--catver",      "--nplayers",     "--ini",        "--mame",
    "--wizard",   "--prefer",    "--available", "--added-since", "--added-before", "--rom-folder", "--rom-extension",
    "--emulator", "--core-path", "--core-name", "--collection",  "--launch",       "--dat-name",   "--fields",
};

// `text` broken at blanks into lines of at most `width` bytes, each after `indent`.
std::string Wrapped(std::string_view text, std::string_view indent, std::size_t width) {
    std::string wrapped;
    std::size_t lineLength = 0;
    while (!text.empty()) {
        std::size_t blank = text.find(' ');
        std::string_view word = text.substr(0, blank);
        if (lineLength > 0 && lineLength + 1 + word.size() > width) {
            wrapped += '\n';
            lineLength = 0;
        }
        wrapped += lineLength == 0 ? std::string(indent) : std::string(" ");
        wrapped += word;
        lineLength += (lineLength == 0 ? 0 : 1) + word.size();
        text.remove_prefix(blank == std::string_view::npos ? text.size() : blank + 1);
    }
    return wrapped;
}

// A line per front-end or ROM manager, its name first, the lines after it indented further.
std::string PlacesHelp() {
    std::string help = PLACES_HEADING;
    for (const auto& [name, text] : ListPlaces()) {
        help += "  " + Wrapped(name + ": " + text, "    ", 100).substr(4) + "\n";
    }
    return help;
}

// The options that choose the games, on the list and count subcommands alike.
CLI::Option* AddSelectionOptions(CLI::App& command, SelectionOptions& options) {
    CLI::Option* input = command.add_option(
        "--input", options.inputPath,
        "Game-list file: MAME's -listxml, controls.xml or a merged file (default: the window's input file)");
    command.add_option("--find", options.find, "Search command; double quotes are removed");
    command.add_option("--wizard", options.wizard, "The wizard's boxes, comma-separated (see below)");
    command.add_option("--available", options.available,
                       "Keep only the sets this folder holds as name.zip, name.7z or a folder (repeatable)");
    command.add_flag("--one-per-title", options.onePerTitle,
                     "Of a parent and its clones, keep one: the first whose description names a preferred word");
    command.add_option("--prefer", options.prefer, "The preferred words of --one-per-title, in order")
        ->capture_default_str();
    command.add_option("--added-since", options.addedSince,
                       "Keep the sets a merged file says were added in this MAME version or later");
    command.add_option("--added-before", options.addedBefore,
                       "Keep the sets a merged file says were added before this MAME version");
    command.add_flag("--verbose", options.verbose, "Print the search command on standard error");
    return input;
}

// Without --input, the input file the window uses, said on `err`; nothing when none is stored.
bool TakeStoredInput(const CLI::Option& input, SelectionOptions& options, std::ostream& err) {
    if (input.count() > 0) {
        return true;
    }
    std::optional<StoredSettings> stored = LoadStoredSettings();
    if (!stored || stored->inputXmlFile.empty()) {
        err << "No input file: give one with --input, or choose one in the window's settings and press \"Set\"\n";
        return false;
    }
    options.inputPath = stored->inputXmlFile;
    err << "Input: " << options.inputPath << '\n';
    return true;
}

// "--find -cloneof" becomes "--find=-cloneof", so the value is never taken for an option.
std::vector<std::string> JoinOptionValues(const std::vector<std::string>& args) {
    std::vector<std::string> joined;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (i > 0 && i + 1 < args.size() && VALUE_OPTIONS.count(args[i]) != 0 && !args[i + 1].empty() &&
            args[i + 1].front() == '-') {
            joined.push_back(args[i] + "=" + args[i + 1]);
            ++i;
        } else {
            joined.push_back(args[i]);
        }
    }
    return joined;
}

} // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    CLI::App app{"Pellaquin: lists of the MAME games that match a search command.", "pellaquin-cli"};
    app.require_subcommand(1);
    app.set_version_flag("--version", std::string("pellaquin-cli ") + PELLAQUIN_VERSION);
    app.footer(std::string(LIST_EXAMPLES) + "\n\n" + PlacesHelp() + "\n" + SELECTION_HELP +
               Wrapped(WIZARD_CHOICE_NAMES, "    ", 100));

    ListOptions list;
    CLI::App* listCommand = app.add_subcommand("list", "Write the list of the games that match a search command");
    CLI::Option* listInput = AddSelectionOptions(*listCommand, list.selection);
    listCommand->add_option("--type", list.type, "List type")->required()->check(CLI::IsMember(ListTypeNames()));
    listCommand->add_option("--columns", list.columns, "CSV column list, keys joined by ','");
    listCommand->add_option("--delimiter", list.delimiter, "CSV and table field separator")->capture_default_str();
    listCommand->add_option("--template", list.batchTemplate, "Batch line template; %ROM% stands for the ROM name")
        ->capture_default_str();
    listCommand->add_option("--title", list.title,
                            "MaLa list title; mame-ini folder name, neither ROOT_FOLDER nor FOLDER_SETTINGS "
                            "(default: Pellaquin selection)");
    listCommand->add_flag("--window", list.window, "Convert line ends as the view shows them (\\r\\n, .zip\\r\\n)");
    listCommand->add_option("--output", list.outputPath, "Write to this file, replacing it (needed by mala)");
    ExportOptions& exports = list.exports;
    listCommand->add_option("--rom-folder", exports.romFolder,
                            "Where the sets live, for the paths in emulationstation, retroarch and pegasus lists "
                            "(default: ./, for retroarch the current folder)");
    listCommand
        ->add_option("--rom-extension", exports.romExtension,
                     "The sets' file extension; a dot is added when it has none")
        ->capture_default_str();
    listCommand->add_option("--emulator", exports.emulator, "attract: the emulator's name")->capture_default_str();
    listCommand->add_option("--core-path", exports.corePath, "retroarch: the core's path")->capture_default_str();
    listCommand->add_option("--core-name", exports.coreName, "retroarch: the core's name")->capture_default_str();
    listCommand->add_option("--collection", exports.collection, "pegasus: the collection's name, not blank")
        ->capture_default_str();
    listCommand->add_option("--launch", exports.launch, "pegasus: the launch command")->capture_default_str();
    listCommand->add_option("--dat-name", exports.datName, "dat: the DAT's name")->capture_default_str();
    listCommand->add_flag("--dat-strict", exports.datStrict,
                          "dat: the Logiqx DTD's form, without MAME's isdevice, device_ref and ROM bios");
    listCommand
        ->add_option("--fields", exports.fields,
                     "table: its columns; also romof, sourcefile, controls, ways, display and any element of a "
                     "merged file (nplayers, veradded, bestgames...)")
        ->capture_default_str();

    SelectionOptions count;
    CLI::App* countCommand = app.add_subcommand("count", "Print how many games match a search command");
    CLI::Option* countInput = AddSelectionOptions(*countCommand, count);

    MergeSources merge;
    std::string mergedPath, mamePath;
    CLI::App* mergeCommand =
        app.add_subcommand("merge", "Merge MAME's listing with controls.xml, catver.ini and other data files");
    mergeCommand->add_option("--listxml", merge.listingPath, "MAME's -listxml output")->required();
    mergeCommand->add_option("--controls", merge.controlsPath, "controls.xml")->required();
    mergeCommand->add_option("--catver", merge.catverPath, "catver.ini")->required();
    mergeCommand->add_option("--nplayers", merge.nplayersPath, "nplayers.ini");
    mergeCommand->add_option("--ini", merge.dataFilePaths, "A data file such as bestgames.ini; may be given again")
        ->allow_extra_args(false);
    mergeCommand->add_option("--output", mergedPath, "Merged file, replaced once the merge has finished")->required();
    CLI::App* samplesCommand =
        app.add_subcommand("samples", "Print the folder of the sample files installed with Pellaquin");
    CLI::App* captureCommand = app.add_subcommand(
        "capture", "Capture MAME's -listxml output: beside a MAME of your own, else in your data folder");
    captureCommand->add_option("--mame", mamePath, "MAME's program; any other file is taken as the listing")
        ->required();

    std::vector<std::string> joined = JoinOptionValues(args);
    std::vector<char*> argv;
    for (std::string& arg : joined) {
        argv.push_back(arg.data());
    }
    try {
        app.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return 0;
    } catch (const CLI::CallForAllHelp&) {
        out << app.help("", CLI::AppFormatMode::All);
        return 0;
    } catch (const CLI::CallForVersion& version) {
        out << version.what() << '\n';
        return 0;
    } catch (const CLI::ParseError& error) {
        err << error.what() << "\n\n" << app.help();
        return 2;
    }

    if (listCommand->parsed()) {
        return TakeStoredInput(*listInput, list.selection, err) ? RunListCommand(list, out, err) : 2;
    }
    if (countCommand->parsed()) {
        return TakeStoredInput(*countInput, count, err) ? RunCountCommand(count, out, err) : 2;
    }
    if (samplesCommand->parsed()) {
        std::filesystem::path samples = SamplesFolder();
        if (samples.empty()) {
            err << "The sample files are not where they were installed\n";
            return 1;
        }
        out << samples.string() << '\n';
        return 0;
    }
    if (mergeCommand->parsed()) {
        return RunMergeCommand(merge, mergedPath, err);
    }
    return RunCaptureCommand(mamePath, out, err);
}

} // namespace pellaquin
