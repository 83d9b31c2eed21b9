// The PC-side LAN link settings without their window: the unit's address and
// TCP port and the time-outs of the TCP link, and the PC address the
// connection dialog stores before it opens this dialog or the unit search.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "link/CommSettings.h"
#include "link/UdpSocket.h"

namespace qv {

class ProfileStore;

constexpr unsigned kDlgLanLink = 349;
constexpr unsigned kMsgSearchPortTaken = 20172; // the port of the unit search
constexpr unsigned kMsgPortRange = 20300;       // "%d" and "%d": the limits
constexpr unsigned kMsgUnitAddressForm = 34910;
constexpr unsigned kMsgUnitAddressZero = 34911;

constexpr int kLanPortMin = 1;
constexpr int kLanPortMax = 49151;

// The seconds both time-out lists offer, in their order.
const std::vector<int>& LanTimeoutSeconds();

// What the dialog shows. Texts as the user sees them; a list index of -1
// means no item is selected.
struct LanLinkForm {
    std::wstring PcAddress;   // shown only
    std::wstring UnitAddress; // four numbers joined by dots
    std::wstring Port;        // decimal, at most 5 characters
    int SendTimeout = -1;     // index into LanTimeoutSeconds()
    int ConnectTimeout = -1;
};

enum class LanField { None, UnitAddress, Port };

struct LanCheck {
    unsigned MessageId = 0; // 0: the form passes
    std::vector<int> Args;  // for the message's conversions
    LanField Focus = LanField::None;
    bool Passed() const { return MessageId == 0; }
};

LanLinkForm LoadLanLinkForm(const CommSettings& settings, uint32_t codePage);
// The defaults button: address 192.168.1.5, port 9094, 3 seconds both.
void ApplyLanDefaults(CommSettings& settings);
LanCheck CheckLanLinkForm(const LanLinkForm& form);
// After a passed check: the address, the port and the three time-outs (the
// receive time-out takes the send time-out). A list left without a selection
// keeps the stored time-out. Every other field stays as it is.
void StoreLanLinkForm(const LanLinkForm& form, CommSettings& settings);

// Stores the PC address the connection dialog shows (already in the code
// page) over the link settings as they are in the profile now.
void SavePcAddress(ProfileStore& profile, uint32_t codePage, const std::string& pcAddress);

} // namespace qv
