// The link against the in-process unit simulator, over TCP on loopback or
// over the simulator's pseudo-terminal (reached through a symlink in a
// temporary folder of the test's own).
#pragma once
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <memory>
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

inline std::string WireName(const ::testing::TestParamInfo<Wire>& info) {
    return info.param == Wire::Tcp ? "Tcp" : "Pty";
}

constexpr int kTestTimeoutMs = 200;

class SimLinkTest : public ::testing::TestWithParam<Wire> {
protected:
    void SetUp() override {
        sim = std::make_unique<unitsim::UnitSimulator>();
        if (GetParam() == Wire::Tcp) {
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

    bool Tcp() const { return GetParam() == Wire::Tcp; }
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
