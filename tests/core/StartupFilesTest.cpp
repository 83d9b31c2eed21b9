#include <gtest/gtest.h>

#include <cstring>

#include "app/RecentFiles.h"
#include "app/RegisteredInfo.h"
#include "app/SplashBitmap.h"
#include "app/WindowPlacement.h"
#include "document/MessageType.h"
#include "tests/core/DocFixtures.h"

namespace qv {
namespace {

void Put32(std::vector<uint8_t>& b, size_t off, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b.at(off + i) = static_cast<uint8_t>(v >> (8 * i));
}
void Put16(std::vector<uint8_t>& b, size_t off, uint16_t v) {
    b[off] = static_cast<uint8_t>(v);
    b[off + 1] = static_cast<uint8_t>(v >> 8);
}

// A bottom-up bitmap of w x h at the given depth; pixels set by the caller.
std::vector<uint8_t> MakeBmp(int w, int h, int bits, uint32_t colours) {
    const size_t stride = ((static_cast<size_t>(w) * bits + 31) / 32) * 4;
    const size_t table = bits <= 8 ? (colours ? colours : 1u << bits) * 4 : 0;
    const size_t offset = 54 + table;
    std::vector<uint8_t> b(offset + stride * h, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<uint32_t>(b.size()));
    Put32(b, 10, static_cast<uint32_t>(offset));
    Put32(b, 14, 40);
    Put32(b, 18, static_cast<uint32_t>(w));
    Put32(b, 22, static_cast<uint32_t>(h));
    Put16(b, 26, 1);
    Put16(b, 28, static_cast<uint16_t>(bits));
    Put32(b, 46, colours);
    return b;
}

TEST(SplashBitmap, DecodesTrueColourAndPaletteImages) {
    auto bmp24 = MakeBmp(2, 2, 24, 0);
    // bottom row first in the file: bottom-left pixel blue (BGR 255,0,0)
    bmp24[54] = 255;
    auto img = DecodeSplashBitmap(bmp24);
    ASSERT_TRUE(img);
    EXPECT_FALSE(img->hasPalette);
    EXPECT_EQ(img->rgb.size(), 12u);
    EXPECT_EQ(img->rgb[6 + 2], 255); // row 1 (bottom) column 0: blue
    EXPECT_EQ(img->rgb[6 + 0], 0);

    auto bmp8 = MakeBmp(3, 1, 8, 2);
    bmp8[54 + 4 + 1] = 200; // colour 1: green 200
    bmp8[62 + 1] = 1;       // pixel 1 uses colour 1
    bmp8[62 + 2] = 7;       // an index past the table: black, not a read past it
    img = DecodeSplashBitmap(bmp8);
    ASSERT_TRUE(img);
    EXPECT_TRUE(img->hasPalette);
    EXPECT_EQ(img->rgb, (std::vector<uint8_t>{0, 0, 0, 0, 200, 0, 0, 0, 0}));

    auto bmp1 = MakeBmp(9, 1, 1, 0);
    bmp1[54 + 4] = bmp1[54 + 5] = bmp1[54 + 6] = 255; // colour 1 white
    bmp1[62] = 0x80;
    bmp1[63] = 0x80; // pixels 0 and 8
    img = DecodeSplashBitmap(bmp1);
    ASSERT_TRUE(img);
    EXPECT_EQ(img->rgb[0], 255);
    EXPECT_EQ(img->rgb[3], 0);
    EXPECT_EQ(img->rgb[24], 255);
}

TEST(SplashBitmap, RefusesShortAndCraftedFiles) {
    const auto good = MakeBmp(4, 4, 8, 0);
    auto variant = [&](auto change) {
        auto b = good;
        change(b);
        return b;
    };
    const std::pair<const char*, std::vector<uint8_t>> bad[] = {
        {"empty", {}},
        {"header only", std::vector<uint8_t>(good.begin(), good.begin() + 20)},
        {"not BM", variant([](auto& b) { b[1] = 'X'; })},
        {"pixels cut short", std::vector<uint8_t>(good.begin(), good.end() - 1)},
        {"pixel offset past the end", variant([](auto& b) { Put32(b, 10, 0x7FFFFFF0); })},
        {"pixel offset inside the header", variant([](auto& b) { Put32(b, 10, 20); })},
        {"too many colours", variant([](auto& b) { Put32(b, 46, 257); })},
        {"huge width", variant([](auto& b) { Put32(b, 18, 0x40000000); })},
        {"negative width", variant([](auto& b) { Put32(b, 18, 0xFFFFFFFF); })},
        {"zero height", variant([](auto& b) { Put32(b, 22, 0); })},
        {"huge information header", variant([](auto& b) { Put32(b, 14, 0xFFFFFFF0); })},
        {"compressed", variant([](auto& b) { Put32(b, 30, 1); })},
        {"odd bit count", variant([](auto& b) { Put16(b, 28, 7); })},
    };
    ASSERT_TRUE(DecodeSplashBitmap(good));
    for (const auto& [what, bytes] : bad)
        EXPECT_FALSE(DecodeSplashBitmap(bytes)) << what;
    EXPECT_FALSE(ReadSplashBitmap("/nonexistent/QVOpen.Opn"));
}

TEST(WindowPlacementTest, DefaultsRoundTripAndUsableOnScreen) {
    MemoryProfile profile;
    WindowPlacement w = LoadWindowPlacement(profile);
    EXPECT_EQ(w.length, 44);
    EXPECT_EQ(w.flags, 2);
    EXPECT_EQ(w.showCmd, 3);
    EXPECT_TRUE(w.NothingStored());

    w.showCmd = kShowNormal;
    w.normal = {-300, 20, 500, 620};
    w.minX = -1;
    SaveWindowPlacement(profile, w);
    EXPECT_EQ(*profile.ReadNumber(kPlacementSection, "FrameWnd Normal left"), 0xFFFFFED4u);
    const WindowPlacement back = LoadWindowPlacement(profile);
    EXPECT_EQ(back.normal.left, -300);
    EXPECT_EQ(back.minX, -1);
    EXPECT_EQ(back.showCmd, kShowNormal);

    const std::vector<Rect> screens = {{0, 0, 1920, 1080}};
    EXPECT_EQ(UsablePlacement(back, screens).normal.left, -300); // partly on screen: kept

    WindowPlacement minimized = back;
    minimized.showCmd = kShowMinimized;
    minimized.flags = 0;
    EXPECT_EQ(UsablePlacement(minimized, screens).showCmd, kShowNormal);
    minimized.flags = kPlacementRestoreToMaximized;
    EXPECT_EQ(UsablePlacement(minimized, screens).showCmd, kShowMaximized);

    WindowPlacement gone = back;
    gone.normal = {3000, 100, 5000, 2100}; // on a screen that is no longer there
    const WindowPlacement moved = UsablePlacement(gone, screens);
    EXPECT_GE(moved.normal.left, 0);
    EXPECT_LE(moved.normal.right, 1920);
    EXPECT_LE(moved.normal.bottom, 1080);
    EXPECT_GT(moved.normal.Width(), 0);
}

TEST(ListStateTest, UnsavedListsReadMinusOneAndOneListSavesAlone) {
    MemoryProfile profile;
    ColumnWidthTable widths;
    for (auto& row : widths)
        row.fill(5);
    LoadListState(profile, widths, -1);
    for (const auto& row : widths)
        for (int32_t v : row)
            ASSERT_EQ(v, -1);
    widths[4][0] = 120;
    widths[4][9] = 33;
    widths[5][0] = 77;
    SaveListState(profile, widths, 4);
    EXPECT_EQ(*profile.ReadNumber("ListStateInfo\\List4", "Column Width 09"), 33u);
    EXPECT_FALSE(profile.ReadNumber("ListStateInfo\\List5", "Column Width 00"));
    ColumnWidthTable loaded;
    LoadListState(profile, loaded, -1);
    EXPECT_EQ(loaded[4][0], 120);
    EXPECT_EQ(loaded[5][0], -1);
}

TEST(RegisteredInfoTest, OptionalFile) {
    test::TempDir dir;
    EXPECT_EQ(GetRegisteredInfo(dir.File("none")).owner, L"");
    const std::string f = dir.File("registration");
    const std::string text = "# installed\nRegisteredOwner=Hana \xE5\xB1\xB1\xE7\x94\xB0\r\n"
                             "RegisteredOrganization=Zorvek Control\n";
    test::WriteBytes(f, std::vector<uint8_t>(text.begin(), text.end()));
    const RegisteredInfo info = GetRegisteredInfo(f);
    EXPECT_EQ(info.owner, L"Hana \x5C71\x7530");
    EXPECT_EQ(info.organization, L"Zorvek Control");
}

TEST(MessageTypeTest, ExclamationIconAddedOnlyWhereDue) {
    EXPECT_EQ(EffectiveMessageType(kMbYesNo), kMbYesNo | kMbIconExclamation);
    EXPECT_EQ(EffectiveMessageType(kMbOk), kMbIconExclamation);
    EXPECT_EQ(EffectiveMessageType(kMbAbortRetryIgnore), kMbAbortRetryIgnore);
    EXPECT_EQ(EffectiveMessageType(kMbRetryCancel), kMbRetryCancel);
    EXPECT_EQ(EffectiveMessageType(kMbYesNo | kMbIconQuestion), kMbYesNo | kMbIconQuestion);
}

} // namespace
} // namespace qv

namespace qv {
namespace {

TEST(RecentFilesTest, NewestFirstTenAtMostAndKeptInTheProfile) {
    MemoryProfile profile;
    RecentFiles recent;
    for (int i = 1; i <= 12; ++i)
        recent.AddRecentFile("/data/f" + std::to_string(i) + ".qv");
    recent.AddRecentFile("/data/f5.qv"); // already listed: moves up
    ASSERT_EQ(recent.Paths().size(), 10u);
    EXPECT_EQ(recent.Paths()[0], "/data/f5.qv");
    EXPECT_EQ(recent.Paths()[1], "/data/f12.qv");
    EXPECT_EQ(recent.Paths()[9], "/data/f3.qv");
    recent.Save(profile);
    EXPECT_EQ(*profile.ReadText("Recent File List", "File1"), L"/data/f5.qv");

    RecentFiles again;
    again.Load(profile);
    EXPECT_EQ(again.Paths(), recent.Paths());
    again.Remove(0);
    again.Save(profile);
    EXPECT_FALSE(profile.ReadText("Recent File List", "File10"));
}

} // namespace
} // namespace qv
