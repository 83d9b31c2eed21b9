// The unit's storage over its FTP server.
#pragma once
#include "link/FtpClient.h"
#include "link/UnitStorage.h"

namespace qv {

class FtpStorage : public UnitStorage {
public:
    // Logs in; false with the client's error text.
    bool Connect(const std::string& host, int port, const std::string& user,
                 const std::string& password);
    void Disconnect();
    // Checks the connection and makes it again when it was lost, returning to
    // the folder it was in: 0 connected there, 1 no connection, 2 connected
    // but the folder is gone (the storage is then at the root).
    int EnsureConnected();
    // The unit's "make current file" command; its reply does not matter.
    void MakeCurrentFile();

    bool Connected() const override { return client_.IsConnected(); }
    const std::string& Folder() const override;
    bool SetFolder(const std::string& path) override;
    bool List(std::vector<FtpEntry>& entries) override;
    bool ListingTooLong() const override { return client_.ListingTooLong(); }
    bool Download(const std::string& name, const std::string& localPath,
                  const DownloadWatch& watch) override;
    bool DeleteFile(const std::string& name) override;
    bool RemoveFolder(const std::string& name) override;

    const std::string& LastError() const { return client_.LastError(); }
    FtpClient& Client() { return client_; }

private:
    FtpClient client_;
    std::string host_, user_, password_;
    int port_ = 0;
};

} // namespace qv
