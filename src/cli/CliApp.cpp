#include "cli/CliApp.h"

#include "cli/AuditCommand.h"
#include "cli/CopyCommand.h"
#include "cli/DataCommands.h"
#include "cli/ListCommand.h"
#include "output/ListType.h"
#include "platform/SamplesFolder.h"
#include "search/WizardChoices.h"
#include "settings/StoredSettings.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <ostream>
#include <set>

namespace pellaquin {

namespace {

constexpr const char* ROM_EXAMPLES = R"(Auditing and copying ROM sets as MAME finds them:
  pellaquin-cli audit --input listxml.xml --rom-folder ~/mame/roms --find '!cloneof' --details
  pellaquin-cli audit --input listxml.xml --rom-folder ~/roms --rom-folder /mnt/more --wizard 'working' --verify --output audit.txt
  pellaquin-cli copy --input listxml.xml --rom-folder ~/mame/roms --to /media/cabinet/roms --find 'rotate=90' --dry-run
  pellaquin-cli copy --input listxml.xml --rom-folder ~/mame/roms --to ~/frontend/roms --wizard 'players>=2' --link hard
  pellaquin-cli list --input listxml.xml --type names --find '=' --available ~/mame/roms --available-check complete)";

constexpr const char* SELECTION_HELP = R"(Choosing the games (list, count, audit and copy):
  The search command is that of --find, of --wizard, or both, which must then both hold. --wizard names
  the boxes of the window's Quick-find Wizard that are ticked, starting from none ticked and buttons "any":
)";

constexpr const char* PLACES_HEADING = "Where each list goes, and the paths in it its reader accepts:\n";

// An example of each list type.
std::string ListExamples() {
    std::string examples = "Examples, one per list type:";
    for (const ListTypeInfo& type : ListTypes()) {
        examples += "\n  pellaquin-cli list " + std::string(type.example);
    }
    return examples;
}

// The option's help, after the list types that take it.
std::string ExportOptionHelp(const ExportOptionInfo& option) {
    std::string help;
    for (const ListTypeInfo& type : ListTypes()) {
        if (std::find(type.options.begin(), type.options.end(), option.option) != type.options.end()) {
            help += (help.empty() ? "" : ", ") + std::string(type.name);
        }
    }
    return help + ": " + std::string(option.help);
}

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
    for (const ListTypeInfo& type : ListTypes()) {
        if (!type.place.empty()) {
            help +=
                "  " + Wrapped(std::string(type.name) + ": " + std::string(type.place), "    ", 100).substr(4) + "\n";
        }
    }
    return help;
}

