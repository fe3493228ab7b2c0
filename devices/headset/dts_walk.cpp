#include "devices/headset/dts_walk.h"

#include <QString>

namespace dts {

bool containsIgnoringCase(const std::wstring& haystack, const std::wstring& needle)
{
    return QString::fromStdWString(haystack).toLower().contains(QString::fromStdWString(needle).toLower());
}

DtsPtr<IDTSAPOControl> findControl(IDTSAPOControlEnumerator* controls, const std::wstring& controlName)
{
    for (int i = 0; i < kMaxListItems; ++i) {
        DtsPtr<IDTSAPOControl> control = nextItem<IDTSAPOControl>(controls);
        if (!control)
            break;
        std::wstring name;
        if (succeeded(control->GetName(&name)) && containsIgnoringCase(name, controlName))
            return control;
    }
    return {};
}

DtsPtr<IDTSAPOControl> findControlInMode(IDTSAPOOpMode* mode, const std::wstring& controlName, const char* failure)
{
    DtsPtr<IDTSAPOControlEnumerator> controls;
    if (failed(mode->GetControlEnumerator(nullptr, controls.put())) || !controls) {
        qDebug() << failure;
        return {};
    }
    return findControl(controls.get(), controlName);
}

} // namespace dts
