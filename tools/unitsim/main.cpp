// unitsim: plays a Brellox unit for trying the program without one.
//   unitsim --tcp PORT --pty PATH [--baud N] [--password PW] [--image FILE]
//           [--ack echo|mark|bare] [--search ADDRESS]
//           [--files DIR] [--firmware M.mm]
// Runs until SIGINT or SIGTERM.
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/unitsim/UnitSimulator.h"

namespace {

constexpr uint16_t kSearchPort = 9090;
// Where the unit keeps its firmware version: major in the high byte, minor
// (hundredths) in the low byte.
constexpr int kFirmwareVersionWord = 90153;

// Copies a local folder tree into the unit's storage; names keep their bytes.
bool LoadUnitFiles(unitsim::UnitSimulator& sim, const std::string& dir) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::is_directory(dir, ec))
        return false;
    for (auto it = fs::recursive_directory_iterator(dir, ec); !ec && it != fs::end(it);
         it.increment(ec)) {
        const std::string path = "/" + fs::relative(it->path(), dir, ec).generic_string();
        if (it->is_directory(ec)) {
            sim.AddUnitFolder(path);
        } else if (it->is_regular_file(ec)) {
            std::ifstream in(it->path(), std::ios::binary);
            sim.AddUnitFile(path, std::string((std::istreambuf_iterator<char>(in)),
                                              std::istreambuf_iterator<char>()));
        }
    }
    return !ec;
}

int Usage() {
    // Not a format: the text holds '%'.
    std::fputs("usage: unitsim [--tcp PORT] [--pty PATH] [--baud N] [--password PW] "
               "[--image FILE] [--ack echo|mark|bare] [--search ADDRESS]\n"
               "       [--files DIR] [--firmware M.mm]\n"
               "  at least one of --tcp and --pty; --tcp 0 picks a free port\n"
               "  --ack: each frame of a write or file request is acknowledged as\n"
               "         %EE$3B (echo, the default), %EE$ (mark) or %EE (bare)\n"
               "  --search: answers unit searches on ADDRESS, UDP port 9090 (0.0.0.0:\n"
               "         every address), as a unit at 127.0.0.1 with the --tcp port,\n"
               "         replying to the sender;\n"
               "         the search broadcasts, so use it on a network of its own\n"
               "  --files: the unit's storage (its file service, user admin, password\n"
               "         wqe) holds a copy of the folder DIR\n"
               "  --firmware: the firmware version the unit reports (default 2.23;\n"
               "         its file service needs 2.40 or later)\n",
               stderr);
    return 2;
}

bool ParseAckForm(const std::string& text, unitsim::AckForm& form) {
    if (text == "echo")
        form = unitsim::AckForm::Echo;
    else if (text == "mark")
        form = unitsim::AckForm::Mark;
    else if (text == "bare")
        form = unitsim::AckForm::Bare;
    else
        return false;
    return true;
}

bool ParseNumber(const char* text, long max, long& value) {
    char* end = nullptr;
    errno = 0;
    value = std::strtol(text, &end, 10);
    return errno == 0 && end != text && *end == '\0' && value >= 0 && value <= max;
}

