// Libraries loaded on first use: what is found, and what a missing library or function says.
#include "core/curl_library.h"
#include "util/archive_library.h"
#include "util/lazy_library.h"

#include <QtTest>

class LazyLibraryTest : public QObject {
    Q_OBJECT

private slots:
    void findsAFunctionOfASystemLibrary()
    {
        LazyLibrary zlib("libz.so.1");
        const char* (*version)() = nullptr;
        QVERIFY(zlib.resolve("zlibVersion", version));
        QVERIFY(version != nullptr);
        QVERIFY(QByteArray(version()).startsWith('1'));
        QVERIFY(zlib.error().isEmpty());
    }

    void missingLibraryOrFunctionIsNamed()
    {
        LazyLibrary missing("libtalvorin-no-such-library.so.7");
        void (*function)() = nullptr;
        QVERIFY(!missing.resolve("anything", function));
        QVERIFY(missing.error().contains("libtalvorin-no-such-library.so.7 could not be loaded"));

        LazyLibrary zlib("libz.so.1");
        QVERIFY(!zlib.resolve("noSuchZlibFunction", function));
        QVERIFY(function == nullptr);
        QCOMPARE(zlib.error(), QString("libz.so.1 has no function noSuchZlibFunction"));
    }

    // Only a bare soname is looked up, in the system paths: never a path that could point at
    // the current folder or anywhere else.
    void pathsAreRefused()
    {
        QString error;
        QVERIFY(platform::loadSystemLibrary("./libz.so.1", &error) == nullptr);
        QVERIFY(error.contains("not a library name"));
        QVERIFY(platform::loadSystemLibrary("/usr/lib/x86_64-linux-gnu/libz.so.1", &error) == nullptr);
        QVERIFY(platform::loadSystemLibrary("", &error) == nullptr);
    }

    void transferAndUnpackingLibrariesAreComplete()
    {
        QVERIFY2(libcurl().ready(), qPrintable(libcurl().error));
        QVERIFY(libcurl().easy_perform != nullptr);
        QVERIFY2(libarchive().ready(), qPrintable(libarchive().error));
        QVERIFY(libarchive().entry_set_perm != nullptr);
    }
};

QTEST_GUILESS_MAIN(LazyLibraryTest)
#include "test_lazy_library.moc"
