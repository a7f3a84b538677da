#include "tests/support/Ser2netServer.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace zeb40::test {
namespace {

int FreePort() {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

bool Listening(int port) {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    bool connected = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return connected;
}

} // namespace

Ser2netServer::Ser2netServer(const std::string& accepter, const std::string& device,
                             const std::string& options)
    : scheme_(accepter == "tcp" ? "tcp" : "rfc2217"), port_(FreePort()) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "zeb40-ser2net-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr)
        dir_ = pattern;
    const std::string config = dir_ + "/ser2net.yaml";
    {
        std::ofstream file(config);
        file << "connection: &unit\n"
             << "  accepter: " << accepter << ",127.0.0.1," << port_ << "\n"
             << "  connector: serialdev," << device << ",38400n81,local\n"
             << "  options:\n"
             << "    kickolduser: false\n";
        if (!options.empty())
            file << "    " << options << "\n";
    }
    pid_ = fork();
    if (pid_ == 0) {
        // Its complaints about mDNS and the like are no test's business.
        freopen("/dev/null", "w", stderr);
        execlp("ser2net", "ser2net", "-d", "-u", "-c", config.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    // Up once its port takes a connection.
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (pid_ > 0 && !Listening(port_)) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_ || std::chrono::steady_clock::now() > limit) {
            Kill();
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    // The probe connection above opened the device; let the server close it.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

Ser2netServer::~Ser2netServer() {
    Kill();
    std::error_code ignored;
    if (!dir_.empty())
        std::filesystem::remove_all(dir_, ignored);
}

std::string Ser2netServer::PortName() const {
    return scheme_ + "://127.0.0.1:" + std::to_string(port_);
}

void Ser2netServer::Kill() {
    if (pid_ <= 0)
        return;
    ::kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

} // namespace zeb40::test
