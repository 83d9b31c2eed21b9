// The error-notification, recipients and language panes without windows.
#include <gtest/gtest.h>

#include <map>

#include "app/LanguageProfile.h"
#include "editors/config/ConfigErrModel.h"
#include "editors/config/ConfigUserModel.h"
#include "editors/config/LanguageModel.h"

namespace qv {
namespace {

TEST(ConfigErrModel, SwitchesAndMaskAreTheirBytesAndNothingElse) {
    ErrorNotifyBlock errors;
    for (size_t i = 0; i < ErrorNotifyBlock::kSize; ++i)
        errors.SetU8(i, 0xC0);
    errors.SetU8(8, 0);
    errors.SetU8(9, 1);
    errors.SetU8(10, 7);
    errors.SetU16(16, 0x8005);
    ConfigErrForm form = LoadConfigErr(errors);
    EXPECT_EQ(form.switches, (std::array<bool, 6>{false, true, true, true, true, true}));
    EXPECT_EQ(form.recipients, 0x8005);
    form.switches[5] = false;
    form.recipients = 5; // recipients 1 and 3
    ErrorNotifyBlock after = errors;
    StoreConfigErr(form, after);
    const uint8_t expected[6] = {0, 1, 1, 1, 1, 0};
    for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(after.U8(8 + i), expected[i]) << "byte " << 8 + i;
    EXPECT_EQ(after.U16(16), 5);
    for (size_t i : {0, 7, 14, 15, 18, 20, 21, 31})
        EXPECT_EQ(after.U8(i), 0xC0) << "byte " << i;
}

TEST(ConfigUserModel, ClearingTouchesOnlyTheCheckedRecords) {
    UserTable users;
    for (size_t r = 0; r < UserTable::kCount; ++r)
        for (size_t b = 0; b < UserRecord::kSize; ++b)
            users[r].SetU8(b, static_cast<uint8_t>(r + 1));
    ClearRecipients(users, {2, 15, 16, -1});
    for (size_t r = 0; r < UserTable::kCount; ++r) {
        const bool cleared = r == 2 || r == 15;
        EXPECT_EQ(users[r].U8(0), cleared ? 0 : r + 1) << "record " << r;
        EXPECT_EQ(users[r].U8(79), cleared ? 0 : r + 1) << "record " << r;
    }
}

class LanguageModelTest : public ::testing::Test {
protected:
    MemoryProfile profile;
    std::map<std::string, uint64_t> files; // the program's folder
    FolderFileSize sizeOf = [this](const std::string& name) {
        auto f = files.find(name);
        return f == files.end() ? 0 : f->second;
    };
    void AllModules() {
        for (const char* base : {"QvResEnu", "QvResJpn", "QvResChs"})
            files[ResourceModuleFileName(base)] = 1000;
    }
};

TEST_F(LanguageModelTest, OfferedAreTheInstalledLanguagesWithANonEmptyModule) {
    GetLanguage(profile); // first run: all three listed
    AllModules();
    EXPECT_EQ(OfferedLanguages(profile, sizeOf), (std::vector<int>{0, 1, 2}));
    files[ResourceModuleFileName("QvResJpn")] = 0;
    files.erase(ResourceModuleFileName("QvResChs"));
    EXPECT_EQ(OfferedLanguages(profile, sizeOf), (std::vector<int>{0}));
    AllModules();
    profile.WriteNumber(kSettingsSection, "LangMax", 2);
    profile.WriteText(kSettingsSection, "Lang1", L"Chinese_s");
    profile.WriteText(kSettingsSection, "Lang2", L"Nowhere");
    EXPECT_EQ(OfferedLanguages(profile, sizeOf), (std::vector<int>{2}));
}

TEST(LanguageModel, SelectionPrefersTheChosenThenTheRunningLanguage) {
    struct Case {
        std::vector<int> offered;
        int chosen, running, expected;
    };
    const Case cases[] = {
        {{0, 1, 2}, 2, 0, 2}, {{0, 2}, 1, 2, 1}, {{1, 2}, 0, 0, 0},
        {{0}, 2, 1, 0},       {{}, 0, 0, -1},    {{0, 1}, -1, 1, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LanguageSelection(c.offered, c.chosen, c.running), c.expected)
            << "chosen " << c.chosen << " running " << c.running;
}

TEST(LanguageModel, OkStoresOnlyAChangedLanguage) {
    MemoryProfile profile;
    EXPECT_EQ(GetLanguage(profile), kLangJapanese); // first-run value
    profile.Flush();
    EXPECT_FALSE(StoreChosenLanguage(profile, kLangJapanese));
    EXPECT_EQ(profile.Flushes(), 1);
    EXPECT_TRUE(StoreChosenLanguage(profile, kLangChinese));
    EXPECT_EQ(GetLanguage(profile), kLangChinese);
    // The OK that changed it writes the profile, once.
    EXPECT_EQ(profile.Flushes(), 2);
    EXPECT_EQ(profile.Pending(), 0);
    EXPECT_FALSE(StoreChosenLanguage(profile, -1));
    EXPECT_EQ(GetLanguage(profile), kLangChinese);
    EXPECT_EQ(profile.Flushes(), 2);
}

} // namespace
} // namespace qv
