#include "devices/gpu/adlx_helper.h"

#include "util/library_loader.h"
#include "util/logging.h"

#include <QDebug>

namespace {

template <class Fn>
Fn resolve(platform::LibraryHandle library, const char* name)
{
    return reinterpret_cast<Fn>(getProcAddress(library, name));
}

} // namespace

ADLXHelper::ADLXHelper(const QString& library) : m_library(library) {}

ADLXHelper::~ADLXHelper()
{
    Terminate();
}

QString ADLXHelper::defaultLibraryName()
{
    return platform::libraryFileName(QStringLiteral("amdadlx64"));
}

void ADLXHelper::setLibrary(const QString& library)
{
    m_library = library;
}

ADLX_RESULT ADLXHelper::Initialize()
{
    return InitializePrivate(nullptr, nullptr, false);
}

ADLX_RESULT ADLXHelper::InitializeWithIncompatibleDriver()
{
    return InitializePrivate(nullptr, nullptr, true);
}

ADLX_RESULT ADLXHelper::InitializeWithCallerAdl(adlx_handle adlContext, ADLX_ADL_Main_Memory_Free adlMainMemoryFree)
{
    return InitializePrivate(adlContext, adlMainMemoryFree, false);
}

ADLX_RESULT ADLXHelper::InitializePrivate(adlx_handle adlContext, ADLX_ADL_Main_Memory_Free adlMainMemoryFree,
                                          bool useIncompatibleDriver)
{
    if (!m_libraryHandle && !loadLibraryAndExports())
        return ADLX_FAIL;
    // The two version queries only fill the fields; their codes say nothing we act on.
    m_queryFullVersion(&m_fullVersion);
    m_queryVersion(&m_version);
    if (adlContext && adlMainMemoryFree)
        return m_initializeWithCallerAdl(kAdlxSdkVersion, &m_systemServices, &m_adlMapping, adlContext,
                                         adlMainMemoryFree);
    if (useIncompatibleDriver)
        return m_initializeWithIncompatibleDriver(kAdlxSdkVersion, &m_systemServices);
    return m_initialize(kAdlxSdkVersion, &m_systemServices);
}

bool ADLXHelper::loadLibraryAndExports()
{
    m_libraryHandle = loadLibrarySafe(m_library);
    if (!m_libraryHandle)
        return false;
    m_queryFullVersion = resolve<ADLXQueryFullVersion_Fn>(m_libraryHandle, adlx_export::kQueryFullVersion);
    m_queryVersion = resolve<ADLXQueryVersion_Fn>(m_libraryHandle, adlx_export::kQueryVersion);
    m_initializeWithCallerAdl =
        resolve<ADLXInitializeWithCallerAdl_Fn>(m_libraryHandle, adlx_export::kInitializeWithCallerAdl);
    m_initializeWithIncompatibleDriver = resolve<ADLXInitializeWithIncompatibleDriver_Fn>(
        m_libraryHandle, adlx_export::kInitializeWithIncompatibleDriver);
    m_initialize = resolve<ADLXInitialize_Fn>(m_libraryHandle, adlx_export::kInitialize);
    m_terminate = resolve<ADLXTerminate_Fn>(m_libraryHandle, adlx_export::kTerminate);
    if (m_queryFullVersion && m_queryVersion && m_initializeWithCallerAdl && m_initializeWithIncompatibleDriver
        && m_initialize && m_terminate)
        return true;
    // A library that lacks one entry point is not the one we were built for: use none of it.
    qWarning() << "ADLX library" << m_library << "lacks an entry point; not used";
    clearExports();
    freeLibraryChecked(m_libraryHandle);
    m_libraryHandle = nullptr;
    return false;
}

void ADLXHelper::clearExports()
{
    m_queryFullVersion = nullptr;
    m_queryVersion = nullptr;
    m_initializeWithCallerAdl = nullptr;
    m_initializeWithIncompatibleDriver = nullptr;
    m_initialize = nullptr;
    m_terminate = nullptr;
}

ADLX_RESULT ADLXHelper::Terminate()
{
    if (!m_libraryHandle)
        return ADLX_OK;
    m_fullVersion = 0;
    m_version = nullptr;
    m_systemServices = nullptr;
    m_adlMapping = nullptr;
    const ADLX_RESULT result = m_terminate ? m_terminate() : ADLX_OK;
    clearExports();
    freeLibraryChecked(m_libraryHandle);
    m_libraryHandle = nullptr;
    return result;
}

QString ADLXHelper::resultText(ADLX_RESULT code)
{
    switch (code) {
    case ADLX_OK: return QStringLiteral("0: ADLX_OK - indicates success.");
    case ADLX_FAIL: return QStringLiteral("3: ADLX_FAIL - indicates an unspecified failure.");
    case ADLX_ADL_INIT_ERROR:
        return QStringLiteral("8: ADLX_ADL_INIT_ERROR - indicates that the ADL initialization failed.");
    case ADLX_NOT_FOUND: return QStringLiteral("9: ADLX_NOT_FOUND - indicates that the item is not found.");
    default: return QStringLiteral("res: ") + QString::number(int(code));
    }
}

void ADLXHelper::PrintResult(ADLX_RESULT code)
{
    writeStdout(resultText(code) + QLatin1Char('\n'));
}
