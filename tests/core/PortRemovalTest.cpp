// Removing a serial port's items: devices and data sets compacted, the port's
// triggers cleared in place, and no reference left pointing at a cleared one.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "document/PortRemoval.h"

namespace qv {
namespace {

void Watch(TriggerRecord& t, TriggerKind kind, int port) {
    t.Clear();
    t.SetAscii(trig::kName, kNameWidth, "watch");
    t.SetU8(trig::kKind, kind);
    t.SetU8(trig::kPort, static_cast<uint8_t>(port));
}
void Combine(TriggerRecord& t, int firstIndex, int secondIndex) {
    t.Clear();
    t.SetU8(trig::kKind, kTriggerCombination);
    t.SetU8(trig::kCombiFirst, static_cast<uint8_t>(firstIndex));
    t.SetU8(trig::kCombiSecond, static_cast<uint8_t>(secondIndex));
}
void Cycle(TriggerRecord& t, int seconds) {
    t.Clear();
    t.SetU8(trig::kKind, kTriggerCycle);
    t.SetU8(trig::kCycleSeconds, static_cast<uint8_t>(seconds));
}

std::unique_ptr<ImageBlocks> EmptyBlocks() {
    auto b = std::make_unique<ImageBlocks>();
    for (DeviceRecord& d : b->devices.records)
        d.SetU8(dev::kIsRegister, 1);
    return b;
}

struct Case {
    const char* name;
    int port;
    std::function<void(ImageBlocks&)> setUp;
    std::function<void(const ImageBlocks&, const PortRemoval&)> check;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name << " on port " << c.port;
}

const Case kCases[] = {
    {"DevicesOnThePortGoAndTheRestMoveToTheFront", 1,
     [](ImageBlocks& b) {
         const int ports[] = {1, 2, 1};
         for (int i = 0; i < 3; ++i) {
             b.devices[i].SetU8(dev::kPort, static_cast<uint8_t>(ports[i]));
             b.devices[i].SetU16(dev::kNumber, static_cast<uint16_t>(i + 1));
             b.devices[i].SetU8(dev::kFile, 1);
         }
     },
     [](const ImageBlocks& b, const PortRemoval& r) {
         EXPECT_EQ(r.devicesRemoved, 2u);
         EXPECT_EQ(b.devices[0].U16(dev::kNumber), 2);
         EXPECT_EQ(b.devices[0].U8(dev::kPort), 2);
         DeviceRecord freed;
         freed.SetU8(dev::kIsRegister, 1);
         for (size_t i = 1; i < DeviceTable::kCount; ++i)
             EXPECT_EQ(b.devices[i], freed) << "record " << i;
     }},
    {"RecordsPastTheDeviceNumbersStayAsTheyAre", 1,
     [](ImageBlocks& b) {
         b.devices[0].SetU8(dev::kPort, 1);
         b.devices[0].SetU16(dev::kNumber, 1);
         b.devices[0].SetU8(dev::kFile, 1);
         b.devices[dev::kUsedCount].SetU8(dev::kName, 'x');
         b.devices[dev::kUsedCount + 1].SetU8(dev::kPort, 1);
     },
     [](const ImageBlocks& b, const PortRemoval& r) {
         EXPECT_EQ(r.devicesRemoved, 1u);
         EXPECT_EQ(b.devices[dev::kUsedCount].U8(dev::kName), 'x');
         EXPECT_EQ(b.devices[dev::kUsedCount + 1].U8(dev::kPort), 1);
         EXPECT_EQ(b.devices[dev::kUsedCount - 1].U8(dev::kName), 0);
     }},
    {"FileTriggerNamingARemovedTriggerBecomesZeroOthersStay", 2,
     [](ImageBlocks& b) {
         Watch(b.triggers[0], kTriggerContact, 2);
         Watch(b.triggers[1], kTriggerContact, 1);
         b.files[0].SetU16(file::kTrigger, 1);
         b.files[1].SetU16(file::kTrigger, 2);
         b.files[2].SetU8(file::kTrigger2, 1);
         b.files[2].SetU8(file::kTrigger3, 1);
         b.files[2].SetU8(file::kTrigger4, 1);
         b.files[15].SetU8(file::kTrigger4, 2);
     },
     [](const ImageBlocks& b, const PortRemoval&) {
         EXPECT_EQ(b.files[0].U16(file::kTrigger), 0);
         EXPECT_EQ(b.files[1].U16(file::kTrigger), 2);
         EXPECT_EQ(b.files[2].U8(file::kTrigger2), 0);
         EXPECT_EQ(b.files[2].U8(file::kTrigger3), 0);
         EXPECT_EQ(b.files[2].U8(file::kTrigger4), 0);
         EXPECT_EQ(b.files[15].U8(file::kTrigger4), 2);
     }},
    {"CombinationOverARemovedRegisterTriggerGoesWithIt", 1,
     [](ImageBlocks& b) {
         Cycle(b.triggers[0], 10);
         Watch(b.triggers[1], kTriggerRegister, 1);
         Combine(b.triggers[2], 0, 1);
         Combine(b.triggers[3], 0, 0);
     },
     [](const ImageBlocks& b, const PortRemoval& r) {
         EXPECT_EQ(r.removedTriggers, (std::vector<int>{2, 3}));
         EXPECT_EQ(b.triggers[1], TriggerRecord{});
         EXPECT_EQ(b.triggers[2], TriggerRecord{});
         EXPECT_EQ(b.triggers[3].U8(trig::kKind), kTriggerCombination);
     }},
    {"CombinationOfARemovedCombinationGoesToo", 2,
     [](ImageBlocks& b) {
         Cycle(b.triggers[0], 10);
         Combine(b.triggers[1], 0, 4); // names a combination further on
         Cycle(b.triggers[2], 5);
         Watch(b.triggers[3], kTriggerContact, 2);
         Combine(b.triggers[4], 3, 2);
         b.mailSends[7].SetU8(msend::kTrigger, 2);
     },
     [](const ImageBlocks& b, const PortRemoval& r) {
         EXPECT_EQ(r.removedTriggers, (std::vector<int>{2, 4, 5}));
         EXPECT_EQ(b.mailSends[7].U8(msend::kTrigger), 0);
     }},
    {"KeptTriggersKeepTheirPlaceAndNumber", 1,
     [](ImageBlocks& b) {
         Watch(b.triggers[0], kTriggerContact, 1);
         Watch(b.triggers[1], kTriggerContact, 2);
         Watch(b.triggers[2], kTriggerRegister, 0);
         Cycle(b.triggers[3], 1); // its seconds byte is where a port would be
         b.time.SetU16(timeblk::kTrigger, 2);
         b.mailSends[63].SetU8(msend::kTrigger, 3);
     },
     [](const ImageBlocks& b, const PortRemoval& r) {
         EXPECT_EQ(r.removedTriggers, std::vector<int>{1});
         EXPECT_EQ(b.triggers[1].U8(trig::kPort), 2);
         EXPECT_EQ(b.triggers[2].U8(trig::kKind), kTriggerRegister);
         EXPECT_EQ(b.triggers[3].U8(trig::kKind), kTriggerCycle);
         EXPECT_EQ(b.time.U16(timeblk::kTrigger), 2);
         EXPECT_EQ(b.mailSends[63].U8(msend::kTrigger), 3);
     }},
    {"AllHundredTwentyEightTriggersAreListed", 1,
     [](ImageBlocks& b) {
         for (size_t i = 0; i < kUsedTriggers; ++i)
             Watch(b.triggers[i], i % 2 ? kTriggerContact : kTriggerRegister, 1);
         Watch(b.triggers[128], kTriggerContact, 1); // past the used records
         b.time.SetU16(timeblk::kTrigger, 128);
     },
     [](const ImageBlocks& b, const PortRemoval& r) {
         ASSERT_EQ(r.removedTriggers.size(), 128u);
         EXPECT_EQ(r.removedTriggers.back(), 128);
         EXPECT_EQ(b.time.U16(timeblk::kTrigger), 0);
         EXPECT_EQ(b.triggers[128].U8(trig::kKind), kTriggerContact);
     }},
    {"DataSetsOnThePortGoTheRestMoveUpWithoutRemovedTriggers", 2,
     [](ImageBlocks& b) {
         Watch(b.triggers[9], kTriggerContact, 2);
         const int ports[] = {2, 1, 2, 0};
         for (int i = 0; i < 4; ++i) {
             b.dataSets[i].SetU8(dset::kPort, static_cast<uint8_t>(ports[i]));
             b.dataSets[i].SetU8(dset::kStation, static_cast<uint8_t>(i + 1));
             b.dataSets[i].SetU8(dset::kTrigger, 10);
             b.dataSets[i].SetU8(dset::kTrigger2, 11);
         }
     },
     [](const ImageBlocks& b, const PortRemoval& r) {
         EXPECT_EQ(r.dataSetsRemoved, 2u);
         EXPECT_EQ(b.dataSets[0].U8(dset::kStation), 2);
         EXPECT_EQ(b.dataSets[1].U8(dset::kStation), 4);
         for (int i = 0; i < 2; ++i) {
             EXPECT_EQ(b.dataSets[i].U8(dset::kTrigger), 0);
             EXPECT_EQ(b.dataSets[i].U8(dset::kTrigger2), 11);
         }
         for (size_t i = 2; i < DataSetTable::kCount; ++i)
             EXPECT_EQ(b.dataSets[i], DataSetRecord{}) << "record " << i;
     }},
    {"ClockSourceStationBecomesOneWhenThePortsEntryIsSet", 1,
     [](ImageBlocks& b) {
         b.time.SetU8(timeblk::kSourcePort1, 1);
         b.time.SetU8(timeblk::kSourcePort1 + 2, 42);
         b.time.SetU8(timeblk::kSourcePort2, 1);
         b.time.SetU8(timeblk::kSourcePort2 + 2, 43);
     },
     [](const ImageBlocks& b, const PortRemoval&) {
         EXPECT_EQ(b.time.U8(timeblk::kSourcePort1 + 2), 1);
         EXPECT_EQ(b.time.U8(timeblk::kSourcePort2 + 2), 43);
     }},
    {"ClockSourceStationStaysWhenThePortsEntryIsNotSet", 2,
     [](ImageBlocks& b) {
         b.time.SetU8(timeblk::kTimeZone, 9);
         b.time.SetU8(timeblk::kSourcePort2 + 2, 43);
     },
     [](const ImageBlocks& b, const PortRemoval&) {
         EXPECT_EQ(b.time.U8(timeblk::kSourcePort2 + 2), 43);
         EXPECT_EQ(b.time.U8(timeblk::kTimeZone), 9);
     }},
};

class PortRemovalCase : public testing::TestWithParam<Case> {};

TEST_P(PortRemovalCase, Holds) {
    auto b = EmptyBlocks();
    GetParam().setUp(*b);
    const PortRemoval r = RemovePortItems(*b, GetParam().port);
    GetParam().check(*b, r);
}

INSTANTIATE_TEST_SUITE_P(EdgeCases, PortRemovalCase, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

// Triggers 1..128 spread over the unit and both ports with combinations over
// every kind (and over each other), and references to each from everywhere.
std::unique_ptr<ImageBlocks> BusyDocument() {
    auto b = EmptyBlocks();
    for (int i = 0; i < static_cast<int>(kUsedTriggers); ++i) {
        TriggerRecord& t = b->triggers[i];
        switch (i % 6) {
        case 0:
            Cycle(t, 1 + i % 3);
            break;
        case 1:
            Watch(t, kTriggerContact, i % 3);
            break;
        case 2:
            Watch(t, kTriggerRegister, (i / 6) % 3);
            break;
        case 3:
            Combine(t, i - 2, i - 3);
            break;
        case 4:
            Combine(t, i - 1, i - 4);
            break; // a combination of a combination
        default:
            Combine(t, (i + 7) % 128 / 6 * 6, i - 5);
            break;
        }
    }
    for (size_t i : file::kInUse) {
        b->files[i].SetU16(file::kTrigger, static_cast<uint16_t>(1 + i * 7 % 128));
        b->files[i].SetU8(file::kTrigger2, static_cast<uint8_t>(2 + i * 5));
        b->files[i].SetU8(file::kTrigger3, static_cast<uint8_t>(3 + i * 3));
        b->files[i].SetU8(file::kTrigger4, static_cast<uint8_t>(4 + i * 8));
    }
    for (size_t i = 0; i < MailSendTable::kCount; ++i)
        b->mailSends[i].SetU8(msend::kTrigger, static_cast<uint8_t>(1 + i * 2));
    for (size_t i = 0; i < DataSetTable::kCount; ++i) {
        b->dataSets[i].SetU8(dset::kPort, static_cast<uint8_t>(i % 3));
        b->dataSets[i].SetU8(dset::kTrigger, static_cast<uint8_t>(1 + i));
        b->dataSets[i].SetU8(dset::kTrigger2, static_cast<uint8_t>(128 - i));
    }
    b->time.SetU16(timeblk::kTrigger, 3);
    return b;
}

class PortRemovalReferences : public testing::TestWithParam<int> {};

TEST_P(PortRemovalReferences, NoReferenceToAClearedTriggerSurvivesAndKeptOnesStay) {
    auto before = BusyDocument();
    auto b = BusyDocument();
    const PortRemoval r = RemovePortItems(*b, GetParam());
    ASSERT_FALSE(r.removedTriggers.empty());

    // Each reference is 0 now exactly when it named a cleared trigger;
    // otherwise it still names the same, still filled record.
    auto expectKept = [&](unsigned was, unsigned now, const std::string& where) {
        const bool cleared = was >= 1 && was <= kUsedTriggers &&
                             b->triggers[was - 1].U8(trig::kKind) == kTriggerNone;
        EXPECT_EQ(now, cleared ? 0u : was) << where;
        if (now) {
            EXPECT_EQ(b->triggers[now - 1], before->triggers[now - 1]) << where;
        }
    };
    for (size_t i = 0; i < kUsedTriggers; ++i) {
        const TriggerRecord& t = b->triggers[i];
        if (t.U8(trig::kKind) == kTriggerNone) {
            EXPECT_EQ(t, TriggerRecord{}) << "trigger " << i + 1;
            continue;
        }
        EXPECT_EQ(t, before->triggers[i]) << "trigger " << i + 1;
        if (t.U8(trig::kKind) != kTriggerCombination)
            continue;
        for (size_t op : {trig::kCombiFirst, trig::kCombiSecond}) {
            EXPECT_NE(b->triggers[t.U8(op)].U8(trig::kKind), kTriggerNone)
                << "operand of trigger " << i + 1;
        }
    }
    for (size_t i : file::kInUse) {
        const std::string f = "file " + std::to_string(i);
        expectKept(before->files[i].U16(file::kTrigger), b->files[i].U16(file::kTrigger), f);
        for (size_t off : {file::kTrigger2, file::kTrigger3, file::kTrigger4})
            expectKept(before->files[i].U8(off), b->files[i].U8(off), f);
    }
    for (size_t i = 0; i < MailSendTable::kCount; ++i)
        expectKept(before->mailSends[i].U8(msend::kTrigger), b->mailSends[i].U8(msend::kTrigger),
                   "mail sending " + std::to_string(i));
    size_t kept = 0;
    for (size_t i = 0; i < DataSetTable::kCount; ++i) {
        const DataSetRecord& was = before->dataSets[i];
        if (was.U8(dset::kPort) == GetParam())
            continue;
        const DataSetRecord& now = b->dataSets[kept++];
        EXPECT_EQ(now.U8(dset::kPort), was.U8(dset::kPort));
        const std::string d = "data set " + std::to_string(i);
        expectKept(was.U8(dset::kTrigger), now.U8(dset::kTrigger), d);
        expectKept(was.U8(dset::kTrigger2), now.U8(dset::kTrigger2), d);
    }
    EXPECT_GT(kept, 0u);
    expectKept(before->time.U16(timeblk::kTrigger), b->time.U16(timeblk::kTrigger), "clock");
}

INSTANTIATE_TEST_SUITE_P(BothPorts, PortRemovalReferences, testing::Values(1, 2));

} // namespace
} // namespace qv
