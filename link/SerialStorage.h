// The unit's storage over its file commands on the session link. Every
// command opens the link and closes it after itself. Once the unit has ended
// the file session (the link does not open, or its code 0x62) nothing more
// is sent until the next connect.
#pragma once
#include <cstdint>
#include <string>

#include "link/LinkResult.h"
#include "link/UnitStorage.h"

namespace qv {

class CUnitComm;
class CUnitSession;

constexpr uint8_t kUnitCodeNoFileSession = 0x62;
constexpr LinkResult kNotLoggedIn = -1;

// A listing line's fields at single blanks: the text before the first blank
// always; between blanks a field once a non-empty one was taken; the text
// after the last blank always. No blank: no field.
std::vector<std::string> SplitListingLine(const std::string& text);
// The entry of a listing line: the name from the seventh field on (blanks
// kept), or the fifth field of a line with five or six; false for a line
// with fewer fields or with a CR or LF inside.
bool ParseUnitListingLine(const std::string& line, FtpEntry& entry);

enum class VersionCheck { Ok, ReadFailed, TooOld };
// The unit's firmware version (data word DT90153) must be 2.40 or later.
VersionCheck CheckFileServiceVersion(CUnitComm& link, LinkResult& result);

class SerialStorage : public UnitStorage {
public:
    explicit SerialStorage(CUnitSession& session);

    // Logs out, logs in with the texts' bytes, and enters "/". The result
    // of the step that failed; after an error reply the unit's code is in
    // UnitCode().
    LinkResult Connect(const std::string& user, const std::string& password);
    // Logs out (whatever the state) and forgets the folder.
    void Disconnect();
    LinkResult MakeCurrentFile();
    // "#5Z": the unit's parent folder.
    LinkResult FolderUp();

    bool Connected() const override { return loggedIn_; }
    const std::string& Folder() const override { return folder_; }
    bool SetFolder(const std::string& path) override;
    bool List(std::vector<FtpEntry>& entries) override;
    bool ListingTooLong() const override { return listingTooLong_; }
    bool Download(const std::string& name, const std::string& localPath,
                  const DownloadWatch& watch) override;
    bool DeleteFile(const std::string& name) override;
    bool RemoveFolder(const std::string& name) override;
    bool SessionLost() const override { return lost_; }

    LinkResult LastResult() const { return result_; }
    uint32_t UnitCode() const;
    // 932 once a listing said so, else the session's code page.
    uint32_t CodePage() const { return codePage_; }

private:
    // Records the result of one command, closes the link and notes a lost session.
    LinkResult Done(LinkResult r);
    bool MaySend();
    bool EnterOwnFolder();

    CUnitSession& session_;
    std::string folder_;
    uint32_t codePage_;
    LinkResult result_ = 0;
    bool loggedIn_ = false;
    bool lost_ = false;
    bool listingTooLong_ = false;
};

} // namespace qv
