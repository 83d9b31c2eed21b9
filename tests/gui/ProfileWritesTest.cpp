// The profile file is rewritten (a new file renamed over the old) only when
// what it holds changes: a value written as it stands leaves it alone, and
// the writes made while a HeldWrites lives reach it together when it ends.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "ui/WxProfileStore.h"

namespace qv {
namespace {

class ProfileWritesTest : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/qvprofile.XXXXXX";
        dir = mkdtemp(tmpl);
        path = dir + "/profile.ini";
    }
    void TearDown() override { std::system(("rm -rf '" + dir + "'").c_str()); }
    // Keeps the file as it is now under a second name. A rewrite puts a new
    // file under the profile's name; the old one lives on under the second,
    // so its number cannot be given to the new one.
    void Witness() {
        const std::string witness = dir + "/witness";
        ::unlink(witness.c_str());
        ASSERT_EQ(::link(path.c_str(), witness.c_str()), 0);
    }
    bool Rewritten() const {
        struct stat now {
        }, then{};
        return ::stat(path.c_str(), &now) != 0 || ::stat((dir + "/witness").c_str(), &then) != 0 ||
               now.st_ino != then.st_ino;
    }
    std::string Text() const {
        std::ostringstream text;
        text << std::ifstream(path).rdbuf();
        return text.str();
    }
    std::string dir, path;
};

TEST_F(ProfileWritesTest, AValueWrittenAsItStandsLeavesTheFileAlone) {
    WxProfileStore store(path);
    ASSERT_TRUE(store.WriteNumber("Workspace", "ApplicationLook", 215));
    ASSERT_TRUE(store.WriteText("Settings", "Language", L"Japanese"));
    Witness();
    EXPECT_TRUE(store.WriteNumber("Workspace", "ApplicationLook", 215));
    EXPECT_TRUE(store.WriteText("Settings", "Language", L"Japanese"));
    EXPECT_FALSE(Rewritten());
    // A changed value reaches the file at once.
    EXPECT_TRUE(store.WriteNumber("Workspace", "ApplicationLook", 216));
    EXPECT_TRUE(Rewritten());
    EXPECT_NE(Text().find("ApplicationLook=216"), std::string::npos);
}

TEST_F(ProfileWritesTest, HeldWritesReachTheFileTogetherWhenTheLastHoldEnds) {
    WxProfileStore store(path);
    ASSERT_TRUE(store.WriteNumber("Workspace", "ApplicationLook", 215));
    Witness();
    {
        const WxProfileStore::HeldWrites outer(store);
        {
            const WxProfileStore::HeldWrites inner(store);
            for (uint32_t n = 0; n < 20; ++n)
                EXPECT_TRUE(store.WriteNumber("ListStateInfo/List0",
                                              "Column Width " + std::to_string(n), n));
        }
        EXPECT_TRUE(store.WriteNumber("Workspace", "ApplicationLook", 217));
        EXPECT_FALSE(Rewritten());
        EXPECT_EQ(Text().find("Column"), std::string::npos);
        // Held values read back at once.
        EXPECT_EQ(store.ReadNumber("ListStateInfo/List0", "Column Width 19").value_or(0), 19u);
    }
    EXPECT_TRUE(Rewritten());
    WxProfileStore again(path);
    EXPECT_EQ(again.ReadNumber("ListStateInfo/List0", "Column Width 19").value_or(0), 19u);
    EXPECT_EQ(again.ReadNumber("Workspace", "ApplicationLook").value_or(0), 217u);
}

} // namespace
} // namespace qv
