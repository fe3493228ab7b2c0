#include "core/command_line_request.h"

#include "core/lighting_effects.h"

#include <QRegularExpression>

namespace {

const QStringList kHeadsetOptions{QStringLiteral("gaming"),  QStringLiteral("music"),   QStringLiteral("theater"),
                                  QStringLiteral("voice"),   QStringLiteral("custom1"), QStringLiteral("custom2"),
                                  QStringLiteral("custom3"), QStringLiteral("off")};

// Options that take a value, and the flags; --page and --screenshot belong to the window.
const QStringList kValueOptions{QStringLiteral("--gpu-effect"),     QStringLiteral("--color"),
                                QStringLiteral("--brightness"),     QStringLiteral("--speed"),
                                QStringLiteral("--gpu"),            QStringLiteral("--mouse-profile"),
                                QStringLiteral("--mouse-dpi-stage"), QStringLiteral("--headset-mode"),
                                QStringLiteral("--export-settings"), QStringLiteral("--import-settings")};
const QStringList kFlags{QStringLiteral("--list-devices"), QStringLiteral("--help"), QStringLiteral("-h")};

bool readRange(const QString& text, int low, int high, int* value)
{
    bool ok = false;
    const int number = text.toInt(&ok);
    if (!ok || number < low || number > high)
        return false;
    *value = number;
    return true;
}

bool readColour(QString text, CommandLineRequest& request)
{
    if (text.startsWith(QLatin1Char('#')))
        text.remove(0, 1);
    static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]{6}$"));
    if (!hex.match(text).hasMatch())
        return false;
    const uint rgb = text.toUInt(nullptr, 16);
    request.red = int((rgb >> 16) & 0xFF);
    request.green = int((rgb >> 8) & 0xFF);
    request.blue = int(rgb & 0xFF);
    return true;
}

// Takes one option's value; an error text when it is not acceptable.
QString takeValue(const QString& option, const QString& value, CommandLineRequest& r)
{
    int number = 0;
    if (option == QLatin1String("--gpu-effect")) {
        if (!lightingEffectByKey(value))
            return QStringLiteral("--gpu-effect takes one of: %1").arg(lightingEffectKeys());
        r.gpuEffect = value;
    } else if (option == QLatin1String("--color")) {
        if (!readColour(value, r))
            return QStringLiteral("--color takes a colour as RRGGBB, for example ff8800");
    } else if (option == QLatin1String("--brightness")) {
        if (!readRange(value, 0, 255, &r.brightness))
            return QStringLiteral("--brightness takes 0 to 255");
    } else if (option == QLatin1String("--speed")) {
        if (!readRange(value, 0, 80, &r.speed))
            return QStringLiteral("--speed takes 0 to 80");
    } else if (option == QLatin1String("--gpu")) {
        if (!readRange(value, 0, 63, &r.gpuIndex))
            return QStringLiteral("--gpu takes the index --list-devices shows");
    } else if (option == QLatin1String("--mouse-profile")) {
        if (!readRange(value, 1, 5, &number))
            return QStringLiteral("--mouse-profile takes 1 to 5");
        r.mouseProfile = number;
    } else if (option == QLatin1String("--mouse-dpi-stage")) {
        if (!readRange(value, 1, 5, &number))
            return QStringLiteral("--mouse-dpi-stage takes 1 to 5");
        r.mouseDpiStage = number;
    } else if (option == QLatin1String("--headset-mode")) {
        r.headsetOption = headsetOptionByName(value);
        if (!r.headsetOption)
            return QStringLiteral("--headset-mode takes one of: %1").arg(kHeadsetOptions.join(QStringLiteral(", ")));
    } else if (option == QLatin1String("--export-settings")) {
        r.exportFile = value;
    } else if (option == QLatin1String("--import-settings")) {
        r.importFile = value;
    }
    return QString();
}

