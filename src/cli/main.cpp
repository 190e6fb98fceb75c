#include "cli/CliApp.h"

#include <stdlib.h>
#include <unistd.h>

#include <iostream>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    // Without TZ, glibc looks at /etc/localtime again at each local time it works out, and libzip works
    // one out for every file of every zip an audit opens; with it, the zone is read once.
    setenv("TZ", ":/etc/localtime", 0);
    std::vector<std::string> args(argv, argv + argc);
    int status = pellaquin::RunCli(args, std::cout, std::cerr, isatty(STDERR_FILENO) == 1);
    std::cout.flush();
    return std::cout.good() ? status : 1;
}
