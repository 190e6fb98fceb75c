#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace pellaquin {

// Runs pellaquin-cli with `args` (the program name first). Lists and counts go to `out`, messages
// to `err`, with progress bars when `errIsTerminal`. Returns the exit status: 0 done, 1 a run that
// failed (for audit and copy, a set MAME would not run), 2 a usage error (for audit and copy, any
// error that stops them).
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool errIsTerminal = false);

} // namespace pellaquin
