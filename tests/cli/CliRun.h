#pragma once

#include "cli/CliApp.h"

#include <sstream>
#include <string>
#include <vector>

namespace pellaquin::test {

// What one in-process run of pellaquin-cli left.
struct CliRun {
    int status;
    std::string out;
    std::string err;
};

// Runs pellaquin-cli in this process with `args` (the program name is added first).
inline CliRun RunTool(std::vector<std::string> args) {
    args.insert(args.begin(), "pellaquin-cli");
    std::ostringstream out;
    std::ostringstream err;
    int status = RunCli(args, out, err);
    return {status, out.str(), err.str()};
}

} // namespace pellaquin::test
