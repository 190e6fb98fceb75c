#include "cli/CliApp.h"

#include "cli/DataCommands.h"
#include "cli/ListCommand.h"

#include <CLI/CLI.hpp>

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

// Options whose value may itself begin with "-" or "!", as negated search terms do.
const std::set<std::string, std::less<>> VALUE_OPTIONS = {
    "--input",    "--type",      "--find",      "--columns",    "--delimiter", "--template",   "--title",
    "--output",   "--listxml",   "--controls",  "--catver",     "--mame",      "--rom-folder", "--rom-extension",
    "--emulator", "--core-path", "--core-name", "--collection", "--launch",    "--dat-name",   "--fields",
};

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
    app.footer(LIST_EXAMPLES);

    ListOptions list;
    CLI::App* listCommand = app.add_subcommand("list", "Write the list of the games that match a search command");
    listCommand->add_option("--input", list.inputPath, "Game-list file: MAME's -listxml, controls.xml or a merged file")
        ->required();
    listCommand->add_option("--type", list.type, "List type")->required()->check(CLI::IsMember(LIST_TYPES));
    listCommand->add_option("--find", list.find, "Search command (every type but csv); double quotes are removed");
    listCommand->add_option("--columns", list.columns, "CSV column list, keys joined by ','");
    listCommand->add_option("--delimiter", list.delimiter, "CSV and table field separator")->capture_default_str();
    listCommand->add_option("--template", list.batchTemplate, "Batch line template; %ROM% stands for the ROM name")
        ->capture_default_str();
    listCommand->add_option("--title", list.title,
                            "MaLa list title; mame-ini folder name (default: Pellaquin selection)");
    listCommand->add_flag("--window", list.window, "Convert line ends as the view shows them (\\r\\n, .zip\\r\\n)");
    listCommand->add_option("--output", list.outputPath, "Write to this file, replacing it (needed by mala)");
    ExportOptions& exports = list.exports;
    listCommand->add_option("--rom-folder", exports.romFolder,
                            "Where the sets live, for the paths in emulationstation, retroarch and pegasus lists "
                            "(default: ./, for retroarch the current folder)");
    listCommand->add_option("--rom-extension", exports.romExtension, "The sets' file extension")->capture_default_str();
    listCommand->add_option("--emulator", exports.emulator, "attract: the emulator's name")->capture_default_str();
    listCommand->add_option("--core-path", exports.corePath, "retroarch: the core's path")->capture_default_str();
    listCommand->add_option("--core-name", exports.coreName, "retroarch: the core's name")->capture_default_str();
    listCommand->add_option("--collection", exports.collection, "pegasus: the collection's name")
        ->capture_default_str();
    listCommand->add_option("--launch", exports.launch, "pegasus: the launch command")->capture_default_str();
    listCommand->add_option("--dat-name", exports.datName, "dat: the DAT's name")->capture_default_str();
    listCommand
        ->add_option("--fields", exports.fields,
                     "table: its columns; also romof, sourcefile, controls, ways, display and any element of a "
                     "merged file (nplayers, veradded, bestgames...)")
        ->capture_default_str();

    std::string countInput;
    std::string countFind;
    CLI::App* countCommand = app.add_subcommand("count", "Print how many games match a search command");
    countCommand->add_option("--input", countInput, "Game-list file")->required();
    countCommand->add_option("--find", countFind, "Search command")->required();

    std::string listxmlPath, controlsPath, catverPath, mergedPath, mamePath;
    CLI::App* mergeCommand = app.add_subcommand("merge", "Merge MAME's listing, controls.xml and catver.ini");
    mergeCommand->add_option("--listxml", listxmlPath, "MAME's -listxml output")->required();
    mergeCommand->add_option("--controls", controlsPath, "controls.xml")->required();
    mergeCommand->add_option("--catver", catverPath, "catver.ini")->required();
    mergeCommand->add_option("--output", mergedPath, "Merged file, replaced once the merge has finished")->required();
    CLI::App* captureCommand = app.add_subcommand("capture", "Capture MAME's -listxml output beside the program");
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
    } catch (const CLI::ParseError& error) {
        err << error.what() << "\n\n" << app.help();
        return 2;
    }

    if (listCommand->parsed()) {
        return RunListCommand(list, out, err);
    }
    if (countCommand->parsed()) {
        return RunCountCommand(countInput, countFind, out, err);
    }
    if (mergeCommand->parsed()) {
        return RunMergeCommand({listxmlPath, controlsPath, catverPath}, mergedPath, err);
    }
    return RunCaptureCommand(mamePath, out, err);
}

} // namespace pellaquin
