// The profile file as the program writes it: whole, in one step that never
// leaves it missing, once for each action, through a symbolic link, and never
// over a profile too large to read, which start-up keeps aside and names.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <random>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/LanguageProfile.h"
#include "app/MainFrame.h"
#include "app/QuorvelApp.h"
#include "document/FileReplace.h"
#include "document/Utf8.h"
#include "tests/gui/GuiTestSupport.h"
#include "ui/WxProfileStore.h"

namespace qv {
namespace {

const std::string kSettingsGroup = "[Software/Zorvek Control/Quorvelis/Settings]\n";

// What happened to one name in a folder, as the kernel tells it.
class NameWatch {
public:
    NameWatch(const std::string& folder, std::string name) : name_(std::move(name)) {
        fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        EXPECT_GE(fd_, 0);
        EXPECT_GE(inotify_add_watch(fd_, folder.c_str(),
                                    IN_MOVED_TO | IN_MOVED_FROM | IN_DELETE | IN_CLOSE_WRITE),
                  0);
    }
    ~NameWatch() { close(fd_); }

    struct Seen {
        int written = 0; // new content under the name: renamed in, or written in place
        int removed = 0; // the name gone: deleted, or renamed away
    };
    // What happened since the last call.
    Seen Take() {
        Seen seen;
        alignas(inotify_event) char buffer[64 * 1024];
        ssize_t n = 0;
        while ((n = read(fd_, buffer, sizeof buffer)) > 0) {
            for (const char* p = buffer; p < buffer + n;) {
                const auto* e = reinterpret_cast<const inotify_event*>(p);
                EXPECT_FALSE(e->mask & IN_Q_OVERFLOW);
                if (e->len > 0 && name_ == e->name) {
                    seen.written += (e->mask & (IN_MOVED_TO | IN_CLOSE_WRITE)) != 0;
                    seen.removed += (e->mask & (IN_MOVED_FROM | IN_DELETE)) != 0;
                }
                p += sizeof(inotify_event) + e->len;
            }
        }
        return seen;
    }

private:
    int fd_ = -1;
    std::string name_;
};

std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* d = opendir(folder.c_str())) {
        while (const dirent* e = readdir(d))
            if (std::string(e->d_name) != "." && std::string(e->d_name) != "..")
                names.push_back(e->d_name);
        closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

// A profile of exactly size bytes whose language is English.
std::string ProfileOfSize(size_t size) {
    std::string text = kSettingsGroup + "Language=English\nPad=";
    text += std::string(size - text.size() - 1, 'x') + "\n";
    return text;
}

class ProfileWriteTest : public ::testing::Test {
protected:
    CQuorvelApp& app = wxGetApp();
    std::string dir;
    std::string path;
    std::string savedProfile;

    void SetUp() override {
        char tmpl[] = "/tmp/qvprofile.XXXXXX";
        dir = mkdtemp(tmpl);
        path = dir + "/profile.ini";
        savedProfile = std::getenv("QV_PROFILE");
        setenv("QV_PROFILE", path.c_str(), 1);
    }
    void TearDown() override {
        if (app.MainFrame())
            app.MainFrame()->Close(true);
        app.Reset();
        test::RunPendingEvents();
        setenv("QV_PROFILE", savedProfile.c_str(), 1);
        std::system(("rm -rf '" + dir + "'").c_str());
    }
    std::string SavedFile(const std::string& name) {
        const std::string file = dir + "/" + name;
        EXPECT_EQ(CQuorvelDoc(932).SaveSettingsFile(file), 0);
        return file;
    }
};

TEST_F(ProfileWriteTest, ChangesAreWrittenOnceAtFlushByOneRename) {
    std::ofstream(path) << kSettingsGroup << "Language=English\n";
    NameWatch watch(dir, "profile.ini");
    {
        WxProfileStore store(path);
        for (uint32_t c = 0; c < 10; ++c)
            for (int list = 0; list < kListCount; ++list)
                store.WriteNumber("ListStateInfo\\List" + std::to_string(list),
                                  "Column Width 0" + std::to_string(c), 100 + c);
        EXPECT_EQ(watch.Take().written, 0) << "written before the action ended";
        EXPECT_TRUE(store.Flush());
        NameWatch::Seen seen = watch.Take();
        EXPECT_EQ(seen.written, 1);
        EXPECT_EQ(seen.removed, 0) << "the old profile went before the new one was there";
        // The same values again are no change, and a flush without changes writes nothing.
        store.WriteNumber("ListStateInfo\\List3", "Column Width 02", 102);
        EXPECT_TRUE(store.Flush());
        EXPECT_TRUE(store.Flush());
        EXPECT_EQ(watch.Take().written, 0);
        store.WriteText(kSettingsSection, "Language", L"Chinese_s");
    }
    // What no action wrote, the store's end does.
    NameWatch::Seen seen = watch.Take();
    EXPECT_EQ(seen.written, 1);
    EXPECT_EQ(seen.removed, 0);
    WxProfileStore again(path);
    EXPECT_EQ(again.ReadText(kSettingsSection, "Language"), L"Chinese_s");
    EXPECT_EQ(again.ReadNumber("ListStateInfo\\List14", "Column Width 09"), 109u);
    EXPECT_EQ(Entries(dir), std::vector<std::string>{"profile.ini"});
}

// A child writes the profile over and over, a generation of 200 values at a
// time, and is killed at random moments: the profile is always there and
// whole (one generation, never an older one), and nothing but the one fixed
// temporary file, which the next open removes, is ever left beside it.
TEST_F(ProfileWriteTest, KillsWhileWritingLeaveAWholeProfileAndNoStrayFiles) {
    constexpr int kValues = 200;
    const std::wstring pad(800, L'p');
    const auto writeGeneration = [&](int generation) {
        WxProfileStore store(path);
        for (int i = 0; i < kValues; ++i)
            store.WriteText("Settings\\Kill", "Value" + std::to_string(i),
                            std::to_wstring(generation) + L"-" + pad);
    }; // written as the store ends
    // The generation the profile holds whole, or -1.
    const auto readGeneration = [&]() {
        WxProfileStore store(path);
        int generation = -1;
        for (int i = 0; i < kValues; ++i) {
            const auto text = store.ReadText("Settings\\Kill", "Value" + std::to_string(i));
            const size_t dash = text ? text->find(L'-') : std::wstring::npos;
            if (dash == std::wstring::npos || text->substr(dash + 1) != pad)
                return -1;
            const int g = std::stoi(text->substr(0, dash));
            if (i > 0 && g != generation)
                return -1;
            generation = g;
        }
        return generation;
    };
    writeGeneration(0);
    const std::vector<std::string> alone{"profile.ini"};
    std::vector<std::string> withTemporary{"profile.ini", TemporaryNameFor(path)};
    std::sort(withTemporary.begin(), withTemporary.end());

    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(6);
    int generation = 0;
    int kills = 0;
    while (kills < 60 && std::chrono::steady_clock::now() < deadline) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            for (int g = generation + 1;; ++g)
                writeGeneration(g);
        }
        usleep(random() % 25000); // a moment anywhere in a few writes
        kill(pid, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ++kills;
        SCOPED_TRACE("kill " + std::to_string(kills));
        const std::vector<std::string> left = Entries(dir);
        ASSERT_TRUE(left == alone || left == withTemporary) << left.size() << " files left";
        const int now = readGeneration();
        ASSERT_GE(now, generation) << "the profile is not whole, or older than before";
        generation = now;
    }
    EXPECT_GE(readGeneration(), generation);
    EXPECT_EQ(Entries(dir), alone);
    writeGeneration(generation + 1);
    EXPECT_EQ(readGeneration(), generation + 1);
    EXPECT_EQ(Entries(dir), alone);
}

// The profile named by a link stays a link; the file it names takes the
// values, and a dangling link gets that file.
TEST_F(ProfileWriteTest, AProfileThatIsASymbolicLinkIsWrittenThroughIt) {
    ASSERT_EQ(mkdir((dir + "/real").c_str(), 0755), 0);
    struct Row {
        const char* what;
        const char* points; // as written in the link; nullptr: absolute to target
        const char* target;
        bool exists;
    } rows[] = {
        {"relative", "real/a.ini", "real/a.ini", true},
        {"absolute", nullptr, "real/b.ini", true},
        {"a link to a link", "real/link.ini", "real/c.ini", true},
        {"dangling", "real/new.ini", "real/new.ini", false},
    };
    ASSERT_EQ(symlink("c.ini", (dir + "/real/link.ini").c_str()), 0);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const std::string target = dir + "/" + row.target;
        std::remove(path.c_str());
        const std::string points = row.points ? row.points : target;
        ASSERT_EQ(symlink(points.c_str(), path.c_str()), 0);
        if (row.exists)
            std::ofstream(target) << kSettingsGroup << "Language=English\n";
        {
            WxProfileStore store(path);
            EXPECT_EQ(store.ReadText(kSettingsSection, "Language").value_or(L"-"),
                      row.exists ? L"English" : L"-");
            store.WriteText(kSettingsSection, "Owner", L"plant");
        }
        struct stat st {};
        ASSERT_EQ(lstat(path.c_str(), &st), 0);
        EXPECT_TRUE(S_ISLNK(st.st_mode)) << "the link became a plain file";
        ASSERT_EQ(lstat(target.c_str(), &st), 0);
        EXPECT_TRUE(S_ISREG(st.st_mode));
        WxProfileStore again(target);
        EXPECT_EQ(again.ReadText(kSettingsSection, "Owner"), L"plant");
        EXPECT_EQ(again.ReadText(kSettingsSection, "Language").value_or(L"-"),
                  row.exists ? L"English" : L"-");
    }
}

