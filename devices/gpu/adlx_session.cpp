#include "devices/gpu/adlx_session.h"

AdlxLoader& deviceQueryLoader()
{
    static AdlxLoader loader;
    return loader;
}

AdlxLoader& lightingLoader()
{
    static AdlxLoader loader;
    return loader;
}

AdlxSession::AdlxSession(AdlxLoader& loader, const QString& library) : m_loader(loader), m_guard(loader.lock)
{
    m_loader.helper.setLibrary(library);
    m_initializeResult = m_loader.helper.Initialize();
}

AdlxSession::~AdlxSession()
{
    terminate();
}

IADLXSystem* AdlxSession::system() const
{
    return ok() ? m_loader.helper.GetSystemServices() : nullptr;
}

ADLX_RESULT AdlxSession::terminate()
{
    if (!m_terminated) {
        m_terminateResult = m_loader.helper.Terminate();
        m_terminated = true;
    }
    return m_terminateResult;
}

ADLX_RESULT terminateLoader(AdlxLoader& loader)
{
    std::lock_guard<std::mutex> guard(loader.lock);
    return loader.helper.Terminate();
}
