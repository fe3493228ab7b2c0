#pragma once

// Stores value and reports true when it differs from what was stored; the bridge setters
// signal a change only then.
template <typename T>
bool replaceIfChanged(T& stored, const T& value)
{
    if (stored == value)
        return false;
    stored = value;
    return true;
}
