#include "core/macro_store.h"

#include "util/files.h"
#include "util/json_files.h"

#include <QDebug>
#include <QFileInfo>

namespace {

const QString kListSize = QStringLiteral("mk_ListSize");
const QString kAllData = QStringLiteral("mk_AllData");
const QString kName = QStringLiteral("macroName");

QString nameOf(const QVariant& macro)
{
    return macro.toMap().value(kName).toString();
}

bool writeMacros(const QString& path, const QVariantList& macros)
{
    ensureDirectory(QFileInfo(path).absolutePath());
    return saveJsonObject(path, {{kListSize, macros.size()}, {kAllData, macros}});
}

// Drops every macro of this name; true when one was there.
bool removeNamed(QVariantList& macros, const QString& name)
{
    const int before = macros.size();
    for (int i = macros.size() - 1; i >= 0; --i) {
        if (nameOf(macros.at(i)) == name)
            macros.removeAt(i);
    }
    return macros.size() != before;
}

} // namespace

QVariantList loadMacros(const QString& path)
{
    QVariantMap document;
    if (!fileExists(path) || !loadJsonObject(path, document))
        return {};
    return document.value(kAllData).toList();
}

MacroStoreResult saveMacro(const QString& path, const QVariantMap& macro)
{
    const QString name = macro.value(kName).toString();
    if (name.trimmed().isEmpty()) {
        qWarning() << "ERROR: macroName is empty, cannot save!";
        return MacroStoreResult::EmptyName;
    }
    QVariantList macros = loadMacros(path);
    if (removeNamed(macros, name))
        qDebug() << "Removed existing item with macroName:" << name;
    macros.append(macro);
    if (!writeMacros(path, macros)) {
        qWarning() << "ERROR: Failed to save JSON file!";
        return MacroStoreResult::WriteFailed;
    }
    qDebug() << "[SUCCESS] Saved macro data to JSON.";
    return MacroStoreResult::Done;
}

MacroStoreResult deleteMacro(const QString& path, const QString& macroName)
{
    if (macroName.trimmed().isEmpty()) {
        qWarning() << "ERROR: macroName is empty, abort delete.";
        return MacroStoreResult::EmptyName;
    }
    if (!fileExists(path)) {
        qWarning() << "ERROR: JSON file does not exist :" << path;
        return MacroStoreResult::NoFile;
    }
    QVariantList macros = loadMacros(path);
    if (!removeNamed(macros, macroName)) {
        qWarning() << "WARN: macroName not found :" << macroName;
        return MacroStoreResult::NotFound;
    }
    if (!writeMacros(path, macros)) {
        qWarning() << "ERROR: Failed to save JSON file!";
        return MacroStoreResult::WriteFailed;
    }
    qDebug() << "SUCCESS: Macro item removed :" << macroName;
    return MacroStoreResult::Done;
}
