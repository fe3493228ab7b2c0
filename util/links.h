#pragma once
#include <QString>

// Opens an address the way a user would type it, with the desktop's default handler.
// Returns false (and logs) when the text is not a valid address or nothing could open it.
bool openUrlInBrowser(const QString& text);
