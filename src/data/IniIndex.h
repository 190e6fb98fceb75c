#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

namespace pellaquin {

// Set name to value, read once from one of the community data files (nplayers.ini, catver.ini, and
// the folder files such as bestgames.ini, languages.ini and series.ini) and then looked up per game.
//
// Lines end in LF or CR LF, the last one may have neither, and a UTF-8 byte-order mark before the
// first is dropped. Each line is trimmed of white space. Empty lines and lines beginning with ";"
// are comments; a line beginning with "[" opens the section named by the text up to its "]". The
// lines under [FOLDER_SETTINGS] ("RootFolderIcon mame") are settings, never sets. Set names match
// without regard to case, and the first line of a name counts: a later one adds nothing.
class IniIndex {
public:
    // Reads a data file of any of the three shapes, told apart by the lines that may name sets:
    // - key=value, when more of them hold an "=" than do not ([NPlayers], catver's [Category]): the
    //   set is the text before the first "=", its value the text after it, both trimmed; an empty
    //   value gives nothing. Every section counts, so catver.ini reads as its [Category].
    // - folder: a set name a line; its value is the name of the section it is under ("90 to 100
    //   (Best Games)"), the sections of a set under several joined by ", " in the order of its lines.
    // - bare list: set names under [ROOT_FOLDER], or before any section, take `listName`.
    // The community folder files open with an empty [ROOT_FOLDER]; its names and those of named
    // sections can stand in one file.
    static IniIndex ReadDataFile(std::string_view text, std::string_view listName);

    // Reads only the "name=value" lines of the sections called `section`, whatever the case of its
    // letters (catver.ini's "VerAdded"), as ReadDataFile reads a key=value file.
    static IniIndex ReadSection(std::string_view text, std::string_view section);

    // The value of set `name`; empty when the file gives it none.
    std::string_view Find(std::string_view name) const;

    // How many sets have a value.
    std::size_t Size() const { return m_values.size(); }

private:
    std::unordered_map<std::string, std::string> m_values; // by the name with A to Z lowered
};

// The element a data file's values take in the merged file: the file's name without its folder and
// extension, A to Z lowered, every byte but a-z, 0-9, "_" and "-" made "_" ("Working Arcade.ini":
// "working_arcade"). A name that would begin with a digit or "-", or be empty, gets a leading "_",
// as an XML element name cannot.
std::string DataFileElementName(std::string_view path);

// The value a bare list gives its sets: the file's name without its folder and extension, as it
// stands ("Working Arcade").
std::string DataFileListName(std::string_view path);

} // namespace pellaquin
