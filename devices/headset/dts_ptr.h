#pragma once
// Owning pointer to a reference-counted DTS object: one reference per DtsPtr, released when
// the pointer goes away, so no early return can leak an object of the component.
#include "devices/headset/dts_interfaces.h"

#include <cstddef>
#include <utility>

namespace dts {

template <class T>
class DtsPtr {
public:
    DtsPtr() = default;
    DtsPtr(std::nullptr_t) {}
    DtsPtr(const DtsPtr& other) : m_object(other.m_object) { addRef(); }
    DtsPtr(DtsPtr&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}
    ~DtsPtr() { reset(); }

    DtsPtr& operator=(const DtsPtr& other)
    {
        DtsPtr copy(other);
        swap(copy);
        return *this;
    }
    DtsPtr& operator=(DtsPtr&& other) noexcept
    {
        DtsPtr moved(std::move(other));
        swap(moved);
        return *this;
    }

    // Takes an object that already carries a reference for us.
    static DtsPtr adopt(T* object)
    {
        DtsPtr ptr;
        ptr.m_object = object;
        return ptr;
    }

    // For out parameters: drops the current object and lets the callee fill the pointer.
    T** put()
    {
        reset();
        return &m_object;
    }

    void reset()
    {
        if (m_object)
            std::exchange(m_object, nullptr)->Release();
    }

    // Asks the object for another of its interfaces.
    template <class U>
    HRESULT queryInterface(const Guid& iid, DtsPtr<U>& out) const
    {
        out.reset();
        if (!m_object)
            return E_POINTER;
        void* raw = nullptr;
        const HRESULT hr = m_object->QueryInterface(iid, &raw);
        if (succeeded(hr) && raw)
            out = DtsPtr<U>::adopt(static_cast<U*>(raw));
        return raw ? hr : (failed(hr) ? hr : E_NOINTERFACE);
    }

    T* get() const { return m_object; }
    T* operator->() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }
    void swap(DtsPtr& other) noexcept { std::swap(m_object, other.m_object); }

private:
    void addRef()
    {
        if (m_object)
            m_object->AddRef();
    }

    T* m_object = nullptr;
};

} // namespace dts
