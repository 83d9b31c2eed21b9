// Fakes of what the link asks of the user and the machine, and a profile
// with short time-outs for the tests.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "document/ProfileStore.h"
#include "link/CommSettings.h"
#include "link/LinkServices.h"
#include "link/UnitComm.h"

namespace qv::test {

class FakeSleeper : public Sleeper {
public:
    void SleepMs(int ms) override { sleeps.push_back(ms); }
    std::vector<int> sleeps;
};

// The wait dialog: records what it is told; cancels from the given pump on
// (1-based; 0 never), or when onPump says so.
class FakeProgress : public ProgressSink {
public:
    explicit FakeProgress(int cancelAtPump = 0) : cancelAt(cancelAtPump) {}
    void Begin(unsigned id, int range) override {
        ++begins;
        messageId = id;
        rangeMax = range;
    }
    void BeginText(const std::string& t, int range) override {
        ++begins;
        text = t;
        rangeMax = range;
    }
    void SetPosition(int p) override { positions.push_back(p); }
    void SetDetail(const std::wstring& d) override { details.push_back(d); }
    bool PumpAndCancelled() override {
        ++pumps;
        return (cancelAt > 0 && pumps >= cancelAt) || (onPump && onPump());
    }
    void End() override { ++ends; }
    int cancelAt;
    std::function<bool()> onPump; // true: the user cancelled
    int begins = 0, ends = 0, pumps = 0;
    unsigned messageId = 0;
    std::string text;
    int rangeMax = 0;
    std::vector<int> positions;
    std::vector<std::wstring> details;
};

class FakePrompt : public PasswordPrompt {
public:
    explicit FakePrompt(std::string answer, bool ok = true) : answer(std::move(answer)), ok(ok) {}
    bool AskPassword(CUnitComm& link) override {
        ++asked;
        if (ok)
            link.SetLoginPassword(answer);
        return ok;
    }
    std::string answer;
    bool ok;
    int asked = 0;
};

// Profile values for a link to the simulator with short time-outs.
inline void WriteTcpProfile(ProfileStore& p, uint16_t port, int timeoutMs = 300) {
    p.WriteNumber(kCommSection, "CommType", kCommTcp);
    p.WriteText(kCommSection, "TCP IPAddr", L"127.0.0.1");
    p.WriteNumber(kCommSection, "TCP Port", port);
    p.WriteNumber(kCommSection, "TCP SendTimeout", timeoutMs);
    p.WriteNumber(kCommSection, "TCP RecvTimeout", timeoutMs);
    p.WriteNumber(kCommSection, "TCP ConnectTimeout", timeoutMs);
}

inline void WriteSerialProfile(ProfileStore& p, const std::string& path, int timeoutMs = 300) {
    p.WriteNumber(kCommSection, "CommType", kCommSerial);
    p.WriteText(kCommSection, "COM Name", std::wstring(path.begin(), path.end()));
    p.WriteNumber(kCommSection, "COM SendTimeout", timeoutMs);
    p.WriteNumber(kCommSection, "COM RecvTimeout", timeoutMs);
}

} // namespace qv::test
