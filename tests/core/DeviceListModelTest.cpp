// The device list's copy, cut, paste and delete, with the device editor's
// store and insert, keep the table's rules and match a plain map of
// (file, number) -> device after every step.
#include "editors/devices/DeviceListModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <random>

#include "document/CodePageText.h"
#include "editors/devices/DeviceEditorModel.h"
#include "editors/devices/DeviceTableModel.h"
#include "tests/core/LanguageFixture.h"
#include "tests/core/ScriptedQuestions.h"

namespace qv {
namespace {

constexpr uint32_t kCp = 932;
using Key = std::pair<int, int>;
using RefTable = std::map<Key, std::string>; // (file, number) -> device name

// Yes to the editor's overwrite question; the delete's question gets `choice`.
class Answer : public EditorQuestions {
public:
    YesNoCancel choice = YesNoCancel::Yes;
    bool AskYesNo(unsigned) override { return true; }
    YesNoCancel AskYesNoCancel(unsigned id) override {
        EXPECT_EQ(id, kMsgDeleteRenumber);
        return choice;
    }
};

DeviceRecord Device(int file, int number, const std::string& name, uint8_t dataType = 0) {
    DeviceRecord r = EmptyDeviceRecord();
    r.SetAscii(dev::kName, 32, name.c_str());
    r.SetU8(dev::kFile, static_cast<uint8_t>(file));
    r.SetU16(dev::kNumber, static_cast<uint16_t>(number));
    r.SetU8(dev::kDataType, dataType);
    r.SetU8(0x3c, 0x5a); // a byte no editor writes travels with the device
    return r;
}

std::string Name(const DeviceRecord& r) {
    const char* p = reinterpret_cast<const char*>(r.data());
    return std::string(p, strnlen(p, 32));
}

RefTable Read(const DeviceTable& t) {
    RefTable m;
    for (size_t i = 0; i < dev::kUsedCount; ++i)
        if (!IsFreeDevice(t[i]))
            m[{t[i].U8(dev::kFile), t[i].U16(dev::kNumber)}] = Name(t[i]);
    return m;
}

// Records 300..499 carry bytes the editors never write (the factory's kind
// byte, and more), which every rebuild must keep.
DeviceTable TableWith(const RefTable& devices) {
    DeviceTable t;
    size_t i = 0;
    for (const auto& [key, name] : devices)
        t[i++] = Device(key.first, key.second, name);
    for (; i < dev::kUsedCount; ++i)
        t[i] = EmptyDeviceRecord();
    for (size_t k = dev::kUsedCount; k < DeviceTable::kCount; ++k) {
        t[k].SetU8(dev::kIsRegister, 1);
        t[k].SetU8(dev::kName, static_cast<uint8_t>(k));
    }
    return t;
}

void ExpectTailKept(const DeviceTable& before, const DeviceTable& after) {
    for (size_t i = dev::kUsedCount; i < DeviceTable::kCount; ++i)
        ASSERT_EQ(before[i], after[i]) << "record " << i;
}

// The editor's OK or Insert of one device on port 1, as its window runs it.
bool EditorStore(DeviceTable& table, int file, int number, const std::string& name, bool insert) {
    DeviceStoreRequest request;
    request.form.name = std::wstring(name.begin(), name.end());
    request.form.port = 1;
    request.fileNo = file;
    request.number = number;
    request.insert = insert;
    Answer yes;
    DeviceStoreResult r = StoreDevices(request, table, UnitBlock{}, kCp, {}, yes);
    if (!r.Accepted())
        return false;
    table = *r.devices;
    return true;
}

FileTable Files(int wideFile = 0) {
    FileTable files;
    if (wideFile)
        files[static_cast<size_t>(wideFile - 1)].SetU8(file::kWide64, 1);
    return files;
}

TEST(DeviceListModel, RandomOperationsMatchAPlainMap) {
    std::mt19937 rng(20261210);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    DeviceTable table = TableWith({});
    const DeviceTable start = table;
    const FileTable files = Files();
    RefTable ref;
    DeviceListModel model;
    std::vector<int> copied, cut;
    int srcFile = 0;
    int nextId = 1;
    Answer answer;
    auto checkedRows = [&] {
        std::vector<int> v;
        const int count = pick(0, 4);
        for (int i = 0, n = pick(1, 20); i < count; ++i, n += pick(1, 3))
            v.push_back(n);
        return v;
    };
    auto highest = [&](int file) {
        int h = 0;
        for (const auto& [k, name] : ref)
            if (k.first == file)
                h = std::max(h, k.second);
        return h;
    };
    for (int step = 0; step < 3000; ++step) {
        const int file = pick(1, 3);
        const int op = pick(0, 5);
        SCOPED_TRACE("step " + std::to_string(step) + " op " + std::to_string(op));
        const RefTable before = ref;
        if (op <= 1) { // the editor's OK (0) or Insert (1)
            const int n = pick(1, 30);
            const std::string name = "D" + std::to_string(nextId++);
            const bool insert = op == 1;
            const bool fits = insert ? highest(file) < 300 && ref.size() < 300
                                     : ref.count({file, n}) || ref.size() < 300;
            ASSERT_EQ(EditorStore(table, file, n, name, insert), fits);
            if (fits) {
                if (insert) {
                    RefTable next;
                    for (const auto& [k, v] : ref)
                        next[{k.first,
                              k.first == file && k.second >= n ? k.second + 1 : k.second}] = v;
                    ref = next;
                }
                ref[{file, n}] = name;
                cut.clear(); // the table changed under the cut
            }
            model.Sync(table);           // the page's refresh after the editor stored
        } else if (op == 2 || op == 3) { // copy or cut
            const std::vector<int> v = checkedRows();
            model.Copy(table, file, v, op == 3);
            copied = v;
            srcFile = file;
            cut = op == 3 ? v : std::vector<int>{};
        } else if (op == 4) { // paste
            std::vector<int> at;
            const int rows = pick(0, 8);
            if (rows > 0)
                at.push_back(pick(0, 9) == 0 ? pick(290, 300) : pick(1, 30));
            if (rows == 8)
                at.push_back(at[0] + 1);
            RefTable next = ref;
            std::vector<int> stillCut = cut;
            bool fits = at.size() == 1 && !copied.empty() &&
                        at[0] + static_cast<int>(copied.size()) - 1 <= 300;
            for (size_t j = 0; fits && j < copied.size(); ++j) {
                const int target = at[0] + static_cast<int>(j);
                auto it = ref.find({srcFile, copied[j]});
                if (it != ref.end())
                    next[{file, target}] = it->second;
                else
                    next.erase({file, target});
                if (file == srcFile)
                    stillCut.erase(std::remove(stillCut.begin(), stillCut.end(), target),
                                   stillCut.end());
            }
            for (int n : stillCut)
                next.erase({srcFile, n});
            fits = fits && next.size() <= 300;
            ASSERT_EQ(model.Paste(table, files, file, at).Refused(), !fits);
            if (fits) {
                ref = next;
                cut.clear();
            }
        } else { // delete
            const std::vector<int> v = checkedRows();
            answer.choice = static_cast<YesNoCancel>(pick(0, 2));
            const DeviceDeletion d = model.Delete(table, file, v, answer);
            ASSERT_EQ(d.refusal.Refused(), v.empty());
            ASSERT_EQ(d.deleted, !v.empty() && answer.choice != YesNoCancel::Cancel);
            if (d.deleted) {
                RefTable next;
                for (const auto& [k, name] : ref) {
                    if (k.first == file && std::count(v.begin(), v.end(), k.second))
                        continue;
                    const int row = k.second; // a lambda cannot capture a structured binding
                    int n = row;
                    if (answer.choice == YesNoCancel::Yes && k.first == file)
                        n -= static_cast<int>(
                            std::count_if(v.begin(), v.end(), [&](int x) { return x < row; }));
                    next[{k.first, n}] = name;
                }
                ref = next;
                cut.clear();
            }
        }
        ASSERT_EQ(FirstBrokenDeviceRecord(table), -1);
        ASSERT_EQ(Read(table), ref);
        ASSERT_EQ(model.CutPending(), !cut.empty());
        for (int n : cut)
            ASSERT_TRUE(model.IsCutMarked(srcFile, n));
        ExpectTailKept(start, table);
    }
}

// The examples a user meets, each against the numbers it must leave.
TEST(DeviceListModel, PasteAndDeleteExamples) {
    const RefTable six{{{1, 1}, "a"}, {{1, 2}, "b"}, {{1, 3}, "c"},
                       {{1, 4}, "d"}, {{1, 5}, "e"}, {{1, 6}, "f"}};
    const RefTable gapAt2{{{1, 1}, "a"}, {{1, 3}, "b"}, {{1, 4}, "c"}, {{1, 5}, "d"}};
    struct Case {
        const char* what;
        const RefTable& input;
        std::vector<int> rows;
        bool cut;
        int pasteFile; // 0: delete the rows instead
        int pasteAt;   // for a delete: 0 Yes (renumber), 1 No, 2 Cancel
        RefTable expected;
    };
    const Case cases[] = {
        {"cut 1..3, paste at 2",
         six,
         {1, 2, 3},
         true,
         1,
         2,
         {{{1, 2}, "a"}, {{1, 3}, "b"}, {{1, 4}, "c"}, {{1, 5}, "e"}, {{1, 6}, "f"}}},
        {"rows 1 and 3 land next to each other",
         six,
         {1, 3},
         false,
         2,
         10,
         {{{1, 1}, "a"},
          {{1, 2}, "b"},
          {{1, 3}, "c"},
          {{1, 4}, "d"},
          {{1, 5}, "e"},
          {{1, 6}, "f"},
          {{2, 10}, "a"},
          {{2, 11}, "c"}}},
        {"an empty copied row empties its target",
         six,
         {6, 7},
         false,
         1,
         1,
         {{{1, 1}, "f"}, {{1, 3}, "c"}, {{1, 4}, "d"}, {{1, 5}, "e"}, {{1, 6}, "f"}}},
        {"paste at 298 reaches 300",
         six,
         {1, 2, 3},
         false,
         2,
         298,
         {{{1, 1}, "a"},
          {{1, 2}, "b"},
          {{1, 3}, "c"},
          {{1, 4}, "d"},
          {{1, 5}, "e"},
          {{1, 6}, "f"},
          {{2, 298}, "a"},
          {{2, 299}, "b"},
          {{2, 300}, "c"}}},
        {"delete 2 and 5, renumbered",
         six,
         {2, 5},
         false,
         0,
         0,
         {{{1, 1}, "a"}, {{1, 2}, "c"}, {{1, 3}, "d"}, {{1, 4}, "f"}}},
        {"delete 2 and 5, numbers kept",
         six,
         {2, 5},
         false,
         0,
         1,
         {{{1, 1}, "a"}, {{1, 3}, "c"}, {{1, 4}, "d"}, {{1, 6}, "f"}}},
        {"delete 2 and 5, cancelled", six, {2, 5}, false, 0, 2, six},
        {"delete an empty row, renumbered",
         gapAt2,
         {2},
         false,
         0,
         0,
         {{{1, 1}, "a"}, {{1, 2}, "b"}, {{1, 3}, "c"}, {{1, 4}, "d"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DeviceTable table = TableWith(c.input);
        const DeviceTable start = table;
        DeviceListModel model;
        if (c.pasteFile) {
            model.Copy(table, 1, c.rows, c.cut);
            ASSERT_FALSE(model.Paste(table, Files(), c.pasteFile, {c.pasteAt}).Refused());
        } else {
            Answer a;
            a.choice = static_cast<YesNoCancel>(c.pasteAt);
            const DeviceDeletion d = model.Delete(table, 1, c.rows, a);
            ASSERT_FALSE(d.refusal.Refused());
            EXPECT_EQ(d.deleted, a.choice != YesNoCancel::Cancel);
        }
        EXPECT_EQ(Read(table), c.expected);
        EXPECT_EQ(FirstBrokenDeviceRecord(table), -1);
        EXPECT_FALSE(model.CutPending());
        ExpectTailKept(start, table);
        for (size_t i = 0; i < dev::kUsedCount; ++i)
            EXPECT_TRUE(IsFreeDevice(table[i]) || table[i].U8(0x3c) == 0x5a)
                << "record " << i << " lost bytes";
    }
}

TEST(DeviceListModel, RefusedPasteChangesNothingAndKeepsTheCut) {
    RefTable full;
    for (int n = 1; n <= 298; ++n)
        full[{3, n}] = "x";
    struct Case {
        const char* what;
        int pasteFile, pasteAt, wideFile;
        uint8_t dataType;
        unsigned message;
        RefTable others;
        bool cut = true; // a cut never makes more records, a copy may
    };
    const Case cases[] = {
        {"beyond number 300", 2, 300, 0, 0, kMsgNoRoomForDevices, {}},
        {"beyond number 150 of a 64-bit file", 2, 150, 2, 0, kMsgNoRoomForDevices, {}},
        {"a 64-bit value into a narrow file", 2, 5, 0, 7, kMsgWideDeviceIntoNarrowFile, {}},
        {"more than 300 records", 2, 1, 0, 0, kMsgNoRoomForDevices, full, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RefTable input = c.others;
        input[{1, 1}] = "a";
        input[{1, 2}] = "b";
        DeviceTable table = TableWith(input);
        table[0].SetU8(dev::kDataType, c.dataType);
        DeviceListModel model;
        model.Copy(table, 1, {1, 2}, c.cut);
        const DeviceTable before = table;
        EXPECT_EQ(model.Paste(table, Files(c.wideFile), c.pasteFile, {c.pasteAt}).messageId,
                  c.message);
        EXPECT_EQ(table, before);
        EXPECT_EQ(model.IsCutMarked(1, 1) && model.IsCutMarked(1, 2), c.cut)
            << "the cut stays whole";
    }
}

// A loaded file may break the table's rules; no writer merges, drops or
// indexes past such records.
TEST(DeviceListModel, DamagedLoadedTableIsRefusedByEveryWriter) {
    struct Case {
        const char* what;
        int file, number;
        size_t at;
    };
    const Case cases[] = {{"file beyond 16", 17, 1, 1},
                          {"number beyond 300", 1, 301, 1},
                          {"a second record of a device", 1, 1, 1},
                          {"half free", 0, 4, 1},
                          {"used after a free record", 2, 1, 5},
                          {"out of order", 1, 0x100, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DeviceTable table = TableWith({{{1, 1}, "a"}, {{1, 2}, "b"}});
        table[c.at] = Device(c.file, c.number, "z");
        ASSERT_NE(FirstBrokenDeviceRecord(table), -1);
        const DeviceTable before = table;
        DeviceListModel model;
        model.Copy(table, 1, {1}, true);
        EXPECT_EQ(model.Paste(table, Files(), 1, {5}).messageId, kMsgDeviceTableDamaged);
        Answer yes;
        EXPECT_EQ(model.Delete(table, 1, {1}, yes).refusal.messageId, kMsgDeviceTableDamaged);
        EXPECT_FALSE(EditorStore(table, 1, 3, "n", true));
        EXPECT_FALSE(EditorStore(table, 1, 3, "n", false));
        EXPECT_EQ(table, before);
    }
}

// Completing a cut never removes devices that the cut did not take.
TEST(DeviceListModel, ChangedTableCancelsAPendingCut) {
    const RefTable three{{{1, 1}, "a"}, {{1, 2}, "b"}, {{1, 3}, "c"}};
    struct Case {
        const char* what;
        int step; // 0 the editor stores over 1, 1 a renumbering delete of 1
        RefTable expected;
    };
    const Case cases[] = {
        {"the editor stored after the cut",
         0,
         {{{1, 1}, "n"}, {{1, 2}, "b"}, {{1, 3}, "c"}, {{2, 1}, "n"}}},
        {"a delete renumbered the cut file", 1, {{{1, 1}, "b"}, {{1, 2}, "c"}, {{2, 1}, "b"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DeviceTable table = TableWith(three);
        DeviceListModel model;
        model.Copy(table, 1, {1}, true);
        if (c.step == 0) {
            ASSERT_TRUE(EditorStore(table, 1, 1, "n", false));
        } else {
            Answer yes;
            ASSERT_TRUE(model.Delete(table, 1, {1}, yes).deleted);
        }
        ASSERT_FALSE(model.Paste(table, Files(), 2, {1}).Refused());
        EXPECT_EQ(Read(table), c.expected);
        EXPECT_FALSE(model.CutPending());
    }
}

TEST(DeviceListModel, RowTextsNameThePortStationAndAddress) {
    test::ScopedLanguage english(test::kEnglish);
    UnitBlock unit;
    unit.SetU8(unit::PortRecordOffset(1) + portrec::kProtocol, 1); // port 2: function codes
    DeviceTable t = TableWith({});
    auto put = [&](size_t i, int port, int station, int area, uint32_t address, int isRegister) {
        t[i] = Device(1, static_cast<int>(i) + 1, "Dev");
        t[i].SetU8(dev::kPort, static_cast<uint8_t>(port));
        t[i].SetU8(dev::kStation, static_cast<uint8_t>(station));
        t[i].SetU8(dev::kArea, static_cast<uint8_t>(area));
        t[i].SetU32(dev::kAddress, address);
        t[i].SetU8(dev::kIsRegister, static_cast<uint8_t>(isRegister));
    };
    put(0, 2, 7, 3, 0x1A, 1); // holding register 001A on station 7
    put(1, 1, 5, 15, 120, 1); // DT120 on station 5
    put(2, 0, 0, 2, 0x2B, 0); // the unit's contact R2B
    const struct {
        int index;
        std::wstring address;
    } rows[] = {{0, L"Serial port 2 St.07 03001A"},
                {1, L"Serial port 1 St.05 DT120"},
                {2, L"Internal R2B"}};
    for (const auto& r : rows) {
        const DeviceRowText text = FormatDeviceRow(t, r.index, r.index + 1, unit, kCp);
        EXPECT_EQ(text.address, r.address);
        EXPECT_EQ(text.index, std::to_wstring(r.index));
        EXPECT_EQ(text.name, L"Dev");
    }
    EXPECT_EQ(FormatDeviceRow(t, -1, 9, unit, kCp).index, L"-1");
    const std::vector<int> indexes = DeviceRowIndexes(t, 1, 150);
    EXPECT_EQ(indexes.size(), 150u);
    EXPECT_EQ(indexes[2], 2);
    EXPECT_EQ(indexes[3], -1);
}

} // namespace
} // namespace qv
