#include "platform/ProcessStart.h"

#include <array>
#include <cerrno>
#include <filesystem>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace pellaquin {

namespace {

// Owns what posix_spawn needs and releases it however the start ends.
class SpawnSetup {
public:
    SpawnSetup() {
        m_ready = posix_spawn_file_actions_init(&m_actions) == 0;
        m_ready = posix_spawnattr_init(&m_attributes) == 0 && m_ready;
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&m_actions);
        posix_spawnattr_destroy(&m_attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    // Standard input from /dev/null, standard output into `outputDescriptor`, then `folder` as
    // the working directory. Signals the program would inherit as ignored or blocked (a GUI may
    // ignore SIGPIPE) are set back to their defaults.
    bool Prepare(int outputDescriptor, const std::string& folder) {
        sigset_t all;
        sigset_t none;
        sigfillset(&all);
        sigemptyset(&none);
        return m_ready && posix_spawn_file_actions_addopen(&m_actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0) == 0 &&
               posix_spawn_file_actions_adddup2(&m_actions, outputDescriptor, STDOUT_FILENO) == 0 &&
               posix_spawn_file_actions_addchdir_np(&m_actions, folder.c_str()) == 0 &&
               posix_spawnattr_setsigdefault(&m_attributes, &all) == 0 &&
               posix_spawnattr_setsigmask(&m_attributes, &none) == 0 &&
               posix_spawnattr_setflags(&m_attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK) == 0;
    }

    int Spawn(pid_t& child, const std::string& program, const std::vector<char*>& argv) {
        return posix_spawn(&child, program.c_str(), &m_actions, &m_attributes, argv.data(), environ);
    }

private:
    posix_spawn_file_actions_t m_actions{};
    posix_spawnattr_t m_attributes{};
    bool m_ready = false;
};

void CloseDescriptor(int& descriptor) {
    if (descriptor >= 0) {
        ::close(descriptor);
        descriptor = -1;
    }
}

} // namespace

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& workingDirectory, const OutputReceiver& receiveOutput) {
    ProgramRun run;
    // The program is looked for after the change of folder, so a relative path must be made whole first.
    std::error_code error;
    std::string programPath = std::filesystem::absolute(program, error).string();
    if (error) {
        run.code = error.value();
        return run;
    }
    std::vector<std::string> words{programPath};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);

    std::array<int, 2> pipeEnds{-1, -1};
    if (::pipe2(pipeEnds.data(), O_CLOEXEC) != 0) {
        run.code = errno;
        return run;
    }
    int& readEnd = pipeEnds[0];
    int& writeEnd = pipeEnds[1];
    SpawnSetup setup;
    pid_t child = -1;
    int spawnError = EINVAL;
    if (setup.Prepare(writeEnd, workingDirectory.empty() ? std::string(".") : workingDirectory)) {
        spawnError = setup.Spawn(child, programPath, argv);
    }
    // Only the child may hold the write end, or the read below would never see the end of the output.
    CloseDescriptor(writeEnd);
    if (spawnError != 0) {
        CloseDescriptor(readEnd);
        run.code = spawnError;
        return run;
    }

    std::array<char, 1 << 16> buffer{};
    bool receiving = true;
    for (;;) {
        ssize_t count = ::read(readEnd, buffer.data(), buffer.size());
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            break;
        }
        if (receiving) {
            receiving = receiveOutput(std::string_view(buffer.data(), static_cast<std::size_t>(count)));
        }
    }
    CloseDescriptor(readEnd);

    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            run.code = errno;
            return run;
        }
    }
    if (WIFSIGNALED(status)) {
        run.outcome = ProgramRun::Outcome::KILLED;
        run.code = WTERMSIG(status);
    } else {
        run.outcome = ProgramRun::Outcome::EXITED;
        run.code = WEXITSTATUS(status);
    }
    return run;
}

} // namespace pellaquin
