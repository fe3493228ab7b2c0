#include "app/launch_options.h"

#include <QStringList>

LaunchOptions* LaunchOptions::fromArguments(const QStringList& arguments, QObject* parent)
{
    auto* options = new LaunchOptions(parent);
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        const bool hasValue = i + 1 < arguments.size();
        if (argument == QLatin1String("--page") && hasValue)
            options->m_startPage = arguments.at(++i);
        else if (argument == QLatin1String("--screenshot") && hasValue)
            options->m_screenshotPath = arguments.at(++i);
    }
    options->m_showWindow = qgetenv("TALVORIN_SHOW_WINDOW") == "1" || options->screenshotMode();
    return options;
}