// Options that only shape a GPU effect make no sense without one.
QString checkCombination(const CommandLineRequest& r, const QStringList& arguments)
{
    const bool shapesEffect = arguments.contains(QStringLiteral("--color"))
        || arguments.contains(QStringLiteral("--brightness")) || arguments.contains(QStringLiteral("--speed"))
        || arguments.contains(QStringLiteral("--gpu"));
    if (shapesEffect && r.gpuEffect.isEmpty())
        return QStringLiteral("--color, --brightness, --speed and --gpu go with --gpu-effect");
    if (!r.exportFile.isEmpty() && !r.importFile.isEmpty())
        return QStringLiteral("--export-settings and --import-settings cannot be used together");
    if (r.isEmpty())
        return QStringLiteral("nothing to do; see --help");
    return QString();
}

} // namespace

bool CommandLineRequest::isEmpty() const
{
    return !listDevices && gpuEffect.isEmpty() && !mouseProfile && !mouseDpiStage && !headsetOption
        && exportFile.isEmpty() && importFile.isEmpty();
}

bool asksForCommandLine(const QStringList& arguments)
{
    for (const QString& argument : arguments)
        if (kValueOptions.contains(argument) || kFlags.contains(argument))
            return true;
    return false;
}

CommandLineParse parseCommandLine(const QStringList& arguments)
{
    CommandLineParse parse;
    parse.commandLine = asksForCommandLine(arguments);
    for (int i = 0; i < arguments.size() && parse.error.isEmpty(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            parse.help = true;
        } else if (argument == QLatin1String("--list-devices")) {
            parse.request.listDevices = true;
        } else if (kValueOptions.contains(argument)) {
            if (i + 1 >= arguments.size())
                parse.error = QStringLiteral("%1 needs a value").arg(argument);
            else
                parse.error = takeValue(argument, arguments.at(++i), parse.request);
        } else {
            parse.error = QStringLiteral("unknown argument: %1").arg(argument);
        }
    }
    if (parse.error.isEmpty() && !parse.help)
        parse.error = checkCombination(parse.request, arguments);
    return parse;
}

std::optional<int> headsetOptionByName(const QString& name)
{
    const int index = kHeadsetOptions.indexOf(name);
    if (index < 0)
        return std::nullopt;
    return index + 1;
}

QString headsetOptionName(int option)
{
    return option >= 1 && option <= kHeadsetOptions.size() ? kHeadsetOptions.at(option - 1) : QString();
}

QString commandLineHelp()
{
    return QStringLiteral(
               "Usage: talvorin [OPTION]...\n"
               "Without options Talvorin starts in the tray and opens its window on demand.\n"
               "\n"
               "Window:\n"
               "  --page PAGE             open home, info, gpu, mouse or headset first\n"
               "  --screenshot FILE       render the window to a PNG once the devices are found, then exit\n"
               "\n"
               "Command line (sent to the running Talvorin when there is one, otherwise run\n"
               "without a window):\n"
               "  --list-devices          list the graphics cards, the mouse and the headset\n"
               "  --gpu-effect EFFECT     set the graphics cards' lighting; EFFECT is one of\n"
               "                          %1\n"
               "  --color RRGGBB          its colour (default ff0000)\n"
               "  --brightness N          its brightness, 0 to 255 (default 255)\n"
               "  --speed N               its speed, 0 to 80 (default 80)\n"
               "  --gpu INDEX             only this card (default: every card with RGB lighting)\n"
               "  --mouse-profile N       select the mouse's profile N, 1 to 5\n"
               "  --mouse-dpi-stage N     select the mouse's DPI stage N, 1 to the stages in use\n"
               "  --headset-mode MODE     gaming, music, theater, voice, custom1, custom2, custom3\n"
               "                          or off\n"
               "  --export-settings FILE  write all settings (graphics cards, mouse, headset presets,\n"
               "                          linked games) to FILE\n"
               "  --import-settings FILE  read them back from FILE and apply them to the devices\n"
               "  -h, --help              show this text\n"
               "\n"
               "Several settings may be given at once; they run in the order above.\n"
               "\n"
               "Exit status:\n"
               "  0  everything asked for was done\n"
               "  1  a device was missing or did not take a setting, or a settings file was refused\n"
               "  2  the command line was wrong (unknown option, value out of range)\n"
               "  3  a running Talvorin did not answer\n")
        .arg(lightingEffectKeys());
}