// The options that choose the games, on every subcommand that works on a selection.
CLI::Option* AddSelectionOptions(CLI::App& command, SelectionOptions& options) {
    CLI::Option* input = command.add_option(
        "--input", options.inputPath,
        "Game-list file: MAME's -listxml, controls.xml or a merged file (default: the window's input file)");
    command.add_option("--find", options.find, "Search command; double quotes are removed");
    command.add_option("--wizard", options.wizard, "The wizard's boxes, comma-separated (see below)");
    command.add_option("--available", options.available,
                       "Keep only the sets this folder holds as name.zip, name.7z or a folder (repeatable)");
    command
        .add_option("--available-check", options.availableCheck,
                    "How --available judges a set: names (a file or folder of its name is there) or complete (its "
                    "quick audit is good or best available)")
        ->check(CLI::IsMember({"names", "complete"}))
        ->capture_default_str();
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

// The ROM folders the audit and the copy search, in order.
void AddRomFolderOption(CLI::App& command, std::vector<std::string>& folders) {
    command.add_option("--rom-folder", folders, "A folder of ROM sets; may be given again, searched in order")
        ->required()
        ->allow_extra_args(false);
}

// Without --input, the input file the window uses, said on `err`; nothing when none is stored.
bool TakeStoredInput(const CLI::Option& input, SelectionOptions& options, std::ostream& err) {
    if (input.count() > 0) {
        return true;
    }
    SettingsLoad load = ReadStoredSettings();
    if (!load.problem.empty()) {
        err << "The settings cannot be read: " << load.problem << '\n';
    }
    std::optional<StoredSettings>& stored = load.settings;
    if (!stored || stored->inputXmlFile.empty()) {
        err << "No input file: give one with --input, or choose one in the window's settings and press \"Set\"\n";
        return false;
    }
    options.inputPath = stored->inputXmlFile;
    err << "Input: " << options.inputPath << '\n';
    return true;
}

// The long names of every option of `app`'s subcommands that takes a value.
std::set<std::string, std::less<>> ValueOptions(CLI::App& app) {
    std::set<std::string, std::less<>> names;
    for (const CLI::App* command : app.get_subcommands([](CLI::App*) { return true; })) {
        for (const CLI::Option* option : command->get_options()) {
            if (option->get_items_expected_max() > 0) {
                for (const std::string& name : option->get_lnames()) {
                    names.insert("--" + name);
                }
            }
        }
    }
    return names;
}

// "--find -cloneof" becomes "--find=-cloneof", so a value that may begin with "-" or "!", as negated
// search terms do, is never taken for an option.
std::vector<std::string> JoinOptionValues(const std::vector<std::string>& args,
                                          const std::set<std::string, std::less<>>& valueOptions) {
    std::vector<std::string> joined;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (i > 0 && i + 1 < args.size() && valueOptions.count(args[i]) != 0 && !args[i + 1].empty() &&
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

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool errIsTerminal) {
    CLI::App app{"Pellaquin: lists of the MAME games that match a search command.", "pellaquin-cli"};
    app.require_subcommand(1);
    app.set_version_flag("--version", std::string("pellaquin-cli ") + PELLAQUIN_VERSION);
    app.footer(ListExamples() + "\n\n" + PlacesHelp() + "\n" + ROM_EXAMPLES + "\n\n" + SELECTION_HELP +
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
    for (const ExportOptionInfo& option : ExportOptionTable()) {
        if (option.flag.empty()) {
            continue;
        }
        if (const auto* text = std::get_if<std::string ExportOptions::*>(&option.member)) {
            listCommand->add_option(std::string(option.flag), list.exports.**text, ExportOptionHelp(option))
                ->capture_default_str();
        } else {
            listCommand->add_flag(std::string(option.flag),
                                  list.exports.*std::get<bool ExportOptions::*>(option.member),
                                  ExportOptionHelp(option));
        }
    }

    SelectionOptions count;
    CLI::App* countCommand = app.add_subcommand("count", "Print how many games match a search command");
    CLI::Option* countInput = AddSelectionOptions(*countCommand, count);

    AuditCommandOptions audit;
    CLI::App* auditCommand = app.add_subcommand(
        "audit", "Audit the selected sets in ROM folders as MAME does: a line per set, NAME<TAB>VERDICT, then the "
                 "counts; exit status 0 when MAME runs every set, 1 when not");
    CLI::Option* auditInput = AddSelectionOptions(*auditCommand, audit.selection);
    AddRomFolderOption(*auditCommand, audit.romFolders);
    auditCommand->add_flag("--verify", audit.verify,
                           "Decompress every ROM and check its CRC32 and SHA1, not only the archives' directories");
    auditCommand->add_flag("--details", audit.details,
                           "Under each set that is not good, a line per ROM or disk: <TAB>NAME<TAB>REASON<TAB>WHERE");
    auditCommand->add_option("--output", audit.outputPath, "Write the report to this file, replacing it");

    CopyCommandOptions copy;
    CLI::App* copyCommand = app.add_subcommand(
        "copy", "Copy the selected sets and what MAME needs to run them (parents, BIOS sets, devices, CHDs) to a "
                "folder, as the files stand");
    CLI::Option* copyInput = AddSelectionOptions(*copyCommand, copy.selection);
    AddRomFolderOption(*copyCommand, copy.romFolders);
    copyCommand->add_option("--to", copy.target, "The folder to copy to, made when missing")->required();
    copyCommand->add_flag("--replace", copy.replace, "Replace a different file of the same name in the target");
    copyCommand->add_option("--link", copy.link, "Link instead of copying: hard or symbolic")
        ->check(CLI::IsMember({"hard", "symbolic"}));
    copyCommand->add_flag("--dry-run", copy.dryRun, "Print what would be copied and the bytes, and copy nothing");

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

    std::vector<std::string> joined = JoinOptionValues(args, ValueOptions(app));
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
    if (auditCommand->parsed()) {
        return TakeStoredInput(*auditInput, audit.selection, err) ? RunAuditCommand(audit, out, err, errIsTerminal) : 2;
    }
    if (copyCommand->parsed()) {
        return TakeStoredInput(*copyInput, copy.selection, err) ? RunCopyCommand(copy, out, err, errIsTerminal) : 2;
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
