#pragma once
#include <QString>

// Lines that the lower layers write to the standard streams rather than the Qt log.
void writeStdout(const QString& text);
void writeStderr(const QString& text);
