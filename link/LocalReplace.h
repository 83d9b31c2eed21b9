// A downloaded file reaches its local name only whole: the bytes go to a new
// temporary file beside it, which replaces the name (a link there is replaced,
// never followed) once everything is written; a failure removes it and
// leaves an existing copy as it was.
#pragma once
#include <cstddef>
#include <string>

namespace qv {

class LocalReplace {
public:
    explicit LocalReplace(const std::string& path);
    ~LocalReplace(); // removes the temporary file unless committed
    LocalReplace(const LocalReplace&) = delete;
    LocalReplace& operator=(const LocalReplace&) = delete;

    bool Opened() const { return fd_ >= 0; }
    bool Write(const void* data, size_t size);
    // Gives the file the usual rights and moves it over the local name.
    bool Commit();
    // The system error of the failed step (0 when none).
    int Error() const { return error_; }

private:
    std::string path_, temp_;
    int fd_ = -1;
    int error_ = 0;
    bool created_ = false;
    bool committed_ = false;
};

} // namespace qv
