// The link against the in-process unit simulator, over TCP on loopback or
// over the simulator's pseudo-terminal (reached through a symlink in a
// temporary folder of the test's own).
#pragma once
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "LinkFakes.h"
#include "document/CodePageText.h"
#include "document/ProfileStore.h"
#include "link/UnitComm.h"
#include "link/UnitSession.h"
#include "tools/unitsim/UnitSimulator.h"

namespace qv::test {

enum class Wire { Tcp, Pty };

// What a test runs against: the wire, and the form in which the unit
// acknowledges the frames of a chunked request.
struct SimCase {
    SimCase(Wire w, unitsim::AckForm a = unitsim::AckForm::Echo) : wire(w), ack(a) {}
    Wire wire;
    unitsim::AckForm ack;
};

inline const char* AckFormName(unitsim::AckForm form) {
    switch (form) {
    case unitsim::AckForm::Echo:
        return "EchoAck";
    case unitsim::AckForm::Mark:
        return "MarkAck";
    case unitsim::AckForm::Bare:
        return "BareAck";
    }
    return "?";
}

inline void PrintTo(const SimCase& c, std::ostream* os) {
    *os << (c.wire == Wire::Tcp ? "Tcp" : "Pty") << ", " << AckFormName(c.ack);
}

// "Tcp", "Pty"; with another acknowledgement than the echo "Tcp_BareAck".
inline std::string WireName(const ::testing::TestParamInfo<SimCase>& info) {
    std::string name = info.param.wire == Wire::Tcp ? "Tcp" : "Pty";
    if (info.param.ack != unitsim::AckForm::Echo)
        name = name + "_" + AckFormName(info.param.ack);
    return name;
}

// Both wires with every form of acknowledgement, for the tests of the
// chunked requests.
inline std::vector<SimCase> EveryWireAndAckForm() {
    std::vector<SimCase> cases;
    for (Wire w : {Wire::Tcp, Wire::Pty})
        for (auto a : {unitsim::AckForm::Echo, unitsim::AckForm::Mark, unitsim::AckForm::Bare})
            cases.emplace_back(w, a);
    return cases;
}

constexpr int kTestTimeoutMs = 200;

class SimLinkTest : public ::testing::TestWithParam<SimCase> {
protected:
    void SetUp() override {
        sim = std::make_unique<unitsim::UnitSimulator>();
        sim->SetAckForm(GetParam().ack);
        if (GetParam().wire == Wire::Tcp) {
            const uint16_t port = sim->StartTcp();
            ASSERT_NE(port, 0);
            WriteTcpProfile(profile, port, kTestTimeoutMs);
        } else {
            char tmpl[] = "/tmp/qv-link-XXXXXX";
            ASSERT_NE(::mkdtemp(tmpl), nullptr);
            dir = tmpl;
            const std::string path = dir + "/unit";
            ASSERT_TRUE(sim->StartPty(path));
            WriteSerialProfile(profile, path, kTestTimeoutMs);
        }
        sim->SetRunMode(false);
    }
    void TearDown() override {
        sim.reset();
        if (!dir.empty()) {
            std::error_code ec;
            std::filesystem::remove_all(dir, ec);
        }
    }

    bool Tcp() const { return GetParam().wire == Wire::Tcp; }
    LinkResult TimeoutCode() const {
        return Tcp() ? link_result::kTcpRecvWait : link_result::kSerialRecv;
    }

    std::unique_ptr<CUnitComm> Link(ProgressSink* progress = nullptr,
                                    PasswordPrompt* prompt = nullptr) {
        return std::make_unique<CUnitComm>(profile, kCodePageJapanese, progress, prompt, sleeper);
    }
    std::unique_ptr<CUnitSession> Session(ProgressSink* progress = nullptr,
                                          PasswordPrompt* prompt = nullptr) {
        return std::make_unique<CUnitSession>(profile, kCodePageJapanese, progress, prompt,
                                              sleeper);
    }

    // The requests the unit received, without their CR.
    std::vector<std::string> Requests() const {
        std::vector<std::string> out;
        for (const auto& e : sim->Transcript())
            if (!e.fromUnit)
                out.push_back(e.frame);
        return out;
    }
    size_t CountRequests(const std::string& prefix) const {
        size_t n = 0;
        for (const auto& r : Requests())
            n += r.compare(0, prefix.size(), prefix) == 0;
        return n;
    }

    static std::vector<uint8_t> RandomImage(uint32_t seed) {
        std::mt19937 gen(seed);
        std::vector<uint8_t> image(kBlockImageSize);
        for (auto& b : image)
            b = static_cast<uint8_t>(gen());
        return image;
    }

    MemoryProfile profile;
    FakeSleeper sleeper;
    std::unique_ptr<unitsim::UnitSimulator> sim;
    std::string dir;
};

// A request as sent: text, check code (no CR).
inline std::string Sent(std::string text, bool more = false) {
    FinishFrame(text, more);
    text.pop_back();
    return text;
}

} // namespace qv::test
