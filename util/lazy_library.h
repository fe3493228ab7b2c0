#pragma once
// A system library that only some tasks need, loaded when one of them first runs rather than
// with the program. Every library linked to the program is loaded, with all it depends on,
// before the window can appear: libcurl and libarchive alone took a third of that time.
#include "platform/dynamic_library.h"

#include <QString>

class LazyLibrary {
public:
    explicit LazyLibrary(const char* soname);

    // Finds one function by name; false when the library or the function is missing, with
    // the reason in error().
    template <typename Function>
    bool resolve(const char* name, Function*& function)
    {
        function = reinterpret_cast<Function*>(symbol(name));
        return function != nullptr;
    }

    const QString& error() const { return m_error; }

private:
    void* symbol(const char* name);

    QString m_soname;
    QString m_error;
    // Stays loaded for the rest of the process, as a linked library would.
    platform::LibraryHandle m_handle = nullptr;
};
