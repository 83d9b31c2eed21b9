// A loaded language module (QvResEnu, QvResJpn, QvResChs).
#pragma once
#include <memory>
#include <string>
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

private:
    ResourceModule(void* handle, const QvResStringEntry* table, unsigned count)
        : handle_(handle), table_(table), count_(count) {}
    void* handle_;
    const QvResStringEntry* table_;
    unsigned count_;
};

// File name of a language module: base name plus the platform's module suffix.
std::string ResourceModuleFileName(const std::string& baseName);

} // namespace qv
