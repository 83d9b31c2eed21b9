#include "editors/lan/LanMailModel.h"

#include <cstring>

#include "document/CodePageText.h"
#include "document/TextChecks.h"

namespace qv {

const std::vector<int>& MailTimeoutValues() {
    static const std::vector<int> values{30, 60, 90, 120, 300};
    return values;
}

const std::vector<int>& RetryIntervalValues() {
    static const std::vector<int> values{0, 1, 2, 3, 4, 5, 10, 15, 30, 60};
    return values;
}

const std::vector<int>& RetryCountValues() {
    static const std::vector<int> values{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    return values;
}

bool MailAuthUsesAccount(int auth) {
    return auth >= 1 && auth <= 3;
}

bool MailAuthUsesPop(int auth) {
    return auth == 1 || auth == 2;
}

namespace {

// A list value that the list holds, else -1.
int Listed(const std::vector<int>& values, int stored) {
    return IndexOfValue(values, stored) >= 0 ? stored : -1;
}

// Every character in the checked set (single-byte only), and within the
// field's bytes.
Refusal CheckCharsAndLength(const std::wstring& text, bool (*check)(const std::wstring&, size_t),
                            unsigned badChars, size_t width, uint32_t codePage, bool doubleByteUi,
                            int field) {
    if (!check(text, text.size()))
        return Refuse(badChars, field);
    return CheckTextFits(text, width, codePage, doubleByteUi, field);
}

} // namespace

MailForm LoadMailForm(const MailBlock& block, uint32_t codePage) {
    const MailServerRecord& r = block[0];
    MailForm form;
    form.address = ReadTextField(r.data() + mailsrv::kAddress, kMailTextWidth, codePage);
    form.smtpByIp = r.U8(mailsrv::kSmtpIsIp) != 0;
    if (form.smtpByIp)
        form.smtpIp = ReadIpEntry(r.data() + mailsrv::kSmtp);
    else
        form.smtpHost = ReadTextField(r.data() + mailsrv::kSmtp, kMailTextWidth, codePage);
    const int auth = r.U8(mailsrv::kAuth);
    form.auth = auth <= 3 ? auth : -1;
    form.user = ReadTextField(r.data() + mailsrv::kAccount, kMailTextWidth, codePage);
    form.password = ReadTextField(r.data() + mailsrv::kPassword, kMailPasswordWidth, codePage);
    form.popByIp = r.U8(mailsrv::kPop3IsIp) != 0;
    if (MailAuthUsesPop(form.auth)) {
        if (form.popByIp)
            form.popIp = ReadIpEntry(r.data() + mailsrv::kPop3);
        else
            form.popHost = ReadTextField(r.data() + mailsrv::kPop3, kMailTextWidth, codePage);
    }
    form.timeout = Listed(MailTimeoutValues(), r.U16(mailsrv::kValue1));
    form.interval = Listed(RetryIntervalValues(), r.U8(mailsrv::kValue2));
    form.retries = Listed(RetryCountValues(), r.U8(mailsrv::kValue3));
    form.secondOption = (r.U8(mailsrv::kChoice) & 1) != 0;
    return form;
}

Refusal CheckMailForm(const MailForm& form, uint32_t codePage, bool doubleByteUi) {
    if (!form.address.empty())
        if (Refusal r =
                CheckCharsAndLength(form.address, IsMailAddressText, kMsgBadMailAddressText,
                                    kMailTextWidth, codePage, doubleByteUi, kMailAddressField);
            r.Refused())
            return r;
    if (form.smtpByIp) {
        if (!IsServerAddressOrNone(form.smtpIp))
            return Refuse(kMsgBadServerAddress, kMailSmtpIpField);
    } else if (!form.smtpHost.empty()) {
        if (Refusal r =
                CheckCharsAndLength(form.smtpHost, IsHostNameText, kMsgBadSmtpHost, kMailTextWidth,
                                    codePage, doubleByteUi, kMailSmtpHostField);
            r.Refused())
            return r;
    }
    if (MailAuthUsesAccount(form.auth)) {
        if (form.user.empty())
            return Refuse(kMsgNoMailUser, kMailUserField);
        if (Refusal r = CheckCharsAndLength(form.user, IsPasswordText, kMsgBadMailUser,
                                            kMailTextWidth, codePage, doubleByteUi, kMailUserField);
            r.Refused())
            return r;
        if (form.password.empty())
            return Refuse(kMsgNoMailPassword, kMailPasswordField);
        if (Refusal r =
                CheckCharsAndLength(form.password, IsPasswordText, kMsgBadMailPassword,
                                    kMailPasswordWidth, codePage, doubleByteUi, kMailPasswordField);
            r.Refused())
            return r;
    }
    if (MailAuthUsesPop(form.auth)) {
        if (form.popByIp) {
            // A POP server is required: 0.0.0.0 names none.
            if (!IsUnicastAddress(form.popIp))
                return Refuse(kMsgBadServerAddress, kMailPopIpField);
        } else {
            if (form.popHost.empty())
                return Refuse(kMsgNoPopHost, kMailPopHostField);
            if (Refusal r =
                    CheckCharsAndLength(form.popHost, IsHostNameText, kMsgBadPopHost,
                                        kMailTextWidth, codePage, doubleByteUi, kMailPopHostField);
                r.Refused())
                return r;
        }
    }
    return {};
}

void StoreMailForm(const MailForm& form, MailBlock& block, uint32_t codePage) {
    MailServerRecord& r = block[0];
    StoreTextField(r.data() + mailsrv::kAddress, kMailTextWidth, form.address, codePage);

    // The server fields are cleared in full: no old host name is left behind an address.
    const std::string oldSmtp = FieldBytes(r.data() + mailsrv::kSmtp, kMailTextWidth);
    r.SetU8(mailsrv::kSmtpIsIp, form.smtpByIp ? 1 : 0);
    std::memset(r.data() + mailsrv::kSmtp, 0, kMailTextWidth);
    if (form.smtpByIp) {
        WriteIpEntry(form.smtpIp, r.data() + mailsrv::kSmtp);
    } else if (const auto bytes = ShownTextToMulti(oldSmtp, form.smtpHost, codePage)) {
        WriteMultiField(r.data() + mailsrv::kSmtp, kMailTextWidth, *bytes, codePage);
    }

    if (form.auth >= 0)
        r.SetU8(mailsrv::kAuth, static_cast<uint8_t>(form.auth));
    if (MailAuthUsesAccount(form.auth)) {
        StoreTextField(r.data() + mailsrv::kAccount, kMailTextWidth, form.user, codePage);
        StoreTextField(r.data() + mailsrv::kPassword, kMailPasswordWidth, form.password, codePage);
    }

    const std::string oldPop = FieldBytes(r.data() + mailsrv::kPop3, kMailTextWidth);
    r.SetU8(mailsrv::kPop3IsIp, form.popByIp ? 1 : 0);
    std::memset(r.data() + mailsrv::kPop3, 0, kMailTextWidth);
    if (MailAuthUsesPop(form.auth)) {
        if (form.popByIp)
            WriteIpEntry(form.popIp, r.data() + mailsrv::kPop3);
        else if (const auto bytes = ShownTextToMulti(oldPop, form.popHost, codePage))
            WriteMultiField(r.data() + mailsrv::kPop3, kMailTextWidth, *bytes, codePage);
    }

    if (form.timeout >= 0)
        r.SetU16(mailsrv::kValue1, static_cast<uint16_t>(form.timeout));
    if (form.interval >= 0)
        r.SetU8(mailsrv::kValue2, static_cast<uint8_t>(form.interval));
    if (form.retries >= 0)
        r.SetU8(mailsrv::kValue3, static_cast<uint8_t>(form.retries));
    r.SetU8(mailsrv::kChoice, form.secondOption ? 1 : 0);
}

} // namespace qv
