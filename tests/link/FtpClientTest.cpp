// The FTP client against a real FTP server on loopback: listing, folders,
// downloads that replace a copy only when complete, deletes that act in the
// folder they name, and the names it refuses; and against a server that
// misbehaves: listings that never end or come slowly, replies that never
// come, sizes that do not hold, and a download killed midway.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#include <arpa/inet.h>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "LanguageFixture.h"
#include "document/StringTable.h"
#include "document/Utf8.h"
#include "link/FtpClient.h"
#include "tests/link/FtpServer.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

// "テスト.txt" in code page 932.
const std::string kJapaneseName = "\x83\x65\x83\x58\x83\x67.txt";

void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class FtpClientTest : public ::testing::Test {
protected:
    fs::path root, local;
    std::unique_ptr<test::FtpServer> server;
    FtpClient ftp;

    void SetUp() override {
        char rootName[] = "/tmp/qv-ftp-XXXXXX";
        char localName[] = "/tmp/qv-local-XXXXXX";
        root = ::mkdtemp(rootName);
        local = ::mkdtemp(localName);
        fs::create_directories(root / "CF" / "sub" / "deeper");
        fs::create_directories(root / "CF" / "empty");
        fs::create_directories(root / "SD");
        fs::create_directories(root / "RAM");
        WriteText(root / "CF" / "a.txt", "hello");
        WriteText(root / "SD" / "a.txt", "other folder");
        WriteText(root / "CF" / "name with blanks.txt", "blanks");
        WriteText(root / "CF" / kJapaneseName, "kana");
        WriteText(root / "CF" / "sub" / "deeper" / "deep.bin", std::string(70000, 'x'));
        server = std::make_unique<test::FtpServer>(root.string());
        ASSERT_GT(server->Port(), 0);
        ftp.timeoutSeconds = 10;
        ASSERT_TRUE(ftp.Connect("127.0.0.1", server->Port(), "admin", "wqe")) << ftp.LastError();
    }
    void TearDown() override {
        ftp.Disconnect();
        server.reset();
        fs::remove_all(root);
        fs::remove_all(local);
    }
    std::vector<std::pair<std::string, bool>> Listed() {
        std::vector<FtpEntry> entries;
        EXPECT_TRUE(ftp.List(entries)) << ftp.LastError();
        std::vector<std::pair<std::string, bool>> out;
        for (const FtpEntry& e : entries)
            out.emplace_back(e.name, e.isFolder);
        std::sort(out.begin(), out.end());
        return out;
    }
};

TEST_F(FtpClientTest, ListsFoldersAndFilesByTheirOwnBytes) {
    EXPECT_EQ(ftp.CurrentFolder(), "/");
    using Row = std::pair<std::string, bool>;
    EXPECT_EQ(Listed(), (std::vector<Row>{{"CF", true}, {"RAM", true}, {"SD", true}}));
    ASSERT_TRUE(ftp.ChangeFolder("CF"));
    EXPECT_EQ(ftp.CurrentFolder(), "/CF");
    EXPECT_EQ(Listed(), (std::vector<Row>{{"a.txt", false},
                                          {"empty", true},
                                          {"name with blanks.txt", false},
                                          {"sub", true},
                                          {kJapaneseName, false}}));
}

TEST_F(FtpClientTest, TheFolderChangesOnlyWhenTheServerTakesIt) {
    ASSERT_TRUE(ftp.ChangeFolder("CF"));
    EXPECT_FALSE(ftp.ChangeFolder("missing"));
    EXPECT_FALSE(ftp.ChangeFolder("a.txt"));
    EXPECT_EQ(ftp.CurrentFolder(), "/CF");
    ASSERT_TRUE(ftp.ChangeFolder("sub"));
    ASSERT_TRUE(ftp.ChangeFolder(".."));
    EXPECT_EQ(ftp.CurrentFolder(), "/CF");
    ASSERT_TRUE(ftp.ChangeFolder(".."));
    ASSERT_TRUE(ftp.ChangeFolder(".."));
    EXPECT_EQ(ftp.CurrentFolder(), "/");
    ASSERT_TRUE(ftp.ChangeFolder("/CF/sub"));
    EXPECT_EQ(ftp.CurrentFolder(), "/CF/sub");
    for (const char* path : {"/CF/..", "/CF/../SD", "/./CF", "/CF//sub", "/CF/s\r\nub"})
        EXPECT_FALSE(ftp.ChangeFolder(path)) << path;
    EXPECT_EQ(ftp.CurrentFolder(), "/CF/sub");
    EXPECT_TRUE(ftp.CheckAlive());
}

