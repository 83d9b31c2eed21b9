// A reply datagram of the unit search, as any machine on the LAN may send it.
#include <algorithm>
#include <cstring>
#include <memory>

#include "link/UnitSearch.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace qv;

namespace {

template <size_t N> bool Ends(const char (&text)[N]) {
    return std::memchr(text, 0, N) != nullptr;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The datagram in a buffer of its own length, so a read past it shows
    // (never null: the search hands in its receive buffer).
    const std::unique_ptr<uint8_t[]> datagram(new uint8_t[size]);
    std::copy_n(data, size, datagram.get());
    UnitData record;
    ParseSearchReply(datagram.get(), size, record);
    fuzz::Expect(Ends(record.IPAddress) && Ends(record.SubnetMask) && Ends(record.Gateway) &&
                     Ends(record.MacAddress) && Ends(record.Name),
                 "every text of the record ends within its field");
    fuzz::Expect(record.NameLength <= kSearchNameField, "name length within its field");
    const std::vector<UnitData> found{record};
    fuzz::Expect(!IsNewUnit(record.MacAddress, found, 1), "a listed unit is not new");
    fuzz::Expect(IsNewUnit(record.MacAddress, found, 0), "nothing listed: every unit is new");
    return 0;
}
