#pragma once

#include "output/ExportOptions.h"

#include <string>
#include <string_view>

namespace pellaquin {

// How each export format carries a text. The texts given are clean (see search/CleanText.h).

enum class XmlPlace { TEXT, ATTRIBUTE };

// XML: "&", "<", ">", '"' and CR escaped (a reader would make a CR a line feed); in an attribute
// also tab and LF, which a reader would make spaces.
void AppendXmlEscaped(std::string& out, std::string_view text, XmlPlace place = XmlPlace::TEXT);

// A field of an Attract-Mode romlist, as its reader splits a line at ";": line ends made spaces,
// white space trimmed as the reader trims it; quoted when it holds ";" or begins with '"', with
// '\"' for each quote inside (and a blank before the closing quote after a trailing backslash).
void AppendAttractField(std::string& out, std::string_view text);

// A CSV field (RFC 4180): quoted when it holds the delimiter, a quote, CR or LF, quotes doubled.
void AppendCsvField(std::string& out, std::string_view text, std::string_view delimiter);

// A value on a line of its own (Pegasus, a folder ini): line ends made spaces, white space trimmed.
void AppendLineValue(std::string& out, std::string_view text);

// The folder's name as a folder ini names it: on one line, a "]" (which ends the name for MAME's UI)
// made ")".
std::string MameFolderTitle(std::string_view title);

// Makes every text of `options` clean (see search/CleanText.h); returns whether one had to change.
bool CleanExportOptions(ExportOptions& options);

// The path of set `name`'s file: the rom folder, a separator (a backslash for a folder written with
// backslashes only), the name and the extension, with a dot before it when it has none; "./" and the
// name without a folder.
std::string RomPath(const ExportOptions& options, std::string_view name);

} // namespace pellaquin