TEST_F(FtpClientTest, ADownloadReplacesTheCopyOnlyWhenComplete) {
    ASSERT_TRUE(ftp.ChangeFolder("CF"));
    const fs::path copy = local / "a.txt";
    WriteText(copy, "old copy");
    ASSERT_TRUE(ftp.Download("a.txt", copy.string())) << ftp.LastError();
    EXPECT_EQ(ReadText(copy), "hello");
    ASSERT_TRUE(ftp.Download("name with blanks.txt", (local / "b.txt").string()));
    EXPECT_EQ(ReadText(local / "b.txt"), "blanks");

    WriteText(copy, "old copy");
    EXPECT_FALSE(ftp.Download("missing.txt", copy.string()));
    EXPECT_EQ(ReadText(copy), "old copy");
    ASSERT_TRUE(ftp.ChangeFolder("/CF/sub/deeper"));
    EXPECT_FALSE(ftp.Download("deep.bin", copy.string(), [](uint64_t, int64_t) { return true; }));
    EXPECT_EQ(ReadText(copy), "old copy");
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(local), fs::directory_iterator()), 2);
}

TEST_F(FtpClientTest, DeletesActInTheFolderTheyNameWhateverTheServerWasTold) {
    ASSERT_TRUE(ftp.ChangeFolder("CF"));
    // The unit's raw command moves the server's own folder elsewhere.
    ftp.SendCommandNoReply("CWD /SD");
    ftp.SendCommandNoReply("CWD /make_current_file");
    ASSERT_TRUE(ftp.DeleteFile("a.txt")) << ftp.LastError();
    EXPECT_FALSE(fs::exists(root / "CF" / "a.txt"));
    EXPECT_TRUE(fs::exists(root / "SD" / "a.txt"));
    EXPECT_TRUE(ftp.RemoveFolder("empty"));
    EXPECT_FALSE(fs::exists(root / "CF" / "empty"));
    EXPECT_FALSE(ftp.RemoveFolder("sub")); // not empty
    EXPECT_FALSE(ftp.DeleteFile("missing.txt"));
}

TEST_F(FtpClientTest, UnsafeNamesAndAWrongPasswordAreRefused) {
    for (const char* name : {"", ".", "..", "../x", "a/b", "a\r\nDELE b", "a\tb"}) {
        EXPECT_FALSE(IsSafeRemoteName(name)) << name;
        EXPECT_FALSE(ftp.DeleteFile(name)) << name;
    }
    EXPECT_TRUE(IsSafeRemoteName(kJapaneseName));
    EXPECT_TRUE(IsSafeRemoteName("\x95\x5C.CSV")); // its second byte is '\\'

    EXPECT_TRUE(IsSafeRemoteName("name with blanks.txt"));
    EXPECT_TRUE(fs::exists(root / "CF" / "a.txt"));

    FtpClient other;
    other.timeoutSeconds = 10;
    EXPECT_FALSE(other.Connect("127.0.0.1", server->Port(), "admin", "wrong"));
    EXPECT_FALSE(other.LastError().empty());
    EXPECT_FALSE(other.IsConnected());
    EXPECT_FALSE(other.Connect("127.0.0.1", server->Port(), "admin", "wqe\r\nDELE x"));
}

bool HasLatinLetter(const std::string& utf8) {
    return std::any_of(utf8.begin(), utf8.end(),
                       [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); });
}

// A port on loopback where nothing listens.
int ClosedPort() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof a;
    ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &size);
    ::close(s);
    return ntohs(a.sin_port);
}

