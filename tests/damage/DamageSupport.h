#pragma once

#include <string>
#include <vector>

namespace pellaquin::test {

// How a run of the real pellaquin-cli ended.
struct BinaryRun {
    bool exited = false; // false when a signal ended it
    int status = -1;     // the exit status, or the signal
    std::string out;
    std::string err;
    long peakKilobytes = 0;
};

// Runs pellaquin-cli with `args` (without a shell) and waits for it; its standard output goes to the file
// `standardOutput` when one is named.
BinaryRun RunBinary(const std::vector<std::string>& args, const char* standardOutput = nullptr);

} // namespace pellaquin::test
