// zeb40-sim: an emulated ZEB40 on a pseudo-terminal. Prints the device path of
// the terminal on its first line and answers until it is stopped.

#include "sim/Emulator.h"
#include "sim/FlashPackageWriter.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

namespace {

void PrintUsage() {
    std::puts("usage: zeb40-sim [--paced] [--receive-queue=N] [--log] [--identifier=HEX]\n"
              "                 [--version=HEX] [--option1=HEX] [--option2=HEX]\n"
              "                 [--fault=KIND:LETTER[:TEXT]] [--KEY=VALUE ...]\n"
              "       zeb40-sim make-package IMAGE [-o OUT] [--version=HEX]\n"
              "Opens a pseudo-terminal, prints its device path and answers as a ZEB40\n"
              "until interrupted. --paced: realistic 38400-baud timing, each direction\n"
              "on its own; --receive-queue: with --paced, how many characters may wait\n"
              "while the unit answers (1 to 4096, default 16; more are lost); --log:\n"
              "print every command the unit receives and every character it loses.\n"
              "--fault: misbehave on LETTER (a command letter, \"any\" or \"probe\"):\n"
              "silent, silent-reply, hang-up, reply:TEXT, long-line, lf-only, late:MS.");
}

std::string Printable(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\b')
            out += "<BS>";
        else if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E)
            out += '.';
        else
            out += c;
    }
    return out;
}

// A receive queue of 1 to 4096 characters.
std::optional<std::size_t> QueueSize(const std::string& text) {
    if (text.empty() || text.size() > 4 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const std::size_t size = std::stoul(text);
    if (size < 1 || size > 4096)
        return std::nullopt;
    return size;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "make-package")
        return zeb40::sim::MakePackageCommand({argv + 2, argv + argc});
    zeb40::sim::EmulatorOptions options;
    bool log = false;
    std::vector<std::pair<std::string, std::string>> settings;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            PrintUsage();
            return 0;
        }
        if (arg == "--version") {
            std::printf("zeb40-sim, ZEB40 Version 3.50 (revision %s)\n", ZEB40_REVISION);
            return 0;
        }
        if (arg == "--paced") {
            options.paced = true;
        } else if (arg == "--log") {
            log = true;
        } else if (arg.starts_with("--receive-queue=")) {
            auto size = QueueSize(arg.substr(arg.find('=') + 1));
            if (!size) {
                std::fprintf(stderr, "zeb40-sim: --receive-queue takes 1 to 4096 characters\n");
                return 2;
            }
            options.receiveQueue = *size;
        } else if (arg.starts_with("--") && arg.find('=') != std::string::npos) {
            auto eq = arg.find('=');
            settings.emplace_back(arg.substr(2, eq - 2), arg.substr(eq + 1));
        } else {
            std::fprintf(stderr, "zeb40-sim: unknown argument '%s'\n", arg.c_str());
            return 2;
        }
    }

    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    zeb40::sim::Emulator unit(options);
    for (const auto& [key, value] : settings) {
        if (!unit.Configure(key, value)) {
            std::fprintf(stderr, "zeb40-sim: unknown setting --%s=%s\n", key.c_str(),
                         value.c_str());
            return 2;
        }
    }
    if (!unit.Start()) {
        std::fprintf(stderr, "zeb40-sim: cannot create a pseudo-terminal: %s\n",
                     std::strerror(errno));
        return 1;
    }
    std::printf("%s\n", unit.DevicePath().c_str());
    std::fflush(stdout);

    std::size_t shown = 0;
    std::uint64_t lostShown = 0;
    for (;;) {
        timespec wait{0, 100'000'000};
        int signal = sigtimedwait(&stopSignals, nullptr, &wait);
        if (signal > 0)
            break;
        if (log) {
            auto received = unit.Received();
            for (; shown < received.size(); ++shown) {
                std::printf("received: %s\n", Printable(received[shown].text).c_str());
                std::fflush(stdout);
            }
            if (const std::uint64_t lost = unit.OverrunCharacters(); lost > lostShown) {
                std::printf("lost: %llu characters, receive queue full\n",
                            static_cast<unsigned long long>(lost - lostShown));
                std::fflush(stdout);
                lostShown = lost;
            }
        }
    }
    unit.Stop();
    return 0;
}
