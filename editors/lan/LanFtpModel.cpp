#include "editors/lan/LanFtpModel.h"

#include <cstring>

#include "document/CodePageText.h"
#include "document/TextChecks.h"
#include "editors/lan/LanMailModel.h"

namespace qv {

const std::vector<int>& FtpTimeoutValues() {
    static const std::vector<int> values{5, 10, 15, 30, 60, 90, 120, 300};
    return values;
}

namespace {

int Listed(const std::vector<int>& values, int stored) {
    return IndexOfValue(values, stored) >= 0 ? stored : -1;
}

// An empty name passes; any other is checked by character, then by length.
Refusal CheckAccountText(const std::wstring& text, unsigned badChars, uint32_t codePage,
                         bool doubleByteUi, int field) {
    if (text.empty())
        return {};
    if (!IsPasswordText(text, text.size()))
        return Refuse(badChars, field);
    return CheckTextFits(text, kFtpNameWidth, codePage, doubleByteUi, field);
}

} // namespace

FtpForm LoadFtpForm(const FtpBlock& ftp, const FtpAccountBlock& account, uint32_t codePage) {
    const FtpDestRecord& r = ftp[0];
    FtpForm form;
    form.text = ReadTextField(r.data() + ftpdest::kText, kFtpNameWidth, codePage);
    form.serverByIp = r.U8(ftpdest::kServerIsIp) != 0;
    if (form.serverByIp)
        form.serverIp = ReadIpEntry(r.data() + ftpdest::kServer);
    else
        form.host = ReadTextField(r.data() + ftpdest::kServer, kFtpHostWidth, codePage);
    form.user = ReadTextField(r.data() + ftpdest::kUser, kFtpNameWidth, codePage);
    form.password = ReadTextField(r.data() + ftpdest::kPassword, kFtpNameWidth, codePage);
    form.option1 = r.U8(ftpdest::kOption1) != 0;
    form.folder = ReadTextField(r.data() + ftpdest::kFolder, kFtpFolderWidth, codePage);
    form.option2 = r.U8(ftpdest::kOption2) != 0;
    form.timeout = Listed(FtpTimeoutValues(), r.U16(ftpdest::kValue1));
    form.interval = Listed(RetryIntervalValues(), r.U8(ftpdest::kValue2));
    form.retries = Listed(RetryCountValues(), r.U8(ftpdest::kValue3));
    form.accountUser = ReadTextField(account.data() + ftpacct::kUser, kFtpNameWidth, codePage);
    form.accountPassword =
        ReadTextField(account.data() + ftpacct::kPassword, kFtpNameWidth, codePage);
    form.accountOption = account.U8(ftpacct::kOption) != 0;
    return form;
}

Refusal CheckFtpForm(const FtpForm& form, uint32_t codePage, bool doubleByteUi) {
    if (Refusal r = CheckTextFits(form.text, kFtpNameWidth, codePage, doubleByteUi, kFtpTextField);
        r.Refused())
        return r;
    if (form.serverByIp) {
        if (!IsServerAddressOrNone(form.serverIp))
            return Refuse(kMsgBadServerAddress, kFtpIpField);
    } else {
        if (Refusal r =
                CheckTextFits(form.host, kFtpHostWidth, codePage, doubleByteUi, kFtpHostField);
            r.Refused())
            return r;
        if (!form.host.empty() && !IsHostNameText(form.host, form.host.size()))
            return Refuse(kMsgBadFtpHost, kFtpHostField);
    }
    if (Refusal r =
            CheckAccountText(form.user, kMsgBadFtpUser, codePage, doubleByteUi, kFtpUserField);
        r.Refused())
        return r;
    if (Refusal r = CheckAccountText(form.password, kMsgBadFtpPassword, codePage, doubleByteUi,
                                     kFtpPasswordField);
        r.Refused())
        return r;
    if (Refusal r =
            CheckTextFits(form.folder, kFtpFolderWidth, codePage, doubleByteUi, kFtpFolderField);
        r.Refused())
        return r;
    if (Refusal r = CheckAccountText(form.accountUser, kMsgBadFtpUser, codePage, doubleByteUi,
                                     kFtpAccountUserField);
        r.Refused())
        return r;
    return CheckAccountText(form.accountPassword, kMsgBadFtpPassword, codePage, doubleByteUi,
                            kFtpAccountPasswordField);
}

void StoreFtpForm(const FtpForm& form, FtpBlock& ftp, FtpAccountBlock& account, uint32_t codePage) {
    FtpDestRecord& r = ftp[0];
    StoreTextField(r.data() + ftpdest::kText, kFtpNameWidth, form.text, codePage);

    // Cleared in full: no old host name is left behind an address.
    const std::string oldHost = FieldBytes(r.data() + ftpdest::kServer, kFtpHostWidth);
    r.SetU8(ftpdest::kServerIsIp, form.serverByIp ? 1 : 0);
    std::memset(r.data() + ftpdest::kServer, 0, kFtpHostWidth);
    if (form.serverByIp)
        WriteIpEntry(form.serverIp, r.data() + ftpdest::kServer);
    else if (const auto bytes = ShownTextToMulti(oldHost, form.host, codePage))
        WriteMultiField(r.data() + ftpdest::kServer, kFtpHostWidth, *bytes, codePage);

    StoreTextField(r.data() + ftpdest::kUser, kFtpNameWidth, form.user, codePage);
    StoreTextField(r.data() + ftpdest::kPassword, kFtpNameWidth, form.password, codePage);
    r.SetU8(ftpdest::kOption1, form.option1 ? 1 : 0);
    StoreTextField(r.data() + ftpdest::kFolder, kFtpFolderWidth, form.folder, codePage);
    r.SetU8(ftpdest::kOption2, form.option2 ? 1 : 0);
    if (form.timeout >= 0)
        r.SetU16(ftpdest::kValue1, static_cast<uint16_t>(form.timeout));
    if (form.interval >= 0)
        r.SetU8(ftpdest::kValue2, static_cast<uint8_t>(form.interval));
    if (form.retries >= 0)
        r.SetU8(ftpdest::kValue3, static_cast<uint8_t>(form.retries));

    StoreTextField(account.data() + ftpacct::kUser, kFtpNameWidth, form.accountUser, codePage);
    StoreTextField(account.data() + ftpacct::kPassword, kFtpNameWidth, form.accountPassword,
                   codePage);
    account.SetU8(ftpacct::kOption, form.accountOption ? 1 : 0);
}

} // namespace qv