// A failure is told in the program's words, in the interface language; the
// library's own sentence follows only as detail, on a line of its own.
TEST_F(FtpClientTest, FailuresAreToldInTheInterfaceLanguage) {
    const int closed = ClosedPort();
    for (const test::Language& lang : test::kAllLanguages) {
        test::ScopedLanguage language(lang);
        struct Case {
            int port;
            const char* password;
            unsigned message;
        } cases[] = {{server->Port(), "wrong", kMsgFtpLoginRefused},
                     {closed, "wqe", kMsgFtpNoConnection},
                     {server->Port(), "wqe\r\nDELE x", kMsgFtpControlCharacter}};
        for (const Case& c : cases) {
            FtpClient other;
            other.timeoutSeconds = 10;
            EXPECT_FALSE(other.Connect("127.0.0.1", c.port, "admin", c.password));
            EXPECT_EQ(other.LastErrorId(), c.message) << lang.module;
            const std::string message = WideToUtf8(ResString(c.message));
            ASSERT_FALSE(message.empty());
            const std::string text = other.LastError();
            EXPECT_EQ(text.substr(0, message.size()), message) << lang.module << ": " << text;
            // Anything after the message is the detail, set apart.
            if (text.size() > message.size()) {
                EXPECT_EQ(text.substr(message.size(), 2), "\n(") << text;
            }
            if (std::string(lang.module) != test::kEnglish.module) {
                // Only names such as FTP and PC are written in Latin letters.
                std::string words = message;
                for (const char* name : {"FTP", "PC"})
                    for (size_t at; (at = words.find(name)) != std::string::npos;)
                        words.erase(at, std::strlen(name));
                EXPECT_FALSE(HasLatinLetter(words)) << lang.module << ": " << message;
            }
        }
    }
}

TEST(FtpListLine, UnixAndDosLinesGiveNameAndKind) {
    struct Case {
        const char* line;
        bool parsed;
        const char* name;
        bool folder;
    };
    const Case cases[] = {
        {"drwxr-xr-x   2 user group  4096 Jan 01 12:00 CF\r", true, "CF", true},
        {"-rw-r--r--   1 user group    12 Dec 31  2025 name with blanks.txt", true,
         "name with blanks.txt", false},
        {"lrwxrwxrwx   1 user group     4 Jan 01 12:00 link -> /etc", false, "", false},
        {"total 12", false, "", false},
        {"01-31-26  09:15AM       <DIR>          LOG 1", true, "LOG 1", true},
        {"01-31-26  09:15AM              1234 data.csv", true, "data.csv", false},
        {"", false, "", false},
        // One CR LF ends a line; any other CR or LF is no part of a name.
        {"-rw-r--r--   1 user group     1 Jan 01 12:00 name\r\n", true, "name", false},
        {"-rw-r--r--   1 user group     1 Jan 01 12:00 name\n", true, "name", false},
        {"-rw-r--r--   1 user group     1 Jan 01 12:00 name\r\r\n", false, "", false},
        {"-rw-r--r--   1 user group     1 Jan 01 12:00 name\r\r", false, "", false},
        {"-rw-r--r--   1 user group     1 Jan 01 12:00 keep\rDELE other", false, "", false},
        {"01-31-26  09:15AM              1234 a\rb", false, "", false},
    };
    for (const Case& c : cases) {
        FtpEntry entry;
        ASSERT_EQ(ParseListLine(c.line, entry), c.parsed) << c.line;
        if (c.parsed) {
            EXPECT_EQ(entry.name, c.name);
            EXPECT_EQ(entry.isFolder, c.folder);
        }
    }
}

// The misbehaving server, with the client's idle time-out at 1 s.
class FtpMisbehaviourTest : public ::testing::Test {
protected:
    fs::path root, local;
    std::unique_ptr<test::FtpServer> server;
    FtpClient ftp;

