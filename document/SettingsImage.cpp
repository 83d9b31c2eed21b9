#include "document/SettingsImage.h"

#include "document/Scramble.h"

namespace qv {

#define QV_BLOCK(name, member) {name, offsetof(ImageBlocks, member), sizeof(ImageBlocks::member)}
const BlockInfo kBlockLayout[kBlockCount] = {
    QV_BLOCK("ImageHeader", header),
    QV_BLOCK("UnitBlock", unit),
    QV_BLOCK("TriggerTable", triggers),
    QV_BLOCK("FileTable", files),
    QV_BLOCK("DeviceTable", devices),
    QV_BLOCK("MailSendTable", mailSends),
    QV_BLOCK("DataSetTable", dataSets),
    QV_BLOCK("SpareBlock64", spare64),
    QV_BLOCK("IpBlock", ip),
    QV_BLOCK("MailBlock", mail),
    QV_BLOCK("FtpBlock", ftp),
    QV_BLOCK("FtpAccountBlock", ftpAccount),
    QV_BLOCK("SpareBlock960", spare960),
    QV_BLOCK("WriteStampBlock", writeStamp),
    QV_BLOCK("UserTable", users),
    QV_BLOCK("GroupTable", groups),
    QV_BLOCK("ErrorNotifyBlock", errorNotify),
    QV_BLOCK("SpareBlock16A", spare16A),
    QV_BLOCK("SpareBlock16B", spare16B),
    QV_BLOCK("TimeBlock", time),
    QV_BLOCK("ConfigExtraBlock", configExtra),
    QV_BLOCK("PortNumberBlock", portNumbers),
};
#undef QV_BLOCK

void ScrambleUserTable(UserTable& users) {
    for (UserRecord& r : users.records) {
        ScrambleBytes(r.data() + user::kAddress, user::kAddressWidth);
        ScrambleBytes(r.data() + user::kName, user::kNameWidth);
    }
}

void UnscrambleUserTable(UserTable& users) {
    for (UserRecord& r : users.records) {
        UnscrambleBytes(r.data() + user::kAddress, user::kAddressWidth);
        UnscrambleBytes(r.data() + user::kName, user::kNameWidth);
    }
}

} // namespace qv
