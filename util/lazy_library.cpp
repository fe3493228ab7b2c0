#include "util/lazy_library.h"

LazyLibrary::LazyLibrary(const char* soname) : m_soname(QString::fromLatin1(soname))
{
    m_handle = platform::loadSystemLibrary(soname, &m_error);
    if (!m_handle)
        m_error = QStringLiteral("%1 could not be loaded: %2").arg(m_soname, m_error);
}

void* LazyLibrary::symbol(const char* name)
{
    if (!m_handle)
        return nullptr;
    void* found = platform::findSymbol(m_handle, name);
    if (!found && m_error.isEmpty())
        m_error = QStringLiteral("%1 has no function %2").arg(m_soname, QString::fromLatin1(name));
    return found;
}
