#include "core/foreground_changes.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

bool isWineLoader(const QString& fileName)
{
    return fileName.startsWith(QLatin1String("wine"));
}

// The last part of a path written with either separator.
QString lastPathPart(const QString& path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? path : path.mid(slash + 1);
}

} // namespace

LaunchEvent launchEventFor(const platform::ForegroundWindow& window)
{
    LaunchEvent event;
    event.windowTitle = window.title;
    event.processId = window.processId;
    event.executablePath = window.executablePath;
    event.executableName = QFileInfo(window.executablePath).fileName();
    if (isWineLoader(event.executableName)
        && window.firstArgument.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive)) {
        QString program = window.firstArgument;
        program.replace(QLatin1Char('\\'), QLatin1Char('/'));
        event.executablePath = program;
        event.executableName = lastPathPart(program);
    }
    return event;
}

OwnProgram OwnProgram::current()
{
    // Read once: the file name the system gives stays the one the process started from.
    static const OwnProgram own{QCoreApplication::applicationPid(), QCoreApplication::applicationFilePath()};
    return own;
}

bool isOwnOrGoneProgram(const LaunchEvent& event, const OwnProgram& own)
{
    if (event.processId == own.processId)
        return true;
    if (event.executablePath.endsWith(QLatin1String(" (deleted)")))
        return true;
    return !own.executablePath.isEmpty() && event.executablePath == own.executablePath;
}

bool isOtherProgram(const std::optional<LaunchEvent>& previous, const LaunchEvent& current, const OwnProgram& own)
{
    if (current.processId == 0 || isOwnOrGoneProgram(current, own))
        return false;
    if (!previous)
        return true;
    return previous->processId != current.processId || previous->executableName != current.executableName;
}