    void SetUp() override {
        char rootName[] = "/tmp/qv-ftp-XXXXXX";
        char localName[] = "/tmp/qv-local-XXXXXX";
        root = ::mkdtemp(rootName);
        local = ::mkdtemp(localName);
        fs::create_directories(root / "CF" / "endless");
        fs::create_directories(root / "CF" / "slow");
        fs::create_directories(root / "CF" / "nolist");
        fs::create_directories(root / "CF" / "nocwd");
        for (int i = 0; i < 12; ++i)
            WriteText(root / "CF" / "slow" / ("log" + std::to_string(i) + ".csv"), "x");
        for (const char* name : {"grown.log", "short.log", "exact.log", "stall.bin", "doomed.txt"})
            WriteText(root / "CF" / name, std::string(3000, 'g'));
        server = std::make_unique<test::FtpServer>(
            root.string(), 0,
            std::vector<std::string>{"--endless", "endless", "--slow", "slow:0.25", "--size-offset",
                                     "grown.log:-1000", "--size-offset", "short.log:1000",
                                     "--stall", "RETR:stall.bin:8", "--stall", "LIST:nolist:8",
                                     "--stall", "CWD:nocwd:8", "--stall", "DELE:doomed.txt:8"});
        ASSERT_GT(server->Port(), 0);
        ftp.timeoutSeconds = 1;
        ASSERT_TRUE(ftp.Connect("127.0.0.1", server->Port(), "admin", "wqe")) << ftp.LastError();
        ASSERT_TRUE(ftp.ChangeFolder("CF"));
    }
    void TearDown() override {
        ftp.Disconnect();
        server.reset();
        fs::remove_all(root);
        fs::remove_all(local);
    }
    // The client still works after what went wrong.
    void ExpectStillWorking() {
        ASSERT_TRUE(ftp.ChangeFolder("/CF")) << ftp.LastError();
        std::vector<FtpEntry> entries;
        EXPECT_TRUE(ftp.List(entries)) << ftp.LastError();
        EXPECT_FALSE(ftp.ListingTooLong());
        EXPECT_FALSE(entries.empty());
    }
};

TEST_F(FtpMisbehaviourTest, AListingThatNeverEndsStopsAtItsCap) {
    ftp.timeoutSeconds = 30; // the cap ends it, not a time-out
    ASSERT_TRUE(ftp.ChangeFolder("endless"));
    std::vector<FtpEntry> entries;
    EXPECT_FALSE(ftp.List(entries));
    EXPECT_TRUE(ftp.ListingTooLong());
    EXPECT_TRUE(entries.empty());
    ExpectStillWorking();
}

TEST_F(FtpMisbehaviourTest, ASlowListingThatKeepsMovingIsTakenWhole) {
    // Twelve lines a quarter of a second apart: longer than the time-out
    // in all, never that long without data.
    ftp.timeoutSeconds = 2;
    ASSERT_TRUE(ftp.ChangeFolder("slow"));
    std::vector<FtpEntry> entries;
    ASSERT_TRUE(ftp.List(entries)) << ftp.LastError();
    EXPECT_EQ(entries.size(), 12u);
}

TEST_F(FtpMisbehaviourTest, EveryRequestEndsAtTheSameIdleTimeOut) {
    struct Stall {
        const char* what;
        std::function<bool()> request;
    };
    const Stall stalls[] = {
        {"RETR", [&] { return ftp.Download("stall.bin", (local / "stall.bin").string()); }},
        {"LIST",
         [&] {
             std::vector<FtpEntry> entries;
             return ftp.ChangeFolder("nolist") && ftp.List(entries);
         }},
        {"CWD", [&] { return ftp.ChangeFolder("nocwd"); }},
        {"DELE", [&] { return ftp.DeleteFile("doomed.txt"); }},
    };
    for (const Stall& stall : stalls) {
        SCOPED_TRACE(stall.what);
        // The server answers after 8 s: a client that waits for it succeeds.
        EXPECT_FALSE(stall.request());
        EXPECT_EQ(ftp.LastErrorId(), kMsgFtpTimedOut) << ftp.LastError();
        ExpectStillWorking();
    }
    EXPECT_FALSE(fs::exists(local / "stall.bin"));
    EXPECT_EQ(ftp.CurrentFolder(), "/CF");
}

