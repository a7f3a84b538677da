#pragma once
// Debian's ser2net on loopback in front of a device, as a serial device
// server in a rack: one configuration file and a free port for each server.

#include <string>
#include <sys/types.h>

namespace zeb40::test {

class Ser2netServer {
  public:
    // accepter: "telnet(rfc2217),tcp" or "tcp"; options: YAML lines under
    // "options:" ("chardelay: false").
    Ser2netServer(const std::string& accepter, const std::string& device,
                  const std::string& options = "");
    ~Ser2netServer();
    Ser2netServer(const Ser2netServer&) = delete;
    Ser2netServer& operator=(const Ser2netServer&) = delete;

    // False when ser2net is missing or did not come up.
    bool Running() const { return pid_ > 0; }
    int Port() const { return port_; }
    // "rfc2217://127.0.0.1:PORT" or "tcp://127.0.0.1:PORT".
    std::string PortName() const;
    // Ends the server at once, as a device server that loses power.
    void Kill();

  private:
    std::string dir_; // holds the configuration file
    std::string scheme_;
    int port_ = 0;
    pid_t pid_ = -1;
};

} // namespace zeb40::test
