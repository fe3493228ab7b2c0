#pragma once
// Loads the ADLX library at run time, resolves its six entry points up front, initialises it
// against our SDK version and hands out its root system object. The library stays loaded only
// between one initialise and the next terminate. An instance has no lock of its own: callers
// that share one serialise their brackets (see adlx_session.h).
#include "devices/gpu/adlx_interfaces.h"
#include "platform/dynamic_library.h"

#include <QString>

class ADLXHelper {
public:
    // `library`: a file name looked up in the application's folder and the system library
    // paths, or an absolute path.
    explicit ADLXHelper(const QString& library = defaultLibraryName());
    virtual ~ADLXHelper();
    ADLXHelper(const ADLXHelper&) = delete;
    ADLXHelper& operator=(const ADLXHelper&) = delete;

    // The vendor's library under this platform's naming ("amdadlx64").
    static QString defaultLibraryName();

    // Which library the next load opens; a loaded library stays until Terminate.
    void setLibrary(const QString& library);
    const QString& library() const { return m_library; }
    bool isLoaded() const { return m_libraryHandle != nullptr; }

    ADLX_RESULT Initialize();
    ADLX_RESULT InitializeWithIncompatibleDriver();
    ADLX_RESULT InitializeWithCallerAdl(adlx_handle adlContext, ADLX_ADL_Main_Memory_Free adlMainMemoryFree);
    ADLX_RESULT Terminate();

    // The library's root object; null before a successful initialise.
    IADLXSystem* GetSystemServices() const { return m_systemServices; }
    adlx_uint64 fullVersion() const { return m_fullVersion; }
    const char* version() const { return m_version; }

    // One line on standard output naming the code (used after each I2C transfer).
    static void PrintResult(ADLX_RESULT code);
    static QString resultText(ADLX_RESULT code);

private:
    ADLX_RESULT InitializePrivate(adlx_handle adlContext, ADLX_ADL_Main_Memory_Free adlMainMemoryFree,
                                  bool useIncompatibleDriver);
    // Loads the library and resolves all six exports; on any failure nothing stays loaded.
    bool loadLibraryAndExports();
    void clearExports();

    QString m_library;
    platform::LibraryHandle m_libraryHandle = nullptr;
    adlx_uint64 m_fullVersion = 0;
    const char* m_version = nullptr;
    IADLXSystem* m_systemServices = nullptr;
    IADLMapping* m_adlMapping = nullptr;

    ADLXQueryFullVersion_Fn m_queryFullVersion = nullptr;
    ADLXQueryVersion_Fn m_queryVersion = nullptr;
    ADLXInitializeWithCallerAdl_Fn m_initializeWithCallerAdl = nullptr;
    ADLXInitializeWithIncompatibleDriver_Fn m_initializeWithIncompatibleDriver = nullptr;
    ADLXInitialize_Fn m_initialize = nullptr;
    ADLXTerminate_Fn m_terminate = nullptr;
};