// One byte over 1 MiB and the profile is not read: the store starts empty
// and its writes make a new profile, while the old file lies untouched
// beside it. Up to 1 MiB it is read as usual.
TEST_F(ProfileWriteTest, AProfileOverOneMebibyteIsNotReadAndNeverOverwritten) {
    for (size_t size : {kProfileMaxSize, kProfileMaxSize + 1}) {
        SCOPED_TRACE(size);
        std::system(("rm -f '" + dir + "'/*").c_str());
        const std::string big = ProfileOfSize(size);
        std::ofstream(path) << big;
        const bool read = size <= kProfileMaxSize;
        {
            WxProfileStore store(path);
            EXPECT_EQ(store.Opened().TooLarge(), !read);
            EXPECT_EQ(store.ReadText(kSettingsSection, "Language").value_or(L"-"),
                      read ? L"English" : L"-");
            store.WriteText(kSettingsSection, "Pad", L"short");
        }
        WxProfileStore again(path);
        EXPECT_EQ(again.ReadText(kSettingsSection, "Pad"), L"short");
        if (read) {
            EXPECT_EQ(Entries(dir), std::vector<std::string>{"profile.ini"});
        } else {
            EXPECT_EQ(again.ReadText(kSettingsSection, "Language").value_or(L"-"), L"-");
            EXPECT_EQ(Entries(dir),
                      (std::vector<std::string>{"profile.ini", "profile.ini.too-large"}));
            EXPECT_TRUE(ReadFile(path + ".too-large") == big) << "the kept file changed";
        }
    }
}

