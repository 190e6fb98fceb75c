#pragma once

#include "output/ListRequest.h"
#include "records/InputFile.h"

#include <string>
#include <vector>

namespace pellaquin {

class ByteSink;

// Why `request` cannot run: EMPTY_COMMAND for an empty command, EXPORT_OPTIONS_REFUSED for export
// options CheckExportOptions finds a problem in, UNKNOWN_VERSION for a set step's version that names no
// MAME release; else DONE. A command of double quotes only is not empty: it runs as the
// empty search command, which matches every game.
ListStatus CheckListRequest(const ListRequest& request);

// What the user is told when a run of `request` over the input file at `inputPath` ended with `status`,
// its output file being `outputPath`: the status's message, and for a read error the input file and its
// problem on a line of their own.
std::string ListRunMessage(ListStatus status, const ListRequest& request, const std::string& inputPath,
                           std::string_view outputPath = {});

// Runs the list `request` asks for over the whole of `input` (open, its format recognised) into `sink`:
// the one path every list of the window and the command line takes. The list's line ends are the
// window's when the request asks for them. A read error of the input ends the run as
// INPUT_READ_FAILED, whatever reached the sink by then.
ListResult RunList(InputFile& input, const ListRequest& request, ByteSink& sink);

// The same into the file at `path`, which is replaced only by a whole list: on any status but DONE it
// is as it was.
ListResult RunListToFile(InputFile& input, const ListRequest& request, const std::string& path);

// The names of the sets `request`'s search command and set steps keep, in the input's order, into
// `names`: the run of a names list, whatever type the request names.
ListResult SelectSetNames(InputFile& input, ListRequest request, std::vector<std::string>& names);

} // namespace pellaquin
