// The unit's storage as its file service shows it ("#5V" to "#6E"): a tree
// of folders and files whose names are bytes in the unit's code page, one
// file session with its user and current folder.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "tools/unitsim/SimFrames.h"

namespace unitsim {

struct Transfer;

// Error codes of the simulated file service.
constexpr uint8_t kErrFileLoginText = 0x02;  // a login text without user name or LF
constexpr uint8_t kErrNoFileSession = 0x62;  // a file command outside a file session
constexpr uint8_t kErrNoSuchEntry = 0x66;    // no such file or folder, or not of that kind
constexpr uint8_t kErrFolderNotEmpty = 0x67; // a folder is removed only when empty
constexpr uint8_t kErrUnknownUser = 0xA6;
constexpr uint8_t kErrWrongPassword = 0xA7;

// "5V" to "6E".
bool IsFileCommand(std::string_view code);
// The file commands whose text may come in several frames.
bool IsChunkedFileCommand(std::string_view code);

class FileStore {
public:
    // Paths: names joined by '/', from the root when they begin with '/',
    // else from the current folder. Missing parents are made.
    bool AddFolder(const std::string& path);
    bool AddFile(const std::string& path, const std::string& bytes);
    bool Exists(const std::string& path) const;
    void SetUser(const std::string& user, const std::string& password);
    bool LoggedIn() const { return loggedIn_; }
    void EndSession() { loggedIn_ = false; }
    std::string CurrentFolder() const; // "/" or "/SD/LOG"
    int MakeCurrentCount() const { return makeCurrent_; }

    // One frame of a file command, or a further frame of a chunked one.
    // `chunk`: data characters per reply frame of a multi-frame reply.
    frames::Reply Handle(Transfer& transfer, const frames::Request& request, size_t chunk);

private:
    struct Node {
        bool folder = true;
        std::string data;
        std::map<std::string, Node> children;
    };

    std::vector<std::string> NamesOf(const std::string& path) const;
    Node* Find(const std::vector<std::string>& parts);
    const Node* Find(const std::vector<std::string>& parts) const;
    Node* MakeFolders(const std::vector<std::string>& parts);
    std::string Listing(const Node& folder) const;
    frames::Reply Carry(char start, const std::string& code, const std::string& text,
                        Transfer& transfer, size_t chunk);
    frames::Reply Login(char start, const std::string& text);
    frames::Reply Remove(char start, const std::string& code, const std::string& name);

    Node root_;
    std::vector<std::string> current_; // names from the root
    std::map<std::string, std::string> users_;
    bool loggedIn_ = false;
    int makeCurrent_ = 0;
};

} // namespace unitsim
