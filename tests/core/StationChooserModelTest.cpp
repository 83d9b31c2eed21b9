// The station chooser's model: what each port offers, the rows and tabs,
// and the flags OK hands back.
#include <gtest/gtest.h>

#include "editors/devices/StationChooserModel.h"

namespace qv {
namespace {

UnitBlock Ports(bool port1FuncCodes, bool port2FuncCodes) {
    UnitBlock unit;
    unit.SetU8(unit::PortRecordOffset(0) + portrec::kProtocol, port1FuncCodes ? 1 : 0);
    unit.SetU8(unit::PortRecordOffset(1) + portrec::kProtocol, port2FuncCodes ? 1 : 0);
    return unit;
}

StationList Flags(std::initializer_list<int> set) {
    StationList f{};
    for (int n : set)
        f[static_cast<size_t>(n)] = 1;
    return f;
}

TEST(StationChooserTest, WhatEachPortOffers) {
    const struct {
        const char* what;
        int port;
        bool port1Func, port2Func;
        StationList flags;
        int tabs;
        bool allEnabled, all;
        StationList okFlags;
    } cases[] = {
        {"port 2, nothing chosen", 2, false, false, Flags({}), 1, false, false, Flags({1})},
        {"port 2 with flag 0", 2, false, false, Flags({0}), 1, false, false, Flags({1})},
        {"port 1 area, all", 1, false, false, Flags({0}), 1, true, true, Flags({0})},
        {"port 1 area, some", 1, false, false, Flags({4, 60}), 1, true, false, Flags({4, 60})},
        {"port 1 functions", 1, true, false, Flags({0}), 3, false, false, Flags({1})},
        {"port 2 functions", 2, false, true, Flags({150, 247}), 3, false, false, Flags({150, 247})},
        {"hidden high station", 2, false, false, Flags({150}), 1, false, false, Flags({1})},
    };
    for (const auto& c : cases) {
        StationChooser chooser(c.port, Ports(c.port1Func, c.port2Func), c.flags);
        EXPECT_EQ(chooser.TabCount(), c.tabs) << c.what;
        EXPECT_EQ(chooser.AllEnabled(), c.allEnabled) << c.what;
        EXPECT_EQ(chooser.All(), c.all) << c.what;
        EXPECT_EQ(chooser.StationsEnabled(), !c.all) << c.what;
        StationList out{};
        out[100] = 9; // every entry is written
        EXPECT_FALSE(chooser.Ok(out).Refused()) << c.what;
        EXPECT_EQ(out, c.okFlags) << c.what;
    }
}

TEST(StationChooserTest, TabsRowsAndBoxes) {
    EXPECT_EQ(StationChooser::StationOf(0, 0), 0);
    EXPECT_EQ(StationChooser::StationOf(0, 99), 99);
    EXPECT_EQ(StationChooser::StationOf(1, 50), 150);
    EXPECT_EQ(StationChooser::StationOf(2, 47), 247);
    EXPECT_EQ(StationChooser::StationOf(2, 48), 0);
    const struct {
        int tab, row;
        const wchar_t* caption;
    } rows[] = {{0, 0, L"01 - 09"},   {0, 1, L"10 - 19"}, {0, 9, L"90 - 99"}, {1, 0, L"100 - 109"},
                {2, 4, L"240 - 247"}, {2, 5, L""},        {2, 9, L""}};
    for (const auto& r : rows)
        EXPECT_EQ(StationChooser::RowCaption(r.tab, r.row), r.caption) << r.tab << "/" << r.row;
}

TEST(StationChooserTest, RowButtonsFollowTheirOwnClicksAndOtherTabsKeepTheirChoice) {
    StationChooser chooser(2, Ports(false, true), Flags({5}));
    chooser.ToggleRow(0, 0);
    for (int n = 1; n <= 9; ++n)
        EXPECT_TRUE(chooser.Chosen(n)) << n;
    chooser.SetChosen(3, false);
    chooser.ToggleRow(0, 0); // still the opposite of the button's last action
    for (int n = 1; n <= 9; ++n)
        EXPECT_FALSE(chooser.Chosen(n)) << n;
    chooser.SetChosen(150, true);
    chooser.ToggleRow(2, 4);
    StationList out{};
    ASSERT_FALSE(chooser.Ok(out).Refused());
    StationList expected = Flags({150, 240, 241, 242, 243, 244, 245, 246, 247});
    EXPECT_EQ(out, expected);
}

TEST(StationChooserTest, OkWithNoStationIsRefusedAndWritesNothing) {
    StationChooser chooser(1, Ports(false, false), Flags({7}));
    chooser.SetChosen(7, false);
    StationList out = Flags({7});
    const Refusal r = chooser.Ok(out);
    EXPECT_EQ(r.messageId, kMsgNoStationChosen);
    EXPECT_EQ(out, Flags({7}));
    chooser.SetAll(true);
    ASSERT_FALSE(chooser.Ok(out).Refused());
    EXPECT_EQ(out, Flags({0}));
    // The all-stations choice exists only on port 1 with the area protocol.
    StationChooser port2(2, Ports(false, false), Flags({}));
    port2.SetAll(true);
    EXPECT_FALSE(port2.All());
}

} // namespace
} // namespace qv
