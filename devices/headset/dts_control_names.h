#pragma once
// The controls that make up one operating mode's full setting, in the order they are written.
#include <QString>
#include <QStringList>

// Text-valued controls, then integer controls.
const QStringList& textControlNames();
const QStringList& integerControlNames();
// The key under which an operating-mode map of the configuration XML holds a control: its
// name with "SFX:", except the stereo mode, which the file keeps under its bare name.
QString operatingModeKey(const QString& controlName);
// True when the component keeps the control as text.
bool isTextControl(const QString& controlName);
