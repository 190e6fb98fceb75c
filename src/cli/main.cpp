#include "cli/CliApp.h"

#include <unistd.h>

#include <iostream>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv, argv + argc);
    int status = pellaquin::RunCli(args, std::cout, std::cerr, isatty(STDERR_FILENO) == 1);
    std::cout.flush();
    return std::cout.good() ? status : 1;
}
