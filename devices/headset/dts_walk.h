#pragma once
// Walking the lists of the DTS component: operating modes of an endpoint, controls of a mode.
// Names are compared by containment, ignoring case, so "music" finds "APO4-Music".
#include "devices/headset/dts_ptr.h"

#include <QDebug>
#include <string>

namespace dts {

// A component that never ends a list must not hold the worker forever.
constexpr int kMaxListItems = 4096;

bool containsIgnoringCase(const std::wstring& haystack, const std::wstring& needle);

// The next item of an enumerator, or nothing at the end of its list.
template <class Item, class Enumerator>
DtsPtr<Item> nextItem(Enumerator* enumerator)
{
    DtsPtr<Item> item;
    if (enumerator->Next(item.put()) != S_OK)
        item.reset();
    return item;
}

// The first control whose name contains controlName.
DtsPtr<IDTSAPOControl> findControl(IDTSAPOControlEnumerator* controls, const std::wstring& controlName);
// The same within one mode; logs `failure` when the mode has no control list.
DtsPtr<IDTSAPOControl> findControlInMode(IDTSAPOOpMode* mode, const std::wstring& controlName, const char* failure);

// Calls visit(mode, name) for every operating mode of the endpoint until it answers false.
// False (after logging enumeratorFailure) when the mode list cannot be had.
template <class Visit>
bool forEachOpMode(IDTSEndpointInfo* endpoint, const char* enumeratorFailure, const char* nameFailure, Visit visit)
{
    DtsPtr<IDTSAPOOpModeEnumerator> modes;
    if (failed(endpoint->GetOpModeEnumerator(modes.put())) || !modes) {
        qDebug() << enumeratorFailure;
        return false;
    }
    for (int i = 0; i < kMaxListItems; ++i) {
        DtsPtr<IDTSAPOOpMode> mode = nextItem<IDTSAPOOpMode>(modes.get());
        if (!mode)
            break;
        std::wstring name;
        if (failed(mode->GetName(&name))) {
            if (nameFailure)
                qDebug() << nameFailure;
            continue;
        }
        if (!visit(mode.get(), name))
            break;
    }
    return true;
}

} // namespace dts
