// The FTP client against a real FTP server on loopback: listing, folders,
// downloads that replace a copy only when complete, deletes that act in the
// folder they name, and the names it refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

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
    EXPECT_FALSE(ftp.Download("deep.bin", copy.string(), [] { return true; }));
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

} // namespace
} // namespace qv
