// The FTP page of the unit's LAN settings: entry 0 of the upload
// destinations and the account of the unit's own FTP server.
#pragma once
#include <vector>

#include "editors/lan/LanFieldsModel.h"

namespace qv {

constexpr int kFtpOption1Field = 1026;
constexpr int kFtpOption2Field = 1027;
constexpr int kFtpAccountOptionField = 1028;
constexpr int kFtpPasswordField = 1029;
constexpr int kFtpAccountPasswordField = 1030;
constexpr int kFtpTextField = 1131;
constexpr int kFtpHostField = 1132;
constexpr int kFtpUserField = 1133;
constexpr int kFtpAccountUserField = 1134;
constexpr int kFtpFolderField = 1136;
constexpr int kFtpByIpField = 1208;
constexpr int kFtpIpField = 1209;
constexpr int kFtpTimeoutField = 1245;
constexpr int kFtpIntervalField = 1246;
constexpr int kFtpRetriesField = 1247;

constexpr size_t kFtpHostWidth = 64;
constexpr size_t kFtpNameWidth = 32; // user names, passwords and the text
constexpr size_t kFtpFolderWidth = 128;

constexpr unsigned kMsgBadFtpHost = 20212;
constexpr unsigned kMsgBadFtpUser = 20213;
constexpr unsigned kMsgBadFtpPassword = 20214;

const std::vector<int>& FtpTimeoutValues(); // 5, 10, 15, 30, 60, 90, 120, 300
// The other two lists are the mail page's (RetryIntervalValues, RetryCountValues).

struct FtpForm {
    std::wstring text;
    bool serverByIp = false;
    std::wstring host;
    IpEntry serverIp;
    std::wstring user, password;
    bool option1 = false;
    std::wstring folder;
    bool option2 = false;
    // The chosen numbers; -1 where the list shows none (the stored value is kept).
    int timeout = -1, interval = -1, retries = -1;
    std::wstring accountUser, accountPassword;
    bool accountOption = false;
};

FtpForm LoadFtpForm(const FtpBlock& ftp, const FtpAccountBlock& account, uint32_t codePage);
Refusal CheckFtpForm(const FtpForm& form, uint32_t codePage, bool doubleByteUi);
// Writes entry 0's fields and the account's; entries 1 and 2 and the
// reserved bytes are kept.
void StoreFtpForm(const FtpForm& form, FtpBlock& ftp, FtpAccountBlock& account, uint32_t codePage);

} // namespace qv
