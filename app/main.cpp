#include "app/application.h"
#include "app/command_line_mode.h"
#include "core/command_line_request.h"

#include <QStringList>

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (asksForCommandLine(arguments))
        return runCommandLineMode(argc, argv);
    return runTalvorin(argc, argv);
}
