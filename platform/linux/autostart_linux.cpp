#include "platform/autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace platform {

namespace {

// A desktop entry's Exec value is read twice: first as a string value, where two backslashes
// stand for one, then as a command line, where a double-quoted argument puts a backslash before
// each double quote, backquote, dollar sign and backslash. A percent sign would start a field
// code, so it is doubled.
QString quoteExecArgument(const QString& argument)
{
    QString quoted;
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted.replace(QLatin1String("\\"), QLatin1String("\\\\"));
    quoted.replace(QLatin1Char('%'), QLatin1String("%%"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

QString autostartEntryPath()
{
    QString configHome = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
    if (configHome.isEmpty())
        configHome = QDir::homePath() + QStringLiteral("/.config");
    return configHome + QStringLiteral("/autostart/talvorin.desktop");
}

bool enableAutostart(const QString& executablePath, QString* error)
{
    const QString path = autostartEntryPath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        if (error)
            *error = QStringLiteral("cannot create ") + QFileInfo(path).absolutePath();
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    const QByteArray entry = QStringLiteral(
        "[Desktop Entry]\n"
        "Type=Application\n"
        "Name=Talvorin\n"
        "Comment=Control centre for Belvarinth graphics cards, mouse and headset\n"
        "Exec=%1\n"
        "Icon=talvorin\n"
        "Terminal=false\n"
        "X-GNOME-Autostart-enabled=true\n").arg(quoteExecArgument(executablePath)).toUtf8();
    file.write(entry);
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool disableAutostart(QString* error)
{
    const QString path = autostartEntryPath();
    if (!QFile::exists(path))
        return true;
    QFile file(path);
    if (!file.remove()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool isAutostartEnabled()
{
    return QFile::exists(autostartEntryPath());
}

} // namespace platform
