// The mail-server page of the unit's LAN settings: entry 0 of the mail
// block (address, SMTP server, authentication, POP server and three values).
#pragma once
#include <vector>

#include "editors/lan/LanFieldsModel.h"

namespace qv {

constexpr int kMailAddressField = 1010;
constexpr int kMailSmtpHostField = 1011;
constexpr int kMailSmtpByIpField = 1204;
constexpr int kMailSmtpIpField = 1207;
constexpr int kMailAuthField = 1019;
constexpr int kMailUserField = 1027;
constexpr int kMailPasswordField = 1029;
constexpr int kMailPopByIpField = 1205;
constexpr int kMailPopHostField = 1028;
constexpr int kMailPopIpField = 1208;
constexpr int kMailTimeoutField = 1214;
constexpr int kMailIntervalField = 1215;
constexpr int kMailRetriesField = 1216;

constexpr size_t kMailTextWidth = 64;
constexpr size_t kMailPasswordWidth = 16;

constexpr unsigned kMsgBadMailAddressText = 20204;
constexpr unsigned kMsgBadSmtpHost = 20205;
constexpr unsigned kMsgNoMailUser = 20206;
constexpr unsigned kMsgBadMailUser = 20207;
constexpr unsigned kMsgNoMailPassword = 20208;
constexpr unsigned kMsgBadMailPassword = 20209;
constexpr unsigned kMsgNoPopHost = 20210;
constexpr unsigned kMsgBadPopHost = 20211;

// The numbers of the three lists, in list order.
const std::vector<int>& MailTimeoutValues();   // 30, 60, 90, 120, 300
const std::vector<int>& RetryIntervalValues(); // 0..5, 10, 15, 30, 60
const std::vector<int>& RetryCountValues();    // 0..10

// Whether an authentication kind uses the user name and password, and the
// POP server. A kind outside 0..3 uses neither.
bool MailAuthUsesAccount(int auth);
bool MailAuthUsesPop(int auth);

struct MailForm {
    std::wstring address;
    bool smtpByIp = false;
    std::wstring smtpHost;
    IpEntry smtpIp;
    int auth = 0; // -1: the stored kind is none of the list's; it is kept
    std::wstring user, password;
    bool popByIp = false;
    std::wstring popHost;
    IpEntry popIp;
    // The chosen numbers; -1 where the list shows none (the stored value is kept).
    int timeout = -1, interval = -1, retries = -1;
    bool secondOption = false; // the second of the two radio buttons
};

MailForm LoadMailForm(const MailBlock& block, uint32_t codePage);
Refusal CheckMailForm(const MailForm& form, uint32_t codePage, bool doubleByteUi);
// Writes entry 0's fields; entry 1 and the reserved bytes are kept.
void StoreMailForm(const MailForm& form, MailBlock& block, uint32_t codePage);

} // namespace qv
