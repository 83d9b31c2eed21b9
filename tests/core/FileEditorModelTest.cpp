// The file record editor's OK checks and store, and the file list rows and
// reset, over the factory tables.
#include "editors/files/FileEditorModel.h"

#include <gtest/gtest.h>

#include <clocale>

#include "document/CodePageText.h"
#include "document/QuorvelDoc.h"
#include "editors/files/FileListModel.h"
#include "tests/core/LanguageFixture.h"
#include "tests/core/ScriptedQuestions.h"

namespace qv {
namespace {

constexpr uint32_t kCp = kCodePageJapanese;

class FileEditorModelTest : public ::testing::Test {
protected:
    FileEditorModelTest() : doc(kCp) {
        doc.SetDefaultSettings();
        files = doc.Blocks().files;
    }
    Refusal Store(const FileEditorForm& form, int index = 2) {
        return StoreFileEditor(form, index, files, devices, kCp);
    }
    FileEditorForm Named(const std::wstring& name, int index = 2) {
        FileEditorForm f = LoadFileEditor(files, index, kCp);
        f.name = name;
        return f;
    }
    void AddDevice(size_t at, int file, int number, uint8_t type) {
        devices[at].SetU8(dev::kFile, static_cast<uint8_t>(file));
        devices[at].SetU16(dev::kNumber, static_cast<uint16_t>(number));
        devices[at].SetU8(dev::kDataType, type);
    }
    CQuorvelDoc doc;
    FileTable files;
    DeviceTable devices;
};

TEST_F(FileEditorModelTest, NameRulesRefuseOrStoreWithoutTouchingTheTable) {
    struct Case {
        std::wstring name;
        unsigned message;
        bool balloon;
    };
    const Case cases[] = {
        {L"Log", 0, false},
        {std::wstring(16, L'\u3042'), 0, false}, // 32 bytes, no terminator
        {std::wstring(32, L'a'), 0, false},
        {std::wstring(33, L'a'), kMsgFileNameTooLong, false},
        {std::wstring(16, L'\u3042') + L"a", kMsgFileNameTooLong, false},
        {L"a:b", kMsgFileNameCharacter, true},
        {L"a\"b", kMsgFileNameCharacter, true},
        {L"a|b", kMsgFileNameCharacter, true},
        {L"v1.0", kMsgFileNameCharacter, true},
        {L" x", kMsgFileNameLeadingSpace, true},
        {L"", kMsgFileNameMissing, true},
        {L"system", kMsgFileNameUsed, false}, // the system history file's, other case
        {L"TRIGGER", kMsgFileNameUsed, false},
    };
    for (const Case& c : cases) {
        const FileTable before = files;
        const Refusal r = Store(Named(c.name));
        EXPECT_EQ(r.messageId, c.message) << std::string(c.name.begin(), c.name.end());
        EXPECT_EQ(r.balloon, c.balloon);
        if (r.Refused()) {
            EXPECT_EQ(r.field, kFileEdName);
            EXPECT_EQ(files, before);
        } else {
            EXPECT_EQ(ReadTextField(files[2].data(), 32, kCp), c.name);
        }
        files = doc.Blocks().files;
    }
    // A record keeps its own name.
    EXPECT_FALSE(Store(Named(L"System", 64), 64).Refused());
}

// Letter case is ignored for every letter the code page holds, whatever the
// process's locale (the program never sets one).
TEST_F(FileEditorModelTest, NamesDifferingOnlyInCaseAreTheSameUnderThePosixLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "C");
    const std::pair<std::wstring, std::wstring> pairs[] = {
        {L"\uFF33\uFF39\uFF33", L"\uFF53\uFF59\uFF53"}, // full-width SYS, sys
        {L"\u0391\u0392", L"\u03B1\u03B2"},               // Greek
        {L"\u0416\u0401", L"\u0436\u0451"},               // Cyrillic
        {L"Log", L"lOG"},
    };
    for (const auto& [stored, typed] : pairs) {
        files = doc.Blocks().files;
        ASSERT_FALSE(Store(Named(stored, 5), 5).Refused());
        EXPECT_EQ(Store(Named(typed)).messageId, kMsgFileNameUsed)
            << std::string(typed.begin(), typed.end());
    }
    std::setlocale(LC_ALL, saved.c_str());
}

TEST_F(FileEditorModelTest, CountOrSecondTrigger) {
    struct Case {
        std::wstring count;
        bool second;
        int secondTrigger;
        unsigned message;
        uint32_t storedCount;
    };
    const Case cases[] = {
        {L"1", false, 0, 0, 1},
        {L"100000", false, 0, 0, 100000},
        {L"12ab", false, 0, 0, 12},
        {L"0", false, 0, kMsgFileCountRange, 0},
        {L"100001", false, 0, kMsgFileCountRange, 0},
        {L"99999999999999999999", false, 0, kMsgFileCountRange, 0},
        {L"x5", false, 0, kMsgFileCountRange, 0},
        {L"7", true, 9, 0, 60},
        {L"7", true, 0, kMsgSecondTriggerMissing, 0},
    };
    for (const Case& c : cases) {
        files = doc.Blocks().files;
        FileEditorForm f = Named(L"Log");
        f.count = c.count;
        f.bySecondTrigger = c.second;
        f.secondTrigger = c.secondTrigger;
        const Refusal r = Store(f);
        EXPECT_EQ(r.messageId, c.message) << std::string(c.count.begin(), c.count.end());
        if (!r.Refused()) {
            EXPECT_EQ(files[2].U32(frec::kCount), c.storedCount);
            EXPECT_EQ(files[2].U8(frec::kBySecondTrigger), c.second ? 1 : 0);
            EXPECT_EQ(files[2].U8(frec::kSecondTrigger), c.secondTrigger);
        }
    }
}

TEST_F(FileEditorModelTest, WideModeCheckedAgainstTheFilesDevices) {
    AddDevice(0, 3, 151, kTypeU16);
    FileEditorForm f = Named(L"Log");
    f.mode64 = true;
    EXPECT_EQ(Store(f).messageId, kMsgWideFileHighDevice);
    devices[0].SetU16(dev::kNumber, 150);
    EXPECT_FALSE(Store(f).Refused());
    EXPECT_EQ(files[2].U8(frec::kMode64), 1);

    AddDevice(1, 3, 5, kTypeS64);
    f.mode64 = false;
    EXPECT_EQ(Store(f).messageId, kMsgNarrowFileWideDevice);
    EXPECT_EQ(files[2].U8(frec::kMode64), 1); // refused: nothing stored
    // Only the first 300 records count; another file's devices do not.
    devices[1].SetU8(dev::kFile, 4);
    AddDevice(300, 3, 5, kTypeS64);
    EXPECT_FALSE(Store(f).Refused());
    // A history file never touches its mode byte.
    files[64].SetU8(frec::kMode64, 0);
    FileEditorForm h = Named(L"System", 64);
    h.mode64 = true;
    EXPECT_FALSE(Store(h, 64).Refused());
    EXPECT_EQ(files[64].U8(frec::kMode64), 0);
}

TEST_F(FileEditorModelTest, OutOfRangeStoredValuesAndUnshownBytesAreKept) {
    files[2].SetU16(frec::kTrigger, 300);
    files[2].SetU8(frec::kQuantity, 200);
    files[2].SetU8(frec::kBySecondTrigger, 1);
    files[2].SetU8(frec::kSecondTrigger, 250);
    files[2].SetU8(frec::kDecimals, 5);
    files[2].SetU8(0x28, 0xA5);
    files[2].SetU8(0x40, 0x5A);
    const FileEditorForm f = Named(L"Log");
    EXPECT_EQ(f.trigger, -1);
    EXPECT_EQ(f.quantityIndex, -1);
    EXPECT_EQ(f.secondTrigger, -1);
    ASSERT_FALSE(Store(f).Refused());
    EXPECT_EQ(files[2].U16(frec::kTrigger), 300);
    EXPECT_EQ(files[2].U8(frec::kQuantity), 200);
    EXPECT_EQ(files[2].U8(frec::kSecondTrigger), 250);
    EXPECT_EQ(files[2].U8(frec::kDecimals), 5);
    EXPECT_EQ(files[2].U8(0x28), 0xA5);
    EXPECT_EQ(files[2].U8(0x40), 0x5A);
}

TEST_F(FileEditorModelTest, RecipientsKeepBothMasks) {
    FileEditorForm f = Named(L"Log");
    f.userMask = 0x0005;
    SwitchRecipients(f, true, 0x0005);  // users' marks kept
    SwitchRecipients(f, false, 0x0300); // groups' marks kept
    SwitchRecipients(f, true, 0x0005);
    EXPECT_EQ(f.userMask, 0x0005);
    EXPECT_EQ(f.groupMask, 0x0300);
    ASSERT_FALSE(Store(f).Refused());
    EXPECT_EQ(files[2].U8(frec::kByGroups), 1);
    EXPECT_EQ(files[2].U8(frec::kHasUsers), 1);
    EXPECT_EQ(files[2].U16(frec::kGroupMask), 0x0300);

    UserTable users;
    users[0].SetAscii(user::kName, 16, "Ann");
    users[3].SetAscii(user::kName, 16, "Bob");
    users[5].SetAscii(user::kName, 16, "Operator");
    // Names between commas, none after the last.
    const std::pair<uint16_t, const wchar_t*> members[] = {
        {0x0009, L"Ann, Bob"}, {0x0020, L"Operator"}, {0x0029, L"Ann, Bob, Operator"}, {0, L""}};
    for (const auto& [mask, text] : members) {
        SendGroupRecord g;
        g.SetU16(34, mask);
        EXPECT_EQ(GroupMemberText(g, users, kCp), text) << mask;
    }
}

TEST(FileListModelTest, RowsAndReset) {
    test::ScopedLanguage lang(test::kEnglish);
    CQuorvelDoc doc(kCp);
    doc.SetDefaultSettings();
    FileTable files = doc.Blocks().files;
    TriggerTable triggers = doc.Blocks().triggers;
    triggers[6].SetAscii(trig::kName, 32, "Tick");
    files[0].SetU8(frec::kDecimals, 4); // still the defaults as the row sees them
    EXPECT_EQ(FormatFileSetRow(files, triggers, 0, kCp).name, L"");
    EXPECT_EQ(FormatFileSetRow(files, triggers, 0, kCp).number, L"1");

    files[1].SetAscii(frec::kName, 32, "Log2");
    files[1].SetU16(frec::kTrigger, 7);
    files[4].SetU8(frec::kBySecondTrigger, 1);
    files[4].SetU8(frec::kSecondTrigger, 7);
    const FileRowText row = FormatFileSetRow(files, triggers, 1, kCp);
    EXPECT_EQ(row.name, L"Log2");
    EXPECT_EQ(row.trigger, L"No.7(Tick)");
    EXPECT_EQ(row.quantity, L"60");
    EXPECT_EQ(row.count, L"writes: 60");
    EXPECT_EQ(FormatFileSetRow(files, triggers, 4, kCp).count,
              ResString(kStrWritesOnTrigger) + L": No.7(Tick)");
    const FileRowText history = FormatHistoryRow(files, triggers, 64, kCp);
    EXPECT_EQ(history.name, L"System");
    EXPECT_EQ(history.count, L"writes: 600");

    std::vector<bool> checked(16, false);
    EXPECT_FALSE(ResetFiles(files, checked, *std::make_unique<test::ScriptedQuestions>()));
    checked[1] = checked[4] = true;
    const FileTable before = files;
    test::ScriptedQuestions no({false});
    EXPECT_FALSE(ResetFiles(files, checked, no));
    EXPECT_EQ(files, before);
    test::ScriptedQuestions yes({true});
    EXPECT_TRUE(ResetFiles(files, checked, yes));
    EXPECT_EQ(yes.asked.size(), 1u);
    EXPECT_EQ(files[1], doc.Blocks().files[1]);
    EXPECT_EQ(files[4], doc.Blocks().files[4]);
    EXPECT_EQ(files[0], before[0]);
}

} // namespace
} // namespace qv
