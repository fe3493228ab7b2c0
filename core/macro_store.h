#pragma once
// The user's macros, shared by all mice (/Mouse/UserMacroKeyData.json):
//   { "mk_ListSize": n, "mk_AllData": [ { "macroName", "mkAction", "setDefault", "macroKey" } ] }
// A macro is known by its name; saving a name that exists replaces that macro.
#include <QString>
#include <QVariantList>
#include <QVariantMap>

enum class MacroStoreResult { Done, EmptyName, NotFound, NoFile, WriteFailed };

// The stored macros; empty for a missing or malformed file.
QVariantList loadMacros(const QString& path);
MacroStoreResult saveMacro(const QString& path, const QVariantMap& macro);
MacroStoreResult deleteMacro(const QString& path, const QString& macroName);
