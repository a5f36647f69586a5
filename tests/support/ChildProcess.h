// A child process for tests: started with its arguments, ended (SIGTERM,
// then SIGKILL) with the object or with this process.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/TempDir.h"

// Generous: the sanitizer build starts slowly, and ctest runs tests side by side.
inline constexpr std::chrono::milliseconds kChildBound{15000};

// Its output and error go to one file, its descriptor 3 to another.
class Process {
public:
    explicit Process(std::vector<std::string> args) {
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        const std::string out = m_dir.HostPath("out");
        const std::string fd3 = m_dir.HostPath("fd3");
        const pid_t parent = getpid();
        m_pid = fork();
        if (m_pid != 0) return;
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent) _exit(127);
        const int outFd = open(out.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
        dup2(outFd, 1);
        dup2(outFd, 2);
        const int fd = open(fd3.c_str(), O_WRONLY | O_CREAT, 0600);
        if (fd != 3) dup2(fd, 3);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    ~Process() {
        if (!Running()) return;
        kill(m_pid, SIGTERM);
        for (int i = 0; i < 200 && Running(); ++i) usleep(10000);
        if (Running()) kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // Once it has ended, its exit code (128 + signal) is kept.
    bool Running() {
        int status = 0;
        if (!m_status && (m_pid <= 0 || waitpid(m_pid, &status, WNOHANG) == m_pid)) {
            m_status = m_pid <= 0 ? -1 : WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        return !m_status;
    }
    bool WaitFor(const std::function<bool()>& condition) {
        const std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::now() + kChildBound;
        while (!condition() && Running() && std::chrono::steady_clock::now() < deadline) usleep(10000);
        return condition();
    }
    bool WaitForLine(const std::string& line) {
        return WaitFor([&] { return Find(line) != std::string::npos; });
    }
    std::optional<int> Wait() {
        WaitFor([] { return false; });
        return m_status;
    }
    void Signal(int signal) { kill(m_pid, signal); }

    std::string Output() const { return m_dir.Read("out"); }
    std::string Fd3() const { return m_dir.Read("fd3"); }
    // Position of the first line starting with the text; npos when none does.
    std::size_t Find(const std::string& text) const {
        std::string all(1, '\n');
        return all.append(Output()).find("\n" + text);
    }

private:
    TempDir m_dir;
    pid_t m_pid = -1;
    std::optional<int> m_status;
};