TEST_F(FtpMisbehaviourTest, WhatTheServerSendsIsTakenAndAShortFileFails) {
    struct Row {
        const char* name;
        bool arrives;
    } rows[] = {{"grown.log", true}, {"exact.log", true}, {"short.log", false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const fs::path copy = local / row.name;
        WriteText(copy, "old copy");
        std::vector<std::pair<uint64_t, int64_t>> seen;
        const bool ok = ftp.Download(row.name, copy.string(), [&](uint64_t got, int64_t total) {
            seen.emplace_back(got, total);
            return false;
        });
        EXPECT_EQ(ok, row.arrives) << ftp.LastError();
        EXPECT_EQ(ReadText(copy), row.arrives ? std::string(3000, 'g') : "old copy");
        ASSERT_FALSE(seen.empty());
        // The size the server told goes with the bytes so far.
        EXPECT_EQ(seen.back().second, 3000 + (row.name == std::string("grown.log")   ? -1000
                                              : row.name == std::string("short.log") ? 1000
                                                                                     : 0));
    }
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(local), fs::directory_iterator()), 3);
}

TEST_F(FtpMisbehaviourTest, TheLongestNameTheFileSystemTakesCanBeDownloaded) {
    const long nameMax = ::pathconf(local.c_str(), _PC_NAME_MAX);
    ASSERT_GT(nameMax, 20);
    const std::string name = std::string(static_cast<size_t>(nameMax) - 4, 'n') + ".csv";
    WriteText(root / "CF" / name, "long");
    for (int round = 0; round < 2; ++round) { // new, then over the copy
        ASSERT_TRUE(ftp.Download(name, (local / name).string())) << ftp.LastError();
        EXPECT_EQ(ReadText(local / name), "long");
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(local), fs::directory_iterator()), 1);
}

// A download killed (kill -9) while its data arrives leaves nothing: not a
// partial copy, not a temporary file, and an old copy as it was.
TEST_F(FtpMisbehaviourTest, ADownloadKilledMidwayLeavesNothingBehind) {
    std::string big(1 << 20, '\0');
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>(i * 7);
    WriteText(root / "CF" / "big.bin", big);
    const int port = server->Port();
    for (uint64_t killAt : {uint64_t{1}, uint64_t{256} << 10, uint64_t{1000} << 10}) {
        for (bool oldCopy : {false, true}) {
            SCOPED_TRACE(std::to_string(killAt) + (oldCopy ? " over an old copy" : ""));
            if (oldCopy)
                WriteText(local / "big.bin", "old copy");
            int told[2];
            ASSERT_EQ(::pipe(told), 0);
            const pid_t child = ::fork();
            if (child == 0) {
                ::close(told[0]);
                FtpClient mine;
                if (!mine.Connect("127.0.0.1", port, "admin", "wqe") || !mine.ChangeFolder("CF"))
                    ::_exit(2);
                mine.Download("big.bin", (local / "big.bin").string(), [&](uint64_t got, int64_t) {
                    if (got >= killAt) {
                        (void)!::write(told[1], "k", 1);
                        ::pause(); // killed here
                    }
                    return false;
                });
                ::_exit(3); // the kill never came
            }
            ::close(told[1]);
            pollfd wait{told[0], POLLIN, 0};
            const bool midway = ::poll(&wait, 1, 10000) == 1;
            ::kill(child, SIGKILL);
            int status = 0;
            ::waitpid(child, &status, 0);
            ::close(told[0]);
            ASSERT_TRUE(midway);
            ASSERT_TRUE(WIFSIGNALED(status));
            if (oldCopy) {
                EXPECT_EQ(ReadText(local / "big.bin"), "old copy");
                EXPECT_EQ(std::distance(fs::directory_iterator(local), fs::directory_iterator()),
                          1);
                fs::remove(local / "big.bin");
            } else {
                EXPECT_TRUE(fs::is_empty(local));
            }
        }
    }
    ASSERT_TRUE(ftp.Download("big.bin", (local / "big.bin").string())) << ftp.LastError();
    EXPECT_EQ(ReadText(local / "big.bin"), big);
}

} // namespace
} // namespace qv
