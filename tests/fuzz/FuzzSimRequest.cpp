// The unit simulator's side: request lines as a program sends them, parsed
// and carried out by the simulated unit. Input: the lines, each up to its CR.
#include "tests/fuzz/FuzzSupport.h"
#include "tools/unitsim/SimUnit.h"

using namespace unitsim;

namespace {

UnitState FreshUnit() {
    UnitState unit;
    unit.password = "pw"; // so the login and the protected commands have work
    unit.files.AddFolder("/SD/LOG");
    unit.files.AddFile("/SD/LOG/A.CSV", "1,2,3\r\n");
    unit.files.SetUser("user", "pass");
    return unit;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Every input meets the same unit; copying into the kept one is far
    // quicker than building it.
    static const UnitState fresh = FreshUnit();
    static UnitState unit;
    unit = fresh;
    Transfer transfer;
    for (std::string line : qv::fuzz::SplitAfter(qv::fuzz::AsText(data, size), '\r')) {
        if (line.back() == '\r')
            line.pop_back();
        if (line.empty() || line.size() >= frames::kMaxRequestChars)
            continue; // as the simulator's line reader drops them
        const frames::Request q = frames::ParseRequest(line);
        if (!q.isFrame)
            continue;
        EffectiveCode(transfer, q);
        const frames::Reply r = Handle(unit, transfer, q);
        const std::string out = frames::Serialize(r);
        qv::fuzz::Expect(!out.empty() && out.find('\r') == std::string::npos,
                         "a reply is one frame without its CR");
    }
    return 0;
}
