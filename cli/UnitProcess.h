#pragma once
// One child run of zeb40ctl on one unit. Its standard output, standard error
// and report pipe are read by the parent; its standard input is /dev/null, so
// it never waits for an answer. It runs in a process group of its own: a
// Ctrl+C on the terminal reaches only the parent, which passes it on once.

#include <array>
#include <string>
#include <sys/types.h>
#include <vector>

namespace zeb40::cli {

class UnitProcess {
  public:
    enum Stream { Output, Error, Report };
    // The descriptor number the child finds its report pipe on.
    static constexpr int ReportFd = 3;

    UnitProcess() = default;
    ~UnitProcess();
    UnitProcess(const UnitProcess&) = delete;
    UnitProcess& operator=(const UnitProcess&) = delete;

    // False with the system's reason in StartError() when it cannot run.
    bool Start(const std::string& program, const std::vector<std::string>& arguments);
    const std::string& StartError() const { return startError_; }

    // The pipes still open, for poll().
    std::vector<int> OpenFds() const;
    // Reads what the pipe holds; a closed pipe is taken off OpenFds().
    void ReadFrom(int fd);
    // The complete lines that arrived on a stream since the last call; once
    // the pipe is closed, an unfinished last line too.
    std::vector<std::string> TakeLines(Stream stream);

    // True once every pipe is closed (the child is ending or ended).
    bool PipesClosed() const { return OpenFds().empty(); }
    // Waits for the end; the exit status, or 128 + the signal that ended it.
    int Wait();
    // Sends SIGINT, as Ctrl+C would.
    void Interrupt() const;

  private:
    pid_t pid_ = -1;
    std::array<int, 3> fds_{-1, -1, -1};
    std::array<std::string, 3> pending_;
    std::string startError_;
};

} // namespace zeb40::cli
