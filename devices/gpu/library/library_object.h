#pragma once
// Reference counting for the objects our ADLX libraries hand out: created with one reference
// (the caller's), deleted by the Release that gives back the last one.
#include "devices/gpu/adlx_interfaces.h"

#include <atomic>

template <class Interface>
class LibraryObject : public Interface {
public:
    adlx_long Acquire() override { return ++m_references; }
    adlx_long Release() override
    {
        const adlx_long left = --m_references;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    LibraryObject() = default;
    virtual ~LibraryObject() = default;

private:
    std::atomic<adlx_long> m_references{1};
};
