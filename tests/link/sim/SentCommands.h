// The commands the simulated unit received, for the tests that check which
// commands a tool sends and in what order.
#pragma once
#include <string>
#include <vector>

#include "SimFixture.h"

namespace qv::test {

// The commands the unit received, continuation frames left out: the body
// without station and check code, block transfers and password commands cut
// to their code ("3A", "3B", "15A").
inline std::vector<std::string> Commands(const std::vector<std::string>& requests) {
    std::vector<std::string> out;
    for (const std::string& r : requests) {
        if (r.size() < 6 || r[3] != '#')
            continue;
        std::string body = r.substr(4);
        if (body.back() == '&')
            body.pop_back();
        body.resize(body.size() - 2);
        if (body.compare(0, 2, "3A") == 0 || body.compare(0, 2, "3B") == 0)
            body.resize(2);
        else if (body.compare(0, 2, "15") == 0)
            body.resize(3);
        out.push_back(body);
    }
    return out;
}

// A simulator test that checks which commands a tool sent.
class SentCommandsTest : public SimLinkTest {
protected:
    std::vector<std::string> SentCommands() const { return Commands(Requests()); }
};

} // namespace qv::test
