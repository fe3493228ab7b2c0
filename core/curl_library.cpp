#include "core/curl_library.h"

#include "util/lazy_library.h"

#include <QDebug>

namespace {

CurlLibrary loadCurl()
{
    CurlLibrary curl;
    LazyLibrary library("libcurl.so.4");
    decltype(&::curl_global_init) globalInit = nullptr;
    const bool found = library.resolve("curl_global_init", globalInit)
        && library.resolve("curl_easy_init", curl.easy_init)
        && library.resolve("curl_easy_setopt", curl.easy_setopt)
        && library.resolve("curl_easy_perform", curl.easy_perform)
        && library.resolve("curl_easy_getinfo", curl.easy_getinfo)
        && library.resolve("curl_easy_strerror", curl.easy_strerror)
        && library.resolve("curl_easy_cleanup", curl.easy_cleanup)
        && library.resolve("curl_slist_append", curl.slist_append)
        && library.resolve("curl_slist_free_all", curl.slist_free_all);
    if (!found)
        curl.error = library.error();
    else if (globalInit(CURL_GLOBAL_DEFAULT) != CURLE_OK)
        curl.error = QStringLiteral("libcurl could not be set up");
    if (!curl.ready())
        qWarning().noquote() << "No transfers:" << curl.error;
    return curl;
}

} // namespace

const CurlLibrary& libcurl()
{
    static const CurlLibrary library = loadCurl();
    return library;
}
