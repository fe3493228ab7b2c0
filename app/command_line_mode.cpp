#include "app/command_line_mode.h"

#include "app/control_protocol.h"
#include "app/control_socket_client.h"
#include "core/command_line_request.h"
#include "core/device_setup.h"
#include "core/talvorin.h"
#include "platform/standard_output.h"
#include "util/app_data.h"
#include "util/files.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFile>

namespace {

void print(int descriptor, const QString& text)
{
    QFile out;
    if (out.open(descriptor, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle))
        out.write(text.toUtf8());
}

int finish(const CommandLineResult& result, int resultsDescriptor)
{
    const bool problemWithTheCall = result.status == kCommandLineInvalid || result.status == kInstanceUnreachable;
    print(problemWithTheCall ? 2 : resultsDescriptor, result.output);
    return result.status;
}

CommandLineResult runWithoutWindow(const CommandLineRequest& request)
{
    const QString dataFolder = appDataFolder();
    ensureDirectory(dataFolder);
    TALVORIN worker(deviceSetupFromEnvironment(), dataFolder);
    return worker.runCommandLine(request);
}

} // namespace

int runCommandLineMode(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    const CommandLineParse parse = parseCommandLine(arguments);
    if (parse.help) {
        print(1, commandLineHelp());
        return kCommandWorked;
    }
    if (!parse.error.isEmpty()) {
        print(2, QStringLiteral("talvorin: %1\nTry 'talvorin --help' for more information.\n").arg(parse.error));
        return kCommandLineInvalid;
    }
    const int results = platform::takeStandardOutputForResults();
    QString socketError;
    const QString socketPath = controlSocketPath(&socketError);
    if (socketPath.isEmpty())
        qWarning().noquote() << "Control socket not used:" << socketError;
    else if (const std::optional<CommandLineResult> reply = sendToRunningInstance(socketPath, arguments))
        return finish(*reply, results);
    return finish(runWithoutWindow(parse.request), results);
}
