// The image layout as published for the unit, written out independently of the
// program's own tables so that a slip in either shows.
#pragma once
#include <cstddef>
#include <string>

namespace qv::test {

struct PublishedBlock {
    const char* name;
    size_t offset;
    size_t size;
    size_t recordSize; // 0 for a block without records
};

inline const PublishedBlock kPublishedBlocks[] = {
    {"ImageHeader", 0, 64, 0},          {"UnitBlock", 64, 64, 0},
    {"TriggerTable", 128, 20480, 80},   {"FileTable", 20608, 5200, 80},
    {"DeviceTable", 25808, 40000, 80},  {"MailSendTable", 65808, 18432, 288},
    {"DataSetTable", 84240, 8192, 64},  {"SpareBlock64", 92432, 64, 0},
    {"IpBlock", 92496, 32, 0},          {"MailBlock", 92528, 576, 288},
    {"FtpBlock", 93104, 912, 304},      {"FtpAccountBlock", 94016, 304, 0},
    {"SpareBlock960", 94320, 960, 0},   {"WriteStampBlock", 95280, 64, 0},
    {"UserTable", 95344, 1280, 80},     {"GroupTable", 96624, 768, 48},
    {"ErrorNotifyBlock", 97392, 32, 0}, {"SpareBlock16A", 97424, 16, 0},
    {"SpareBlock16B", 97440, 16, 0},    {"TimeBlock", 97456, 96, 0},
    {"ConfigExtraBlock", 97552, 512, 0}, {"PortNumberBlock", 98064, 32, 0},
};

inline const PublishedBlock* FindPublishedBlock(const std::string& name) {
    for (const PublishedBlock& b : kPublishedBlocks)
        if (name == b.name)
            return &b;
    return nullptr;
}

} // namespace qv::test
