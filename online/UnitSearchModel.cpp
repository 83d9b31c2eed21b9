#include "online/UnitSearchModel.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "document/CodePageText.h"
#include "document/StringTable.h"
#include "link/CommSettings.h"

namespace qv {

std::vector<UnitRow> UnitRows(const std::vector<UnitData>& units, int count, uint32_t codePage) {
    std::vector<UnitRow> rows;
    const size_t n = std::min(units.size(), static_cast<size_t>(std::max(count, 0)));
    for (size_t i = 0; i < n; ++i) {
        const UnitData& u = units[i];
        char version[8];
        std::snprintf(version, sizeof version, "%X.%02X", u.VersionMajor, u.VersionMinor);
        auto text = [&](const char* bytes, size_t size) {
            return MultiToWide(bytes, size, codePage);
        };
        rows.push_back({text(u.Name, sizeof u.Name), text(u.IPAddress, sizeof u.IPAddress),
                        u.OnOffFlag ? L"ON" : L"OFF", text(u.MacAddress, sizeof u.MacAddress),
                        text(version, sizeof version), u.RunFlag ? L"RUN" : L"STOP"});
    }
    return rows;
}

void TakeUnit(ProfileStore& profile, uint32_t codePage, const UnitData& unit, UnitPick pick) {
    CommSettings settings;
    LoadCommSettings(profile, codePage, settings);
    std::memset(settings.TcpIPAddr, 0, sizeof settings.TcpIPAddr);
    std::memcpy(settings.TcpIPAddr, unit.IPAddress,
                std::min(strnlen(unit.IPAddress, sizeof unit.IPAddress), kAddressField - 1));
    if (pick == UnitPick::Ok)
        settings.TcpPort = unit.TcpPort;
    SaveCommSettings(profile, codePage, settings);
}

std::optional<std::wstring> SearchFailureText(LinkResult result, uint32_t lastError) {
    using namespace link_result;
    // A unit's status byte can hold any of these numbers too; only a failing
    // socket call leaves its reason behind.
    static const LinkResult kSocketFailures[] = {kSocketStartup, kUdpNoSocket, kUdpNonBlocking,
                                                 kUdpBroadcast,  kSocketBind,  kUdpSend,
                                                 kUdpRecv};
    if (lastError == 0 || std::find(std::begin(kSocketFailures), std::end(kSocketFailures),
                                    result) == std::end(kSocketFailures))
        return std::nullopt;
    return ResString(kMsgSearchFailed) + L"\n\n" + GetCommErrorText(result, lastError);
}

} // namespace qv
