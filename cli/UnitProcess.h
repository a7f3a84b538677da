#pragma once
// One child run of zeb40ctl on one unit. Its standard output, standard error
// and report pipe are read by the parent; its standard input is empty, so it
// never waits for an answer. It runs in a process group of its own: a Ctrl+C
// on the terminal reaches only the parent, which passes it on once. Starting
// and reading children is the system's part (posix/ and windows/); the
// Windows build runs one unit at a time, so there a child never starts.

#include <array>
#include <string>
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

    // Waits up to timeoutMs for output of any of the processes and reads
    // what has arrived; a closed pipe is taken off.
    static void ReadArrivals(const std::vector<UnitProcess*>& processes, int timeoutMs);
    // The complete lines that arrived on a stream since the last call; once
    // the pipe is closed, an unfinished last line too.
    std::vector<std::string> TakeLines(Stream stream);

    // True once every pipe is closed (the child is ending or ended).
    bool PipesClosed() const;
    // Waits for the end; the exit status, or 128 + the signal that ended it.
    int Wait();
    // Sends SIGINT, as Ctrl+C would.
    void Interrupt() const;

  private:
    // Reads what the pipe holds; a closed pipe is taken off.
    void ReadFrom(int fd);

    int pid_ = -1;
    std::array<int, 3> fds_{-1, -1, -1};
    std::array<std::string, 3> pending_;
    std::string startError_;
};

} // namespace zeb40::cli