// "2.48" as the version word 0x0230.
bool ParseFirmware(const std::string& text, uint16_t& word) {
    const size_t dot = text.find('.');
    long major = 0, minor = 0;
    if (dot == std::string::npos || !ParseNumber(text.substr(0, dot).c_str(), 127, major) ||
        text.size() - dot != 3 || !ParseNumber(text.substr(dot + 1).c_str(), 99, minor))
        return false;
    word = static_cast<uint16_t>((major << 8) | minor);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    long tcpPort = -1, baud = 0;
    std::string ptyPath, password, imagePath, searchAddress, filesDir;
    bool havePassword = false, haveFirmware = false;
    uint16_t firmware = 0;
    unitsim::AckForm ackForm = unitsim::AckForm::Echo;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc)
            return Usage();
        const char* value = argv[++i];
        if (arg == "--tcp") {
            if (!ParseNumber(value, 65535, tcpPort))
                return Usage();
        } else if (arg == "--pty") {
            ptyPath = value;
        } else if (arg == "--baud") {
            if (!ParseNumber(value, 10000000, baud))
                return Usage();
        } else if (arg == "--password") {
            password = value;
            havePassword = true;
        } else if (arg == "--image") {
            imagePath = value;
        } else if (arg == "--search") {
            searchAddress = value;
        } else if (arg == "--files") {
            filesDir = value;
        } else if (arg == "--firmware") {
            if (!ParseFirmware(value, firmware))
                return Usage();
            haveFirmware = true;
        } else if (arg == "--ack") {
            if (!ParseAckForm(value, ackForm))
                return Usage();
        } else {
            return Usage();
        }
    }
    if (tcpPort < 0 && ptyPath.empty())
        return Usage();
    if (!searchAddress.empty() && tcpPort < 0)
        return Usage();

    unitsim::UnitSimulator sim;
    sim.SetAckForm(ackForm);
    if (!imagePath.empty()) {
        std::ifstream in(imagePath, std::ios::binary);
        std::vector<uint8_t> image((std::istreambuf_iterator<char>(in)),
                                   std::istreambuf_iterator<char>());
        if (!in.good() && !in.eof()) {
            std::fprintf(stderr, "unitsim: cannot read %s\n", imagePath.c_str());
            return 1;
        }
        if (image.size() != unitsim::kImageSize) {
            std::fprintf(stderr, "unitsim: %s holds %zu bytes, not %zu\n", imagePath.c_str(),
                         image.size(), unitsim::kImageSize);
            return 1;
        }
        sim.SetImage(image);
    }
    // The unit's storage for its file service: user admin, password wqe.
    if (haveFirmware)
        sim.SetDataRegister(kFirmwareVersionWord, firmware);
    sim.SetFileUser("admin", "wqe");
    if (!filesDir.empty() && !LoadUnitFiles(sim, filesDir)) {
        std::fprintf(stderr, "unitsim: cannot read the folder %s\n", filesDir.c_str());
        return 1;
    }
    if (havePassword) {
        if (password.size() > 8)
            std::fprintf(stderr, "unitsim: the password is cut to 8 bytes\n");
        sim.SetPassword(password);
    }

    // Block the signals before the simulator's thread starts, then wait for them here.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    if (tcpPort >= 0) {
        uint16_t port = sim.StartTcp(static_cast<uint16_t>(tcpPort));
        if (port == 0) {
            std::fprintf(stderr, "unitsim: cannot listen on 127.0.0.1:%ld\n", tcpPort);
            return 1;
        }
        std::printf("unitsim: TCP on 127.0.0.1:%u\n", port);
        if (!searchAddress.empty()) {
            // The unit the search finds is the one this program plays.
            unitsim::SearchUnit unit;
            unit.ip = 0x7F000001;
            unit.tcpPort = port;
            unit.name = "UNITSIM";
            sim.AddSearchUnit(unit);
            // To the sender, which hears it also when bound to one address.
            sim.SetSearchReplyTo(unitsim::SearchReplyTo::Sender);
            if (sim.StartUdp(searchAddress, kSearchPort) != kSearchPort) {
                std::fprintf(stderr, "unitsim: cannot answer searches on %s:%u\n",
                             searchAddress.c_str(), kSearchPort);
                return 1;
            }
            std::printf("unitsim: answers unit searches on %s:%u\n", searchAddress.c_str(),
                        kSearchPort);
        }
    }
    if (!ptyPath.empty()) {
        // Paced as the program's default line: start, 8 data bits, odd parity, 1 stop bit.
        if (!sim.StartPty(ptyPath, static_cast<int>(baud), 11)) {
            std::fprintf(stderr, "unitsim: cannot open a pseudo-terminal at %s\n", ptyPath.c_str());
            return 1;
        }
        char device[256] = {};
        ssize_t n = readlink(ptyPath.c_str(), device, sizeof device - 1);
        std::printf("unitsim: serial port %s (%s)%s\n", ptyPath.c_str(), n > 0 ? device : "?",
                    baud > 0 ? (" paced at " + std::to_string(baud) + " baud").c_str() : "");
    }
    std::printf("unitsim: %s; Ctrl+C ends\n",
                havePassword && !password.empty() ? "password set" : "no password");
    std::fflush(stdout);

    int signal = 0;
    sigwait(&signals, &signal);
    sim.Stop();
    std::printf("unitsim: stopped\n");
    return 0;
}
