#include "damage/DamageSupport.h"

#include <cerrno>
#include <cstdlib>
#include <thread>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace pellaquin::test {

namespace {

std::string ReadAll(int descriptor) {
    std::string bytes;
    char buffer[65536];
    for (;;) {
        ssize_t count = ::read(descriptor, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return bytes;
        }
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
}

} // namespace

BinaryRun RunBinary(const std::vector<std::string>& args, const char* standardOutput) {
    int outPipe[2];
    int errPipe[2];
    if (::pipe2(outPipe, O_CLOEXEC) != 0 || ::pipe2(errPipe, O_CLOEXEC) != 0) {
        std::abort();
    }
    std::vector<std::string> command{PELLAQUIN_CLI_PATH};
    command.insert(command.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : command) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    // A plain fork rather than posix_spawn: a child that shares our memory until it starts the program
    // would count our peak memory use as its own.
    pid_t child = ::fork();
    if (child == 0) {
        ::dup2(standardOutput == nullptr ? outPipe[1] : ::open(standardOutput, O_WRONLY), STDOUT_FILENO);
        ::dup2(errPipe[1], STDERR_FILENO);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    BinaryRun run;
    if (child < 0) {
        ::close(outPipe[0]);
        ::close(errPipe[0]);
        return run;
    }
    // Both pipes are drained at once, so a child that fills one never waits on the other.
    std::thread errReader([&] { run.err = ReadAll(errPipe[0]); });
    run.out = ReadAll(outPipe[0]);
    errReader.join();
    ::close(outPipe[0]);
    ::close(errPipe[0]);
    int status = 0;
    rusage usage{};
    while (::wait4(child, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    run.exited = WIFEXITED(status);
    run.status = run.exited ? WEXITSTATUS(status) : WTERMSIG(status);
    run.peakKilobytes = usage.ru_maxrss;
    return run;
}

} // namespace pellaquin::test
