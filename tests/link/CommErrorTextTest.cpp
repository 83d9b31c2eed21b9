// Message texts of the link results in the three languages.
#include <gtest/gtest.h>

#include "LanguageFixture.h"
#include "document/StringTable.h"
#include "link/LinkResult.h"

namespace qv::test {
namespace {

using namespace link_result;

TEST(CommErrorText, FormatsOfUnitErrorsAndOtherCodes) {
    ScopedLanguage english(kEnglish);
    EXPECT_EQ(GetCommErrorText(kUnitError, 0x65), ResString(20348) + L":(65H)");
    EXPECT_EQ(GetCommErrorText(kUnitError, 0x65), L"The unit answered with an error:(65H)");
    EXPECT_EQ(GetCommErrorText(kSerialRecv, 0), ResString(20346) + L":(0)");
    EXPECT_EQ(GetCommErrorText(kCancelled, 7), L":(7)");
    EXPECT_EQ(GetCommErrorText(kEndedEarly, 0), L":(0)");
    EXPECT_EQ(GetCommErrorText(kTcpConnectFailed, 111), ResString(20337) + L":(111)");
    EXPECT_EQ(GetCommErrorText(kUnitError, 0xAB), ResString(20348) + L":(ABH)");
    EXPECT_EQ(GetCommErrorText(4242, 1), L":(1)");
}

TEST(CommErrorText, EveryCodeHasItsStringInEveryLanguage) {
    struct Code {
        LinkResult result;
        unsigned id;
    };
    const Code codes[] = {
        {111, 20330},
        {112, 20331},
        {113, 20332},
        {114, 20333},
        {121, 20334},
        {122, 20335},
        {123, 20336},
        {124, 20339},
        {125, 20338},
        {126, 20337},
        {132, 20342},
        {133, 20336},
        {134, 20343},
        {137, 20344},
        {211, 20345},
        {221, 20340},
        {222, 20345},
        {231, 20345},
        {311, 20346},
        {312, 20346},
        {321, 20341},
        {322, 20346},
        {332, 20346},
        {411, 20347},
        {421, 20347},
        {431, 20347},
        {0x8000, 20348},
        // Added by this program.
        {kReplyCheckCode, 20349},
        {kReplyMalformed, 20350},
        {kReplyTooLong, 20351},
        {kBadRequest, 20352},
        {kReplyMismatch, 20353},
    };
    for (const Language& lang : kAllLanguages) {
        ScopedLanguage scoped(lang);
        for (const Code& c : codes) {
            EXPECT_EQ(CommErrorStringId(c.result), c.id) << c.result;
            const std::wstring text = ResString(c.id);
            EXPECT_FALSE(text.empty()) << c.id << " in " << lang.module;
            EXPECT_EQ(text.find(L'%'), std::wstring::npos) << c.id << " in " << lang.module;
            const std::wstring detail = c.result == kUnitError ? L":(61H)" : L":(61)";
            EXPECT_EQ(GetCommErrorText(c.result, c.result == kUnitError ? 0x61 : 61),
                      text + detail);
        }
        for (unsigned id : {20316u, 20317u, 20435u})
            EXPECT_FALSE(ResString(id).empty()) << id << " in " << lang.module;
        EXPECT_EQ(CommErrorStringId(kCancelled), 0u);
        EXPECT_EQ(CommErrorStringId(kEndedEarly), 0u);
        EXPECT_EQ(CommErrorStringId(kOk), 0u);
    }
}

TEST(CommErrorText, JapaneseAndChineseTexts) {
    {
        ScopedLanguage jpn(kJapanese);
        EXPECT_EQ(GetCommErrorText(kUnitError, 0x61), L"本体がエラーを返しました:(61H)");
        EXPECT_EQ(GetCommErrorText(kTcpRecvWait, 110),
                  L"本体から応答がありません（タイムアウト）:(110)");
    }
    {
        ScopedLanguage chs(kChinese);
        EXPECT_EQ(GetCommErrorText(kUnitError, 0x61), L"主机返回了错误:(61H)");
        EXPECT_EQ(GetCommErrorText(kReplyCheckCode, 0), L"主机响应的校验码错误:(0)");
    }
}

TEST(CommErrorText, WithoutALanguageModuleOnlyTheDetail) {
    SetActiveStringTable(nullptr);
    EXPECT_EQ(GetCommErrorText(kSerialOpen, 2), L":(2)");
}

} // namespace
} // namespace qv::test
