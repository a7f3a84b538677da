#include "cli/UnitProcess.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace zeb40::cli {
namespace {

void CloseFd(int& fd) {
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

} // namespace

UnitProcess::~UnitProcess() {
    for (int& fd : fds_)
        CloseFd(fd);
    if (pid_ > 0)
        Wait();
}

bool UnitProcess::Start(const std::string& program, const std::vector<std::string>& arguments) {
    std::array<std::array<int, 2>, 3> pipes{};
    for (auto& ends : pipes) {
        if (::pipe2(ends.data(), O_CLOEXEC) != 0) {
            startError_ = std::strerror(errno);
            for (auto& made : pipes) {
                CloseFd(made[0]);
                CloseFd(made[1]);
            }
            return false;
        }
    }

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipes[Output][1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, pipes[Error][1], STDERR_FILENO);
    posix_spawn_file_actions_adddup2(&actions, pipes[Report][1], ReportFd);
    // Nothing else of the parent's, above all no other unit's port or pipe:
    // a unit unplugged must hang up for its own child alone.
    posix_spawn_file_actions_addclosefrom_np(&actions, ReportFd + 1);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF);
    posix_spawnattr_setpgroup(&attributes, 0);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGINT);
    sigaddset(&defaults, SIGTERM);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);

    std::vector<char*> argv;
    std::string name = "zeb40ctl";
    argv.push_back(name.data());
    std::vector<std::string> copies = arguments;
    for (auto& argument : copies)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    int failed = posix_spawn(&pid_, program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    for (int stream = 0; stream < 3; ++stream) {
        CloseFd(pipes[stream][1]);
        fds_[stream] = pipes[stream][0];
    }
    if (failed != 0) {
        pid_ = -1;
        startError_ = program + ": " + std::strerror(failed);
        for (int& fd : fds_)
            CloseFd(fd);
        return false;
    }
    return true;
}

bool UnitProcess::PipesClosed() const {
    for (int fd : fds_) {
        if (fd >= 0)
            return false;
    }
    return true;
}

void UnitProcess::ReadArrivals(const std::vector<UnitProcess*>& processes, int timeoutMs) {
    std::vector<pollfd> fds;
    std::vector<UnitProcess*> owners;
    for (UnitProcess* process : processes) {
        for (int fd : process->fds_) {
            if (fd < 0)
                continue;
            fds.push_back({fd, POLLIN, 0});
            owners.push_back(process);
        }
    }
    if (fds.empty() || ::poll(fds.data(), fds.size(), timeoutMs) <= 0)
        return;
    for (std::size_t i = 0; i < fds.size(); ++i) {
        if (fds[i].revents != 0)
            owners[i]->ReadFrom(fds[i].fd);
    }
}

void UnitProcess::ReadFrom(int fd) {
    for (int stream = 0; stream < 3; ++stream) {
        if (fds_[stream] != fd || fd < 0)
            continue;
        char buffer[4096];
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0)
            pending_[stream].append(buffer, static_cast<std::size_t>(n));
        else if (n == 0 || (errno != EINTR && errno != EAGAIN))
            CloseFd(fds_[stream]);
    }
}

int UnitProcess::Wait() {
    if (pid_ <= 0)
        return -1;
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    return 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
}

void UnitProcess::Interrupt() const {
    if (pid_ > 0)
        ::kill(pid_, SIGINT);
}

} // namespace zeb40::cli
