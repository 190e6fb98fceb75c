#pragma once

#include "data/MergeUtility.h"

#include <iosfwd>
#include <string>

namespace pellaquin {

// Merges the sources into `outputPath`. Prints nothing on success but a line naming each data file
// left out; a failure's message goes to `err`. Returns the exit status.
int RunMergeCommand(const MergeSources& sources, const std::string& outputPath, std::ostream& err);

// Captures MAME's listing (or takes a chosen listing) and prints the listing's path. Returns the
// exit status.
int RunCaptureCommand(const std::string& mamePath, std::ostream& out, std::ostream& err);

} // namespace pellaquin
