#include "document/PortRemoval.h"

#include <array>

namespace qv {
namespace {

using Removed = std::array<bool, kUsedTriggers + 1>; // by trigger number

bool Names(const Removed& removed, unsigned number) {
    return number >= 1 && number <= kUsedTriggers && removed[number];
}

void ClearIfRemoved(ByteBlock<80>& r, size_t off, const Removed& removed) {
    if (Names(removed, r.U8(off)))
        r.SetU8(off, 0);
}

// Marks the port's contact and register triggers, then every combination with
// an operand already marked, until no more change: a combination of a removed
// combination cannot be evaluated either.
Removed MarkTriggers(const TriggerTable& triggers, int port) {
    Removed removed{};
    for (size_t i = 0; i < kUsedTriggers; ++i) {
        const TriggerRecord& t = triggers[i];
        const uint8_t kind = t.U8(trig::kKind);
        if ((kind == kTriggerContact || kind == kTriggerRegister) && t.U8(trig::kPort) == port)
            removed[i + 1] = true;
    }
    for (bool changed = true; changed;) {
        changed = false;
        for (size_t i = 0; i < kUsedTriggers; ++i) {
            const TriggerRecord& t = triggers[i];
            if (removed[i + 1] || t.U8(trig::kKind) != kTriggerCombination)
                continue;
            // Operands are 0-based indexes.
            if (Names(removed, t.U8(trig::kCombiFirst) + 1u) ||
                Names(removed, t.U8(trig::kCombiSecond) + 1u)) {
                removed[i + 1] = true;
                changed = true;
            }
        }
    }
    return removed;
}

} // namespace

PortRemoval RemovePortItems(ImageBlocks& b, int port) {
    PortRemoval result;
    if (port != kPortSerial1 && port != kPortSerial2)
        return result;

    // Devices: the kept ones move to the front in their order; freed records
    // look as after the factory defaults. Records past the device numbers'
    // range are not devices and stay where and as they are.
    size_t kept = 0;
    for (size_t i = 0; i < dev::kUsedCount; ++i) {
        if (b.devices[i].U8(dev::kPort) == port)
            continue;
        if (kept != i)
            b.devices[kept] = b.devices[i];
        ++kept;
    }
    result.devicesRemoved = dev::kUsedCount - kept;
    for (size_t i = kept; i < dev::kUsedCount; ++i) {
        b.devices[i].Clear();
        b.devices[i].SetU8(dev::kIsRegister, 1);
    }

    // Triggers: cleared in place, never moved.
    const Removed removed = MarkTriggers(b.triggers, port);
    for (size_t i = 0; i < kUsedTriggers; ++i) {
        if (removed[i + 1]) {
            b.triggers[i].Clear();
            result.removedTriggers.push_back(static_cast<int>(i + 1));
        }
    }

    // The history files name triggers the same way as the log files.
    for (size_t i : file::kInUse) {
        FileRecord& f = b.files[i];
        if (Names(removed, f.U16(file::kTrigger)))
            f.SetU16(file::kTrigger, 0);
        for (size_t off : {file::kTrigger2, file::kTrigger3, file::kTrigger4})
            ClearIfRemoved(f, off, removed);
    }

    for (MailSendRecord& m : b.mailSends.records)
        if (Names(removed, m.U8(msend::kTrigger)))
            m.SetU8(msend::kTrigger, 0);

    // Data sets: the same compaction as the devices; freed records are zero.
    kept = 0;
    for (size_t i = 0; i < DataSetTable::kCount; ++i) {
        DataSetRecord d = b.dataSets[i];
        if (d.U8(dset::kPort) == port)
            continue;
        for (size_t off : {dset::kTrigger, dset::kTrigger2})
            if (Names(removed, d.U8(off)))
                d.SetU8(off, 0);
        b.dataSets[kept++] = d;
    }
    result.dataSetsRemoved = DataSetTable::kCount - kept;
    for (size_t i = kept; i < DataSetTable::kCount; ++i)
        b.dataSets[i].Clear();

    // Clock synchronisation.
    if (Names(removed, b.time.U16(timeblk::kTrigger)))
        b.time.SetU16(timeblk::kTrigger, 0);
    const size_t entry = timeblk::kTimeZone + 4 * static_cast<size_t>(port);
    if (b.time.U8(entry) == 1)
        b.time.SetU8(entry + 2, 1);

    return result;
}

} // namespace qv
