#include "online/LanLinkModel.h"

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <cwctype>

#include "document/CodePageText.h"

namespace qv {

namespace {

std::wstring Number(long value) {
    return std::to_wstring(value);
}

// The four numbers of a stored address, as the address was read for the
// Windows address control: fields not found are 0.
std::wstring StoredAddress(const char (&field)[kAddressField]) {
    int n[4] = {};
    std::string text(field, strnlen(field, kAddressField));
    std::sscanf(text.c_str(), "%d.%d.%d.%d", &n[0], &n[1], &n[2], &n[3]);
    std::wstring shown;
    for (int i = 0; i < 4; ++i) {
        if (i > 0)
            shown += L'.';
        shown += Number(static_cast<uint8_t>(n[i]));
    }
    return shown;
}

int IndexOfSeconds(uint16_t milliseconds) {
    const std::vector<int>& list = LanTimeoutSeconds();
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i] == milliseconds / 1000)
            return static_cast<int>(i);
    return -1;
}

// The address typed as exactly four decimal numbers of 0 to 255.
bool ParseAddress(const std::wstring& text, int (&n)[4]) {
    size_t at = 0;
    while (at < text.size() && std::iswspace(text[at]))
        ++at;
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            if (at >= text.size() || text[at] != L'.')
                return false;
            ++at;
        }
        const size_t first = at;
        long value = 0;
        while (at < text.size() && text[at] >= L'0' && text[at] <= L'9' && at - first < 3)
            value = value * 10 + (text[at++] - L'0');
        if (at == first || value > 255)
            return false;
        n[i] = static_cast<int>(value);
    }
    while (at < text.size() && std::iswspace(text[at]))
        ++at;
    return at == text.size();
}

// The integer value of the port text: leading digits, 0 when there are none.
long PortValue(const std::wstring& text) {
    long value = 0;
    size_t at = 0;
    while (at < text.size() && std::iswspace(text[at]))
        ++at;
    while (at < text.size() && text[at] >= L'0' && text[at] <= L'9' && value <= 999999)
        value = value * 10 + (text[at++] - L'0');
    return value;
}

} // namespace

const std::vector<int>& LanTimeoutSeconds() {
    static const std::vector<int> seconds = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10,
                                             15, 20, 25, 30, 35, 40, 45, 50, 55, 60};
    return seconds;
}

LanLinkForm LoadLanLinkForm(const CommSettings& settings, uint32_t codePage) {
    LanLinkForm form;
    form.PcAddress = MultiToWide(settings.PCIPAddr, kAddressField, codePage);
    form.UnitAddress = StoredAddress(settings.TcpIPAddr);
    form.Port = Number(settings.TcpPort);
    form.SendTimeout = IndexOfSeconds(settings.TcpSendTimeout);
    form.ConnectTimeout = IndexOfSeconds(settings.TcpConnectTimeout);
    return form;
}

void ApplyLanDefaults(CommSettings& settings) {
    std::memset(settings.TcpIPAddr, 0, sizeof settings.TcpIPAddr);
    std::strcpy(settings.TcpIPAddr, "192.168.1.5");
    settings.TcpPort = 9094;
    settings.TcpSendTimeout = 3000;
    settings.TcpConnectTimeout = 3000;
}

LanCheck CheckLanLinkForm(const LanLinkForm& form) {
    int n[4];
    if (!ParseAddress(form.UnitAddress, n))
        return {kMsgUnitAddressForm, {}, LanField::UnitAddress};
    // No unit answers there: a connect to it goes to this machine itself.
    if ((n[0] | n[1] | n[2] | n[3]) == 0)
        return {kMsgUnitAddressZero, {}, LanField::UnitAddress};
    const long port = PortValue(form.Port);
    if (port < kLanPortMin || port > kLanPortMax)
        return {kMsgPortRange, {kLanPortMin, kLanPortMax}, LanField::Port};
    // The unit search uses that port; a unit's TCP link cannot share it.
    if (port == kSearchPort)
        return {kMsgSearchPortTaken, {}, LanField::Port};
    return {};
}

void StoreLanLinkForm(const LanLinkForm& form, CommSettings& settings) {
    int n[4] = {};
    ParseAddress(form.UnitAddress, n);
    std::memset(settings.TcpIPAddr, 0, sizeof settings.TcpIPAddr);
    std::snprintf(settings.TcpIPAddr, sizeof settings.TcpIPAddr, "%d.%d.%d.%d", n[0], n[1], n[2],
                  n[3]);
    settings.TcpPort = static_cast<uint32_t>(PortValue(form.Port));
    const std::vector<int>& seconds = LanTimeoutSeconds();
    auto pick = [&](int index, uint16_t& timeout) {
        if (index >= 0 && index < static_cast<int>(seconds.size()))
            timeout = static_cast<uint16_t>(seconds[index] * 1000);
    };
    pick(form.SendTimeout, settings.TcpSendTimeout);
    settings.TcpRecvTimeout = settings.TcpSendTimeout;
    pick(form.ConnectTimeout, settings.TcpConnectTimeout);
}

void SavePcAddress(ProfileStore& profile, uint32_t codePage, const std::string& pcAddress) {
    CommSettings settings;
    LoadCommSettings(profile, codePage, settings);
    std::memset(settings.PCIPAddr, 0, sizeof settings.PCIPAddr);
    std::memcpy(settings.PCIPAddr, pcAddress.data(),
                FitOnCharBoundary(pcAddress, kAddressField - 1, codePage));
    SaveCommSettings(profile, codePage, settings);
}

} // namespace qv
