// Running a piece of a test in a child process: for code that may block
// forever, must run as another user, or is killed on purpose.
#pragma once
#include <chrono>
#include <csignal>
#include <functional>
#include <optional>
#include <sys/wait.h>
#include <unistd.h>

namespace qv::test {

struct ChildEnd {
    bool finished = false; // false: still running after the time limit, then killed
    int exitCode = -1;     // when it exited
    int signal = 0;        // when a signal ended it
};

// Runs body in a forked child; its result is the child's exit code.
inline ChildEnd RunInChild(const std::function<int()>& body, int seconds = 10) {
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(body() & 0xFF);
    ChildEnd end;
    if (pid < 0)
        return end;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return end;
        }
        ::usleep(5000);
    }
    end.finished = true;
    if (WIFEXITED(status))
        end.exitCode = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        end.signal = WTERMSIG(status);
    return end;
}

} // namespace qv::test
