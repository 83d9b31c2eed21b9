#include <gtest/gtest.h>

#include <vector>

#include "app/KeyTips.h"

namespace qv {
namespace {

// One key stroke: down (with the modifiers held) or up.
struct Stroke {
    int key;
    bool down;
    bool alt = false;
    bool other = false;
};
Stroke Down(int key, bool alt = false, bool other = false) {
    return {key, true, alt, other};
}
Stroke Up(int key) {
    return {key, false};
}
constexpr int A = KeyTips::kAlt;

TEST(KeyTipsTest, WhichStrokesRunATipAndWhichKeysAreUsedUp) {
    struct Case {
        const char* what;
        std::vector<Stroke> strokes;
        char run;      // what the last stroke runs
        bool consumed; // whether the last stroke goes no further
        bool shown;    // the tips after the last stroke
    };
    const Case cases[] = {
        {"Alt released alone shows the tips", {Down(A), Up(A)}, 0, false, true},
        {"then the letter runs its tip", {Down(A), Up(A), Down('F')}, 'F', true, false},
        {"Alt held with the letter", {Down(A), Down('A', true)}, 'A', true, false},
        {"a letter without a tip", {Down(A), Up(A), Down('Q')}, 0, false, false},
        {"a letter alone does nothing", {Down('F')}, 0, false, false},
        {"Escape puts the tips away", {Down(A), Up(A), Down(KeyTips::kEscape)}, 0, true, false},
        {"Escape without tips goes on", {Down(KeyTips::kEscape)}, 0, false, false},
        {"a second Alt puts them away", {Down(A), Up(A), Down(A), Up(A)}, 0, false, false},
        {"Alt used with another key shows nothing",
         {Down(A), Down('X', true), Up(A)},
         0,
         false,
         false},
        {"Ctrl+Alt is no key tip",
         {Down(A, false, true), Down('F', true, true), Up(A)},
         0,
         false,
         false},
        {"tips then Ctrl with the letter",
         {Down(A), Up(A), Down('F', false, true)},
         0,
         false,
         false},
        {"the tip is used once", {Down(A), Up(A), Down('F'), Down('F')}, 0, false, false},
    };
    for (const Case& c : cases) {
        KeyTips tips("FA");
        KeyTips::Result last;
        for (const Stroke& s : c.strokes) {
            last = {};
            if (s.down)
                last = tips.KeyDown(s.key, s.alt, s.other);
            else
                tips.KeyUp(s.key);
        }
        EXPECT_EQ(last.run, c.run) << c.what;
        EXPECT_EQ(last.consumed, c.consumed) << c.what;
        EXPECT_EQ(tips.Shown(), c.shown) << c.what;
    }
}

TEST(KeyTipsTest, AClickPutsTheTipsAway) {
    KeyTips tips("F");
    tips.KeyDown(KeyTips::kAlt, false, false);
    tips.KeyUp(KeyTips::kAlt);
    ASSERT_TRUE(tips.Shown());
    tips.Reset();
    EXPECT_FALSE(tips.Shown());
    EXPECT_EQ(tips.KeyDown('F', false, false).run, 0);
}

} // namespace
} // namespace qv
