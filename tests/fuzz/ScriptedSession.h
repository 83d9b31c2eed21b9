// The link's session form talking to the ScriptedUnit, with time-outs short
// enough for fuzzing and the test fakes for what it asks of the machine.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "LinkFakes.h"
#include "document/CodePageText.h"
#include "link/UnitSession.h"
#include "tests/fuzz/ScriptedUnit.h"

namespace qv::fuzz {

constexpr int kLinkTimeoutMs = 1000; // only a stuck exchange would wait for it

class ScriptedSession {
public:
    explicit ScriptedSession(std::vector<std::string> frames, uint32_t cmd2K = 0)
        : unit_(ScriptedUnit::Instance()) {
        unit_.Play(std::move(frames));
        test::WriteTcpProfile(profile_, unit_.Port(), kLinkTimeoutMs);
        profile_.WriteNumber(kCommSection, "2KCmd", cmd2K);
        link =
            std::make_unique<CUnitSession>(profile_, kCodePageJapanese, nullptr, nullptr, sleeper_);
        link->NoTimeoutIdleMs = kLinkTimeoutMs;
    }
    ~ScriptedSession() {
        link.reset(); // closes the connection the unit may still hold
        unit_.Finish();
    }
    ScriptedSession(const ScriptedSession&) = delete;
    ScriptedSession& operator=(const ScriptedSession&) = delete;

    std::unique_ptr<CUnitSession> link;

private:
    ScriptedUnit& unit_;
    MemoryProfile profile_;
    test::FakeSleeper sleeper_;
};

} // namespace qv::fuzz
