#include "core/firmware_files.h"

#include "core/mouse_folder.h"
#include "util/files.h"
#include "util/json_files.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QUrl>

namespace {

constexpr int kMaxFileNameBytes = 255;

const QStringList kArchiveSuffixes = {
    QStringLiteral(".tar.gz"), QStringLiteral(".tar.xz"), QStringLiteral(".tar.bz2"), QStringLiteral(".tgz"),
    QStringLiteral(".tar"),    QStringLiteral(".zip"),    QStringLiteral(".7z"),
};

bool isPlainFileName(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    if (name.toUtf8().size() > kMaxFileNameBytes)
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20 || c.unicode() == 0x7f)
            return false;
    }
    return true;
}

bool holdsMouseData(const MouseFolder& mouse)
{
    if (!mouse.isValid() || !QFileInfo(mouse.path()).isDir())
        return false;
    if (QFileInfo::exists(mouse.settingsFile()) || QFileInfo::exists(mouse.profileNamesFile()))
        return true;
    for (int profile = 1; profile <= 5; ++profile) {
        if (QFileInfo::exists(mouse.profileButtonFile(profile)) || QFileInfo::exists(mouse.profileFolder(profile)))
            return true;
    }
    return false;
}

} // namespace

bool replacesUserData(const DataStore& store, const QString& path)
{
    const QStringList storeFiles = {store.userGameMap(),  store.macroData(),         store.batteryLevels(),
                                    store.dongleVersion(), store.headphoneSettings(), store.headphoneFirmwareVersion()};
    if (storeFiles.contains(path))
        return true;
    const QFileInfo entry(path);
    return QDir::cleanPath(entry.absolutePath()) == QDir::cleanPath(store.mouseFolder())
        && holdsMouseData(MouseFolder(store, entry.fileName()));
}

QString firmwareFileNameFromLink(const QString& link)
{
    const QUrl url(link.trimmed());
    // Decoded, so that an escaped separator ("%2F") is seen for what it is.
    const QString path = url.isValid() ? url.path(QUrl::FullyDecoded) : QString();
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    return isPlainFileName(name) ? name : QString();
}

QString packageFolderName(const QString& packageName)
{
    for (const QString& suffix : kArchiveSuffixes) {
        if (!packageName.endsWith(suffix, Qt::CaseInsensitive))
            continue;
        const QString stem = packageName.left(packageName.size() - suffix.size());
        // "..zip" must not become "." (the mouse folder itself).
        if (isPlainFileName(stem))
            return stem;
        break;
    }
    return packageName + QStringLiteral(".unpacked");
}

QString mouseFlashProgram()
{
#ifdef Q_OS_WIN
    return QStringLiteral("FW.bat");
#else
    return QStringLiteral("FW.sh");
#endif
}

QString dongleFlashProgram()
{
#ifdef Q_OS_WIN
    return QStringLiteral("Dongle.bat");
#else
    return QStringLiteral("Dongle.sh");
#endif
}

QString programInFolder(const QString& folder, const QString& name)
{
    const QFileInfo place(folder);
    const QFileInfo program(folder + QLatin1Char('/') + name);
    const bool inside = place.isDir() && !place.isSymLink() && program.isFile() && !program.isSymLink()
        && QFileInfo(program.absolutePath()).canonicalFilePath() == place.canonicalFilePath();
    if (!inside) {
        qWarning() << "Not running" << name << "from" << folder << "- it is not a regular file in that folder";
        return QString();
    }
    return program.absoluteFilePath();
}

QString headsetToolFolder()
{
    const QString overridden = qEnvironmentVariable("TALVORIN_HEADSET_TOOL_DIR");
    if (!overridden.isEmpty())
        return overridden;
    return QCoreApplication::applicationDirPath() + QStringLiteral("/setupFile/headphone/FW_Update");
}

QString headsetToolProgram()
{
#ifdef Q_OS_WIN
    return QStringLiteral("QEL_FW_mptool.exe");
#else
    return QStringLiteral("QEL_FW_mptool");
#endif
}

bool writeVersionRecord(const QString& path, const QString& name, const QString& version)
{
    ensureDirectory(QFileInfo(path).absolutePath());
    return saveJsonObject(path, {{QStringLiteral("name"), name}, {QStringLiteral("version"), version}});
}

QString noFirmwareCause(const WorkerState& state)
{
    if (!state.updateCheckError.isEmpty())
        return state.updateCheckError;
    return QStringLiteral("The update server offers no firmware for this device");
}
