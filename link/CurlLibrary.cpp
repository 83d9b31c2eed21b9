#include "link/CurlLibrary.h"

#include <dlfcn.h>
#include <memory>
#include <type_traits>

namespace qv {

namespace {

// The run-time name of the library the program is built against.
constexpr const char* kCurlModule = "libcurl.so.4";

struct Loaded {
    CurlLibrary api{};
    ~Loaded() { api.global_cleanup(); }
};

std::unique_ptr<Loaded> Load() {
    void* module = ::dlopen(kCurlModule, RTLD_NOW | RTLD_LOCAL);
    if (!module)
        return nullptr;
    CurlLibrary api{};
    bool found = true;
    auto find = [&](auto& function, const char* name) {
        function =
            reinterpret_cast<std::remove_reference_t<decltype(function)>>(::dlsym(module, name));
        found = found && function;
    };
    find(api.global_init, "curl_global_init");
    find(api.global_cleanup, "curl_global_cleanup");
    find(api.easy_init, "curl_easy_init");
    find(api.easy_cleanup, "curl_easy_cleanup");
    find(api.easy_reset, "curl_easy_reset");
    find(api.easy_setopt, "curl_easy_setopt");
    find(api.easy_perform, "curl_easy_perform");
    find(api.easy_getinfo, "curl_easy_getinfo");
    find(api.easy_strerror, "curl_easy_strerror");
    find(api.multi_init, "curl_multi_init");
    find(api.multi_cleanup, "curl_multi_cleanup");
    find(api.multi_add_handle, "curl_multi_add_handle");
    find(api.multi_remove_handle, "curl_multi_remove_handle");
    find(api.multi_perform, "curl_multi_perform");
    find(api.multi_poll, "curl_multi_poll");
    find(api.multi_info_read, "curl_multi_info_read");
    find(api.slist_append, "curl_slist_append");
    find(api.slist_free_all, "curl_slist_free_all");
    if (!found || api.global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) {
        ::dlclose(module);
        return nullptr;
    }
    // The module stays loaded: the cleanup at exit still needs it.
    auto loaded = std::make_unique<Loaded>();
    loaded->api = api;
    return loaded;
}

bool asked = false;

} // namespace

bool CurlAsked() {
    return asked;
}

const CurlLibrary* Curl() {
    asked = true;
    static const std::unique_ptr<Loaded> loaded = Load();
    return loaded ? &loaded->api : nullptr;
}

} // namespace qv
