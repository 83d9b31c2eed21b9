// The four-field IPv4 entry: its number and byte forms, what it refuses, and
// real typing with the dot moving on and stray characters kept out.
#include <gtest/gtest.h>

#include <wx/frame.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include "tests/gui/PumpUntil.h"
#include "ui/IpAddressCtrl.h"

namespace qv {
namespace {

class IpAddressCtrlTest : public ::testing::Test {
protected:
    wxFrame* frame = nullptr;
    IpAddressCtrl* ip = nullptr;

    void SetUp() override {
        frame = new wxFrame(nullptr, wxID_ANY, "ip", wxPoint(0, 0), wxSize(300, 100));
        ip = new IpAddressCtrl(frame);
        ASSERT_TRUE(test::AwaitShown(frame));
    }
    void TearDown() override {
        frame->Destroy();
        test::RunPendingEvents();
    }
    void SetFields(const char* a, const char* b, const char* c, const char* d) {
        const char* texts[] = {a, b, c, d};
        for (int i = 0; i < 4; ++i)
            ip->Field(i)->ChangeValue(texts[i]);
    }
};

TEST_F(IpAddressCtrlTest, NumberAndBytesKeepTheFirstOctetFirst) {
    ip->SetAddress(0xC0A80114);
    EXPECT_EQ(ip->Field(0)->GetValue(), "192");
    EXPECT_EQ(ip->Field(3)->GetValue(), "20");
    uint8_t bytes[4] = {};
    ASSERT_TRUE(ip->GetOctets(bytes));
    EXPECT_EQ(bytes[0], 192);
    EXPECT_EQ(bytes[3], 20);

    const uint8_t mask[4] = {255, 255, 255, 0};
    ip->SetOctets(mask);
    uint32_t address = 0;
    ASSERT_TRUE(ip->GetAddress(address));
    EXPECT_EQ(address, 0xFFFFFF00u);
}

TEST_F(IpAddressCtrlTest, AnEmptyOrTooLargeFieldIsNoAddress) {
    struct Case {
        const char* fields[4];
        int invalid;
    };
    const Case cases[] = {
        {{"10", "0", "0", "1"}, -1}, {{"", "0", "0", "1"}, 0},   {{"10", "256", "0", "1"}, 1},
        {{"10", "0", "0", ""}, 3},   {{"0", "0", "0", "0"}, -1},
    };
    for (const Case& c : cases) {
        SetFields(c.fields[0], c.fields[1], c.fields[2], c.fields[3]);
        EXPECT_EQ(ip->InvalidField(), c.invalid) << c.fields[0] << "." << c.fields[1];
        uint32_t address = 0x12345678;
        EXPECT_EQ(ip->GetAddress(address), c.invalid < 0);
        if (c.invalid >= 0) {
            EXPECT_EQ(address, 0x12345678u);
        }
    }
    EXPECT_FALSE(ip->IsBlank());
    ip->ClearAddress();
    EXPECT_TRUE(ip->IsBlank());
}

TEST_F(IpAddressCtrlTest, TypingMovesOnAtDotsAndKeepsOnlyDigits) {
    ASSERT_TRUE(test::FocusControl(ip->Field(0)));
    wxUIActionSimulator sim;
    sim.Text("1x92.168.1.2a0");
    ASSERT_TRUE(test::PumpUntil([&] { return ip->Field(3)->GetValue() == "20"; }))
        << ip->Field(3)->GetValue();
    uint32_t address = 0;
    ASSERT_TRUE(ip->GetAddress(address));
    EXPECT_EQ(address, 0xC0A80114u);
}

TEST_F(IpAddressCtrlTest, DisabledMeansEveryFieldDisabled) {
    ip->Enable(false);
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(ip->Field(i)->IsEnabled());
    ip->Enable(true);
    EXPECT_TRUE(ip->Field(2)->IsEnabled());
}

} // namespace
} // namespace qv
