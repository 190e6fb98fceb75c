#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pellaquin {

// How a started program ended.
struct ProgramRun {
    enum class Outcome { EXITED, KILLED, CANNOT_START };
    Outcome outcome = Outcome::CANNOT_START;
    // The exit status, the signal that ended the program, or the reason it could not start (errno).
    int code = 0;
};

// Receives the program's standard output piece by piece; returns false once it takes no more.
using OutputReceiver = std::function<bool(std::string_view bytes)>;

// Starts `program` directly, never through a shell, with `arguments` after its name, in
// `workingDirectory` (our own current directory does not change; a relative `program` is found
// from ours). Its standard input is empty and its standard error is ours; its standard output goes
// to `receiveOutput` until that refuses, and is drained after that. Waits for the program to end.
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& workingDirectory, const OutputReceiver& receiveOutput);

} // namespace pellaquin
