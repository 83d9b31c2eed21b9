// Starts the loopback FTP server of tests/link/ftp_server.py on a folder and
// stops it again; `options` make it misbehave (see the script).
#pragma once
#include <csignal>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "tests/TestPaths.h"

namespace qv::test {

class FtpServer {
public:
    // Port 0 takes a free one.
    explicit FtpServer(const std::string& root, int port = 0,
                       const std::vector<std::string>& options = {}) {
        const std::string portText = std::to_string(port);
        std::vector<const char*> argv = {"python3", test::kFtpServerScript, root.c_str(),
                                         portText.c_str()};
        for (const std::string& o : options)
            argv.push_back(o.c_str());
        argv.push_back(nullptr);
        int out[2];
        if (::pipe(out) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(out[1], 1);
            ::close(out[0]);
            ::close(out[1]);
            ::execv("/usr/bin/python3", const_cast<char* const*>(argv.data()));
            ::_exit(127);
        }
        ::close(out[1]);
        FILE* in = ::fdopen(out[0], "r");
        if (in && std::fscanf(in, "%d", &port_) != 1)
            port_ = 0;
        if (in)
            std::fclose(in);
    }
    ~FtpServer() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            int status = 0;
            ::waitpid(pid_, &status, 0);
        }
    }
    FtpServer(const FtpServer&) = delete;
    FtpServer& operator=(const FtpServer&) = delete;

    // 0 when the server did not start.
    int Port() const { return port_; }

private:
    pid_t pid_ = -1;
    int port_ = 0;
};

} // namespace qv::test
