// The unit's storage as the file browser walks it, by FTP or by the unit's
// file commands: folders by absolute path, entries by their own bytes (the
// unit's code page).
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "link/FtpClient.h"

namespace qv {

class UnitStorage {
public:
    virtual ~UnitStorage() = default;

    virtual bool Connected() const = 0;
    // The folder the storage is in: absolute, "/" for the root; empty while
    // not connected.
    virtual const std::string& Folder() const = 0;
    // Enters the folder of an absolute path.
    virtual bool SetFolder(const std::string& path) = 0;
    // The entries of the current folder.
    virtual bool List(std::vector<FtpEntry>& entries) = 0;
    // The last List failed because its listing was longer than kMaxListingBytes.
    virtual bool ListingTooLong() const = 0;
    // A file of the current folder into localPath, replacing an existing copy
    // only when the whole file has arrived; `watch` is asked between the
    // blocks of data and stops the transfer.
    virtual bool Download(const std::string& name, const std::string& localPath,
                          const DownloadWatch& watch) = 0;
    virtual bool DeleteFile(const std::string& name) = 0;
    virtual bool RemoveFolder(const std::string& name) = 0;
    // True once the unit has ended the file session: nothing more is sent.
    virtual bool SessionLost() const { return false; }
};

// "/" + name at the root, else folder + "/" + name.
std::string JoinUnitPath(const std::string& folder, const std::string& name);
// The folder above; "/" for the root and for a path without one.
std::string ParentUnitPath(const std::string& folder);

} // namespace qv
