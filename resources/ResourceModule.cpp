#include "resources/ResourceModule.h"

#include <algorithm>
#include <dlfcn.h>

namespace qv {

std::unique_ptr<ResourceModule> ResourceModule::Load(const std::string& path, std::string* error) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        if (error)
            *error = dlerror();
        return nullptr;
    }
    auto get = reinterpret_cast<QvResGetStringsFn>(dlsym(handle, QV_RES_GET_STRINGS));
    unsigned count = 0;
    const QvResStringEntry* table = get ? get(&count) : nullptr;
    if (!table) {
        if (error)
            *error = path + ": not a language module";
        dlclose(handle);
        return nullptr;
    }
    std::unique_ptr<ResourceModule> module(new ResourceModule(handle, table, count));
    if (auto getBitmaps = reinterpret_cast<QvResGetBitmapsFn>(dlsym(handle, QV_RES_GET_BITMAPS)))
        module->bitmaps_ = getBitmaps(&module->bitmapCount_);
    return module;
}

ResourceModule::~ResourceModule() {
    if (ActiveStringTable() == this)
        SetActiveStringTable(nullptr);
    dlclose(handle_);
}

const char* ResourceModule::FindUtf8(unsigned id) const {
    const QvResStringEntry* end = table_ + count_;
    const QvResStringEntry* it = std::lower_bound(
        table_, end, id, [](const QvResStringEntry& e, unsigned key) { return e.id < key; });
    return it != end && it->id == id ? it->utf8 : nullptr;
}

std::vector<unsigned> ResourceModule::Ids() const {
    std::vector<unsigned> ids;
    ids.reserve(count_);
    for (unsigned i = 0; i < count_; ++i)
        ids.push_back(table_[i].id);
    return ids;
}

std::pair<const unsigned char*, size_t> ResourceModule::FindBitmap(unsigned id) const {
    for (unsigned i = 0; bitmaps_ && i < bitmapCount_; ++i)
        if (bitmaps_[i].id == id)
            return {bitmaps_[i].data, bitmaps_[i].size};
    return {nullptr, 0};
}

std::string ResourceModuleFileName(const std::string& baseName) { return baseName + ".so"; }

} // namespace qv
