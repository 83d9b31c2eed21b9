#include <gtest/gtest.h>

#include "tests/core/DocFixtures.h"

namespace qv {
namespace {

// A one-byte change at the first, a middle and the last byte of each block.
TEST(Document, IsUnmodifiedSeesEveryByteOfComparedBlocksOnly) {
    CQuorvelDoc doc(kCodePageJapanese);
    for (int i = 0; i < kBlockCount; ++i) {
        const BlockInfo& b = kBlockLayout[i];
        const bool compared = i != kBlockHeader && i != kBlockSpare64;
        for (size_t k : {size_t{0}, b.size / 2, b.size - 1}) {
            uint8_t& byte = doc.Blocks().raw()[b.offset + k];
            const uint8_t old = byte;
            byte ^= 0x01;
            EXPECT_EQ(doc.IsUnmodified(), !compared) << b.name << " byte " << k;
            byte = old;
            EXPECT_TRUE(doc.IsUnmodified());
        }
    }
}

TEST(Document, SnapshotModes) {
    CQuorvelDoc doc(kCodePageJapanese);
    doc.Blocks().unit.SetU8(unit::kUnitOption, 1);
    doc.TakeSnapshot(2); // not a mode: nothing happens
    EXPECT_FALSE(doc.IsUnmodified());
    doc.TakeSnapshot(kSnapshotSaved);
    EXPECT_TRUE(doc.IsUnmodified());
}

// The settings wizard resets everything, the spare blocks and the saved state
// included; cancelling it must give back exactly what was there.
TEST(Document, UndoSnapshotBringsBackEveryBlockAndTheSavedState) {
    CQuorvelDoc doc(kCodePageJapanese);
    test::FillKitchenSink(doc);
    doc.TakeSnapshot(kSnapshotSaved);
    const uint8_t savedZone = doc.Blocks().time.U8(timeblk::kTimeZone);
    doc.Blocks().time.SetU8(timeblk::kTimeZone, savedZone ^ 0x40); // an unsaved edit
    const std::vector<uint8_t> before(doc.Blocks().raw(), doc.Blocks().raw() + kBlocksSize);

    doc.TakeSnapshot(kSnapshotUndo);
    doc.SetDefaultSettings(); // what the wizard does when it starts
    doc.Blocks().unit.SetU8(0, 'X');
    doc.RestoreSnapshot();

    EXPECT_EQ(std::vector<uint8_t>(doc.Blocks().raw(), doc.Blocks().raw() + kBlocksSize), before);
    EXPECT_FALSE(doc.IsUnmodified()); // the unsaved edit is still unsaved
    doc.Blocks().time.SetU8(timeblk::kTimeZone, savedZone);
    EXPECT_TRUE(doc.IsUnmodified()); // and the saved state is the file's, not the defaults
}

TEST(Document, BlockSettersCopyWholeBlocks) {
    CQuorvelDoc doc(kCodePageJapanese);
    DeviceTable devices = doc.Blocks().devices;
    devices[299].SetU16(dev::kNumber, 42);
    devices[499].SetU8(dev::kFile, 3);
    doc.SetDeviceTable(devices);
    EXPECT_EQ(doc.Blocks().devices, devices);
    EXPECT_FALSE(doc.IsUnmodified());
}

struct StationCase {
    std::vector<size_t> set;
    size_t count;
    std::vector<uint32_t> head;
};

TEST(Document, GetSelectedStations) {
    const StationCase cases[] = {
        {{5}, 1, {5, 0, 0}},
        {{0, 3}, 2, {0, 3, 0}},
        {{}, 1, {0, 0}},
        {{1, 100, 247}, 3, {1, 100, 247, 0}},
    };
    for (const StationCase& c : cases) {
        CQuorvelDoc doc(kCodePageJapanese);
        for (size_t i : c.set)
            doc.stationFlags[i] = 1;
        StationList list;
        list.fill(0xDEAD);
        EXPECT_EQ(doc.GetSelectedStations(list), c.count);
        for (size_t i = 0; i < c.head.size(); ++i)
            EXPECT_EQ(list[i], c.head[i]) << "entry " << i;
        for (size_t i = c.head.size(); i < kStationCount; ++i)
            ASSERT_EQ(list[i], 0u);
    }
}

DeviceTable TableWith(std::initializer_list<std::pair<int, int>> fileAndNumber) {
    DeviceTable t{};
    size_t i = 0;
    for (auto [f, n] : fileAndNumber) {
        t[i].SetU8(dev::kFile, static_cast<uint8_t>(f));
        t[i].SetU16(dev::kNumber, static_cast<uint16_t>(n));
        ++i;
    }
    return t;
}

TEST(Document, FindDeviceRecord) {
    // records 0..2: file 1 numbers 1, 2, 5; record 3 free; record 4 file 2 number 1.
    // Records are visited in order, so a free record before a run wins in mode 1.
    const DeviceTable t = TableWith({{1, 1}, {1, 2}, {1, 5}, {0, 0}, {2, 1}});
    struct {
        int file, number, mode, expected;
    } cases[] = {
        {1, 2, 0, 1},  {1, 3, 0, -1}, {1, 3, 1, 2},  {1, 9, 1, 3},   {1, 5, 2, 2},
        {2, 1, 1, 3},  {3, 1, 1, 3},  {3, 1, 0, -1}, {3, 1, 2, 3},   {2, 7, 1, 3},
        {2, 1, 0, 4},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CQuorvelDoc::FindDeviceRecord(t, c.file, c.number, c.mode), c.expected)
            << "file " << c.file << " number " << c.number << " mode " << c.mode;

    // Records from 300 on are never looked at.
    DeviceTable far{};
    for (size_t i = 0; i < 300; ++i)
        far[i].SetU8(dev::kFile, 9);
    far[300].SetU8(dev::kFile, 1);
    far[300].SetU16(dev::kNumber, 1);
    EXPECT_EQ(CQuorvelDoc::FindDeviceRecord(far, 1, 1, 0), -1);
    EXPECT_EQ(CQuorvelDoc::FindDeviceRecord(far, 1, 1, 2), -1);
}

TEST(Document, SetStationFlagsFromDevice) {
    CQuorvelDoc doc(kCodePageJapanese);
    DeviceTable t = TableWith({{1, 1}, {1, 2}});
    t[1].SetU8(dev::kStation, 17);
    doc.stationFlags.fill(1);
    doc.SetStationFlagsFromDevice(t, 2, 1);
    for (size_t i = 0; i < kStationCount; ++i)
        ASSERT_EQ(doc.stationFlags[i], i == 17 ? 1u : 0u) << i;
    doc.SetStationFlagsFromDevice(t, 9, 1); // no such device: all stations
    for (size_t i = 0; i < kStationCount; ++i)
        ASSERT_EQ(doc.stationFlags[i], i == 0 ? 1u : 0u) << i;
}

} // namespace
} // namespace qv
