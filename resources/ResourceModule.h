// A loaded language module (QvResEnu, QvResJpn, QvResChs).
#pragma once
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "document/StringTable.h"
#include "resources/module/ResModuleApi.h"

namespace qv {

class ResourceModule : public StringTable {
public:
    // Loads a module by path; nullptr with *error filled when it cannot be used.
    static std::unique_ptr<ResourceModule> Load(const std::string& path, std::string* error);
    ~ResourceModule() override;
    ResourceModule(const ResourceModule&) = delete;
    ResourceModule& operator=(const ResourceModule&) = delete;

    const char* FindUtf8(unsigned id) const override;
    std::vector<unsigned> Ids() const;
    // The bytes of a bitmap file by number; {nullptr, 0} when the module has none.
    std::pair<const unsigned char*, size_t> FindBitmap(unsigned id) const;

private:
    ResourceModule(void* handle, const QvResStringEntry* table, unsigned count)
        : handle_(handle), table_(table), count_(count) {}
    void* handle_;
    const QvResStringEntry* table_;
    unsigned count_;
    const QvResBitmapEntry* bitmaps_ = nullptr;
    unsigned bitmapCount_ = 0;
};

// File name of a language module: base name plus the platform's module suffix.
std::string ResourceModuleFileName(const std::string& baseName);

} // namespace qv
