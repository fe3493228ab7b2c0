#pragma once
// libcurl's functions, looked up when the first transfer starts (see LazyLibrary).
#include <QString>
#include <curl/curl.h>

struct CurlLibrary {
    decltype(&::curl_easy_init) easy_init = nullptr;
    decltype(&::curl_easy_setopt) easy_setopt = nullptr;
    decltype(&::curl_easy_perform) easy_perform = nullptr;
    decltype(&::curl_easy_getinfo) easy_getinfo = nullptr;
    decltype(&::curl_easy_strerror) easy_strerror = nullptr;
    decltype(&::curl_easy_cleanup) easy_cleanup = nullptr;
    decltype(&::curl_slist_append) slist_append = nullptr;
    decltype(&::curl_slist_free_all) slist_free_all = nullptr;
    // Empty when every function was found and the library set up.
    QString error;

    bool ready() const { return error.isEmpty(); }
};

// Loaded and set up (curl_global_init) once, by whichever thread asks first.
const CurlLibrary& libcurl();