// Start-up and exit each write the profile once, whatever they store: the
// first-run values, the recent files, the placement and every list's widths.
TEST_F(ProfileWriteTest, AStartAndAnExitEachWriteTheProfileOnce) {
    const std::string file = SavedFile("plant.qv");
    const std::string earlier = SavedFile("earlier.qv");
    for (bool firstRun : {true, false}) {
        SCOPED_TRACE(firstRun ? "first run" : "a profile from an earlier run");
        std::remove(path.c_str());
        if (!firstRun) {
            test::DialogScript none;
            ASSERT_TRUE(app.StartUp({earlier}));
            app.MainFrame()->Close();
            test::RunPendingEvents();
            app.OnExit();
            app.Reset();
            test::RunPendingEvents();
        }
        NameWatch watch(dir, "profile.ini");
        test::DialogScript none;
        ASSERT_TRUE(app.StartUp({file})); // a new top of the recent files
        test::RunPendingEvents();
        NameWatch::Seen start = watch.Take();
        EXPECT_EQ(start.written, 1) << "writes at start-up";
        EXPECT_EQ(start.removed, 0);

        app.columnWidths[3][2] = 77; // something the exit stores
        app.MainFrame()->Close();
        test::RunPendingEvents();
        app.OnExit();
        NameWatch::Seen exit = watch.Take();
        EXPECT_EQ(exit.written, 1) << "writes at exit";
        EXPECT_EQ(exit.removed, 0);
        app.Reset();
        test::RunPendingEvents();
        EXPECT_EQ(watch.Take().written, 0) << "changes left after the exit";

        WxProfileStore stored(path);
        EXPECT_EQ(stored.ReadNumber("ListStateInfo\\List3", "Column Width 02"), 77u);
        EXPECT_EQ(stored.ReadText("Recent File List", "File1"), Utf8ToWide(file));
        EXPECT_EQ(stored.ReadText(kSettingsSection, "Language"), L"Japanese");
    }
}

// Start-up says once that the profile was too large to read and where it
// is kept, then goes on as at a first run; the next start finds the new
// profile and says nothing.
TEST_F(ProfileWriteTest, StartUpSaysOnceThatAProfileWasTooLargeAndWhereItIs) {
    const std::string big = ProfileOfSize(2 * kProfileMaxSize);
    std::ofstream(path) << big;
    const std::string file = SavedFile("plant.qv");
    {
        test::DialogScript script;
        script.ThenEnd(wxID_OK);
        ASSERT_TRUE(app.StartUp({file}));
        ASSERT_EQ(script.messages.size(), 1u);
        EXPECT_NE(script.messages[0].find(path + ".too-large"), std::string::npos)
            << script.messages[0];
        EXPECT_EQ(app.languageIndex, kLangJapanese); // the first-run language, not English
        EXPECT_TRUE(app.MainFrame()->IsShown());
    }
    app.MainFrame()->Close();
    test::RunPendingEvents();
    app.OnExit();
    app.Reset();
    test::RunPendingEvents();
    EXPECT_TRUE(ReadFile(path + ".too-large") == big) << "the kept file changed";
    {
        test::DialogScript none; // any message fails the test
        ASSERT_TRUE(app.StartUp({file}));
        EXPECT_TRUE(none.seen.empty());
    }
    EXPECT_EQ(Entries(dir),
              (std::vector<std::string>{"plant.qv", "profile.ini", "profile.ini.too-large"}));
}

} // namespace
} // namespace qv
