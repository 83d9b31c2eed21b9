// The device table's rules, which every writer of the table keeps: records
// of one file stand together ordered by number, each (file, number) once,
// free records after the used ones. Only records 0..299 are searched and
// written; records 300..499 are carried byte for byte.
#pragma once
#include "document/Refusal.h"
#include "document/SettingsImage.h"

namespace qv {

constexpr unsigned kMsgDeviceTableDamaged = 39100;
constexpr int kDeviceFileCount = 16;

// Both the file byte and the number are 0.
bool IsFreeDevice(const DeviceRecord& r);
// What a cleared slot holds: all zero, a register device.
DeviceRecord EmptyDeviceRecord();
// The first record among 0..299 that breaks the rules (a file outside
// 1..16, a number outside 1..300, half free, out of order or twice, used
// after a free one); -1 when the table keeps them.
int FirstBrokenDeviceRecord(const DeviceTable& devices);
// The refusal a writer gives for a table that breaks the rules (a damaged
// file): changing it would merge or drop records in silence.
Refusal CheckDeviceTableRules(const DeviceTable& devices);

} // namespace qv
