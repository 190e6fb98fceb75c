#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace pellaquin {

// Runs pellaquin-cli with `args` (the program name first). Lists and counts go to `out`, messages
// to `err`. Returns the exit status: 0 done, 1 a run that failed, 2 a usage error.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace pellaquin
