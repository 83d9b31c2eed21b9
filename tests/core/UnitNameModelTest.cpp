// The unit-name page's model: the name's byte limit in each code page, and
// stores that touch only the name or only the option of the current block.
#include <gtest/gtest.h>

#include "document/CodePageText.h"
#include "editors/unitname/UnitNameModel.h"

namespace qv {
namespace {

TEST(UnitNameModelTest, NameFitsThirtyTwoBytes) {
    const struct {
        const char* what;
        std::wstring name;
        uint32_t codePage;
        unsigned message;
    } cases[] = {
        {"empty", L"", kCodePageJapanese, 0},
        {"32 single-byte", std::wstring(32, L'n'), kCodePageJapanese, 0},
        {"33 single-byte", std::wstring(33, L'n'), kCodePageJapanese, 20000},
        {"16 double-byte, 932", std::wstring(16, L'\u3042'), kCodePageJapanese, 0},
        {"17 double-byte, 932", std::wstring(17, L'\u3042'), kCodePageJapanese, 20000},
        {"16 double-byte, 936", std::wstring(16, L'\u4E2D'), kCodePageChinese, 0},
        {"17 double-byte, 936", std::wstring(17, L'\u4E2D'), kCodePageChinese, 20000},
        {"not in the code page", L"\U0001F600", kCodePageJapanese, 29001},
    };
    for (const auto& c : cases) {
        const Refusal r = CheckUnitName(c.name, c.codePage);
        EXPECT_EQ(r.messageId, c.message) << c.what;
        if (c.message == 20000) {
            EXPECT_EQ(r.args, (std::vector<std::wstring>{L"16", L"32"})) << c.what;
        }
    }
}

TEST(UnitNameModelTest, StoresTouchOnlyTheirField) {
    UnitBlock current;
    current.bytes.fill(0xC3); // port settings and the rest, as the document has them
    WriteMultiField(current.data(), kUnitNameWidth, "a much longer old unit name here", 932);
    UnitBlock expected = current;

    StoreUnitName(L"Unit", current, kCodePageJapanese);
    WriteMultiField(expected.data(), kUnitNameWidth, "Unit", 932);
    EXPECT_EQ(current, expected);
    for (size_t i = 4; i < 32; ++i)
        ASSERT_EQ(current.bytes[i], 0) << "name byte " << i;

    StoreUnitName(std::wstring(32, L'n'), current, kCodePageJapanese);
    EXPECT_EQ(current.bytes[31], 'n');
    EXPECT_EQ(current.bytes[32], 0xC3) << "a full name has no terminator";

    EXPECT_EQ(LoadUnitName(current, 932).option, -1) << "0xC3 is neither option";
    EXPECT_FALSE(StoreUnitOption(-1, current));
    EXPECT_EQ(current.U8(unit::kUnitOption), 0xC3);
    EXPECT_TRUE(StoreUnitOption(1, current));
    EXPECT_FALSE(StoreUnitOption(1, current));
    EXPECT_EQ(current.U8(unit::kUnitOption), 1);
    for (size_t i = 32; i < 64; ++i) {
        if (i != unit::kUnitOption) {
            ASSERT_EQ(current.bytes[i], 0xC3) << "byte " << i;
        }
    }
}

} // namespace
} // namespace qv
