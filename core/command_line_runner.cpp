#include "core/command_line_runner.h"

#include "bridge/map_reading.h"
#include "core/lighting_commands.h"

namespace {

QString colourText(int red, int green, int blue)
{
    return QStringLiteral("#%1%2%3")
        .arg(red, 2, 16, QLatin1Char('0'))
        .arg(green, 2, 16, QLatin1Char('0'))
        .arg(blue, 2, 16, QLatin1Char('0'))
        .toUpper();
}

} // namespace

CommandLineRunner::CommandLineRunner(CommandLineServices services) : m_services(std::move(services)) {}

CommandLineResult CommandLineRunner::run(const CommandLineRequest& request)
{
    m_result = CommandLineResult();
    m_devices = m_services.discover();
    m_mice = mouseRecords(m_devices.mouseDevice);
    if (request.listDevices)
        listDevices();
    if (!request.gpuEffect.isEmpty())
        setGpuEffect(request);
    if (request.mouseProfile)
        selectMouseProfile(*request.mouseProfile);
    if (request.mouseDpiStage)
        selectMouseDpiStage(*request.mouseDpiStage);
    if (request.headsetOption)
        selectHeadsetMode(*request.headsetOption);
    if (!request.exportFile.isEmpty())
        runSettingsFile(m_services.exportSettings, request.exportFile);
    if (!request.importFile.isEmpty())
        runSettingsFile(m_services.importSettings, request.importFile);
    return m_result;
}

void CommandLineRunner::listDevices()
{
    const QVector<GpuRecord> gpus = gpuRecords(m_devices.gpuDevice);
    for (const GpuRecord& gpu : gpus)
        say(QStringLiteral("GPU %1: %2 (%3)")
                .arg(gpu.index)
                .arg(gpu.name, gpu.rgbSupported ? QStringLiteral("RGB lighting") : QStringLiteral("no RGB lighting")));
    if (gpus.isEmpty())
        say(QStringLiteral("GPU: none found"));
    for (const QVariantMap& mouse : m_mice)
        say(QStringLiteral("Mouse: %1").arg(mouseDisplayName(mouse)));
    if (m_mice.isEmpty())
        say(QStringLiteral("Mouse: none found"));
    if (headsetCount(m_devices.headphoneDevice) > 0)
        say(QStringLiteral("Headset: %1").arg(headsetDisplayName(m_devices.headphoneDevice)));
    else
        say(QStringLiteral("Headset: none found"));
}

void CommandLineRunner::setGpuEffect(const CommandLineRequest& request)
{
    const SharedLightingEffect* effect = lightingEffectByKey(request.gpuEffect);
    const LightingValues values{request.red, request.green, request.blue, request.brightness, request.speed};
    const QVector<LightingTarget> targets =
        gpuLightingTargets(gpuRecords(m_devices.gpuDevice), *effect, values, request.gpuIndex);
    if (targets.isEmpty()) {
        fail(request.gpuIndex >= 0 ? QStringLiteral("GPU %1: not found").arg(request.gpuIndex)
                                   : QStringLiteral("GPU: none found"));
        return;
    }
    const QString what = effect->gpuMode < 0
        ? effect->displayName
        : QStringLiteral("%1 %2").arg(effect->displayName, colourText(request.red, request.green, request.blue));
    int sent = 0;
    for (const LightingOutcome& outcome : sendLighting(targets, m_services.runCommand)) {
        if (outcome.result == LightingResult::Failed)
            fail(describeOutcome(outcome, what));
        else
            say(describeOutcome(outcome, what));
        sent += outcome.result == LightingResult::Skipped ? 0 : 1;
    }
    if (sent == 0)
        fail(QStringLiteral("GPU: no card can show %1").arg(effect->displayName));
}

const QVariantMap* CommandLineRunner::mouseOrFail()
{
    if (!m_mice.isEmpty())
        return &m_mice.first();
    fail(QStringLiteral("Mouse: none found"));
    return nullptr;
}

void CommandLineRunner::selectMouseProfile(int profile)
{
    const QVariantMap* mouse = mouseOrFail();
    if (!mouse)
        return;
    QVariantMap command = mouseCommand(*mouse, 1);
    command.insert(QStringLiteral("profileNo"), profile);
    if (succeeded(m_services.runCommand(command)))
        say(QStringLiteral("Mouse: profile %1 selected").arg(profile));
    else
        fail(QStringLiteral("Mouse: profile %1 failed").arg(profile));
}

void CommandLineRunner::selectMouseDpiStage(int stage)
{
    const QVariantMap* mouse = mouseOrFail();
    if (!mouse)
        return;
    // The stage count stays as the mouse has it; only the current stage changes.
    const QVariantMap state = m_services.runCommand(mouseCommand(*mouse, 13));
    const int quantity = readInt(state, QStringLiteral("DPI_Quantity"));
    if (!succeeded(state) || quantity < 1) {
        fail(QStringLiteral("Mouse: its DPI stages could not be read"));
        return;
    }
    if (stage > quantity) {
        fail(QStringLiteral("Mouse: DPI stage %1 refused, the mouse uses %2 stages").arg(stage).arg(quantity));
        return;
    }
    QVariantMap command = mouseCommand(*mouse, 9);
    command.insert(QStringLiteral("DPI_Quantity"), quantity);
    command.insert(QStringLiteral("DPI_Level"), stage - 1);
    if (succeeded(m_services.runCommand(command)))
        say(QStringLiteral("Mouse: DPI stage %1 of %2 selected").arg(stage).arg(quantity));
    else
        fail(QStringLiteral("Mouse: DPI stage %1 failed").arg(stage));
}

void CommandLineRunner::selectHeadsetMode(int option)
{
    const QString name = headsetOptionName(option);
    if (headsetCount(m_devices.headphoneDevice) < 1) {
        fail(QStringLiteral("Headset: none found"));
        return;
    }
    // The headset page remembers the option that was on before "off", to switch it on again.
    int beforeOff = option;
    if (option == *headsetOptionByName(QStringLiteral("off"))) {
        const QVariantMap state = m_services.runCommand({{QStringLiteral("Control"), 3}, {QStringLiteral("runFunction"), 1}});
        beforeOff = readInt(state, QStringLiteral("getlastAction"), 2);
    }
    const QVariantMap command{{QStringLiteral("Control"), 3},         {QStringLiteral("runFunction"), 5},
                              {QStringLiteral("selectDtsOption"), option}, {QStringLiteral("lastAction"), option},
                              {QStringLiteral("beforeOFF"), beforeOff},    {QStringLiteral("indexGEQ"), -1},
                              {QStringLiteral("resetGEQ"), 0}};
    if (succeeded(m_services.runCommand(command)))
        say(QStringLiteral("Headset: mode %1 selected").arg(name));
    else
        fail(QStringLiteral("Headset: mode %1 failed").arg(name));
}

void CommandLineRunner::runSettingsFile(const CommandLineServices::SettingsStep& step, const QString& path)
{
    QString message;
    if (step && step(path, m_devices, &message))
        say(message);
    else
        fail(message.isEmpty() ? QStringLiteral("Settings file: not available") : message);
}

bool CommandLineRunner::succeeded(const QVariantMap& answer) const
{
    return readInt(answer, QStringLiteral("RESULTS"), -1) == 1;
}

void CommandLineRunner::say(const QString& line)
{
    m_result.output += line + QLatin1Char('\n');
}

void CommandLineRunner::fail(const QString& line)
{
    say(line);
    m_result.status = kCommandFailed;
}
