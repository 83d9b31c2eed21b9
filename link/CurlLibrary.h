// libcurl, read in when the first FTP client is made: the program starts
// without it and without the libraries it brings (TLS, Kerberos, LDAP, SSH),
// which cost start-up time and memory a run without FTP never repays.
#pragma once
#include <curl/curl.h>

namespace qv {

struct CurlLibrary {
    decltype(&curl_global_init) global_init;
    decltype(&curl_global_cleanup) global_cleanup;
    decltype(&curl_easy_init) easy_init;
    decltype(&curl_easy_cleanup) easy_cleanup;
    decltype(&curl_easy_reset) easy_reset;
    decltype(&curl_easy_setopt) easy_setopt;
    decltype(&curl_easy_perform) easy_perform;
    decltype(&curl_easy_getinfo) easy_getinfo;
    decltype(&curl_easy_strerror) easy_strerror;
    decltype(&curl_multi_init) multi_init;
    decltype(&curl_multi_cleanup) multi_cleanup;
    decltype(&curl_multi_add_handle) multi_add_handle;
    decltype(&curl_multi_remove_handle) multi_remove_handle;
    decltype(&curl_multi_perform) multi_perform;
    decltype(&curl_multi_poll) multi_poll;
    decltype(&curl_multi_info_read) multi_info_read;
    decltype(&curl_slist_append) slist_append;
    decltype(&curl_slist_free_all) slist_free_all;
};

// The library, loaded and initialised on the first call and kept to the end
// of the process; nullptr when it cannot be loaded or lacks a function.
const CurlLibrary* Curl();
// Whether Curl() has been called in this process.
bool CurlAsked();

} // namespace qv
