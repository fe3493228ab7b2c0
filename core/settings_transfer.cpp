#include "core/settings_transfer.h"

#include "bridge/map_reading.h"
#include "core/mouse_folder.h"
#include "core/settings_file.h"
#include "util/files.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

#include <optional>

namespace {

// The data store's files that a settings file carries, relative to the data folder.
const QStringList kSharedFiles{QStringLiteral("/GPU/userControlData.json"),
                               QStringLiteral("/GPU/userFavoriteData.json"),
                               QStringLiteral("/Mouse/UserMacroKeyData.json"),
                               QStringLiteral("/Mouse/BatteryLevelSettings.json"),
                               QStringLiteral("/Mouse/UserGameMap.json"),
                               QStringLiteral("/Headphone/userSettingsData_Headphone.json")};

// The files of one mouse, relative to its folder; nothing else is ever written from a file.
bool isMouseFileName(const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral(
        "^(profile_[1-5]\\.json|UserProfileName\\.json|userSettingData\\.json|profile_[1-5]/(UserLaunchData|userSettingData)\\.json)$"));
    return pattern.match(name).hasMatch();
}

QStringList mouseFileNames()
{
    QStringList names{QStringLiteral("UserProfileName.json"), QStringLiteral("userSettingData.json")};
    for (int n = 1; n <= 5; ++n) {
        names << QStringLiteral("profile_%1.json").arg(n) << QStringLiteral("profile_%1/UserLaunchData.json").arg(n)
              << QStringLiteral("profile_%1/userSettingData.json").arg(n);
    }
    return names;
}

// A file of the store as JSON; undefined when it is missing or not JSON.
QJsonValue readJsonFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QJsonValue(QJsonValue::Undefined);
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    if (document.isArray())
        return document.array();
    if (document.isObject())
        return document.object();
    return QJsonValue(QJsonValue::Undefined);
}

bool writeJsonFile(const QString& path, const QJsonValue& value)
{
    ensureDirectory(QFileInfo(path).path());
    const QJsonDocument document = value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
    const WriteResult result = replaceFileContents(path, document.toJson(QJsonDocument::Indented));
    if (!result.ok())
        qWarning() << "[Settings file] cannot write" << path << result.errorString;
    return result.ok();
}

// Every value of a "files" object must be a JSON object or array under a name we know.
QString checkFiles(const QJsonValue& files, const std::function<bool(const QString&)>& known)
{
    if (files.isUndefined())
        return QString();
    if (!files.isObject())
        return QStringLiteral("the file is damaged (its file list is not a list of files)");
    const QJsonObject object = files.toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!known(it.key()))
            return QStringLiteral("the file is damaged (it names an unknown file: %1)").arg(it.key());
        if (!it.value().isObject() && !it.value().isArray())
            return QStringLiteral("the file is damaged (%1 is not JSON data)").arg(it.key());
    }
    return QString();
}

// The cards by their index in the GPU library, which the GPU page's commands name.
QJsonObject gpuModels(const DeviceMaps& devices)
{
    QJsonObject models;
    for (const GpuRecord& gpu : gpuRecords(devices.gpuDevice))
        models.insert(QString::number(gpu.index), gpu.name);
    return models;
}

// The card the GPU page's last command was for, when the file has one.
std::optional<int> lastGpuCommandCard(const QJsonObject& settings)
{
    const QJsonArray controlData =
        settings.value(QStringLiteral("files")).toObject().value(QStringLiteral("/GPU/userControlData.json")).toArray();
    if (controlData.isEmpty())
        return std::nullopt;
    return controlData.first().toObject().value(QStringLiteral("gpuIndex")).toVariant().toInt();
}

QVariantMap prefixed(const QVariantMap& answer, const QRegularExpression& keys)
{
    QVariantMap picked;
    for (auto it = answer.begin(); it != answer.end(); ++it)
        if (keys.match(it.key()).hasMatch())
            picked.insert(it.key(), it.value());
    return picked;
}

} // namespace

SettingsTransfer::SettingsTransfer(const DataStore& store, RunCommand runCommand, std::function<void()> afterImport)
    : m_store(store), m_run(std::move(runCommand)), m_afterImport(std::move(afterImport))
{
}

bool SettingsTransfer::exportTo(const QString& path, const DeviceMaps& devices, QString* message)
{
    const QVector<QVariantMap> mice = mouseRecords(devices.mouseDevice);
    const QVariantMap* mouse = mice.isEmpty() ? nullptr : &mice.first();
    const WriteResult result = replaceFileContents(path, buildSettingsFile(collect(devices, mouse)));
    if (!result.ok()) {
        *message = QStringLiteral("Settings not exported: %1 cannot be written (%2)").arg(path, result.errorString);
        qWarning().noquote() << "[Settings file]" << *message;
        return false;
    }
    *message = QStringLiteral("Settings exported to %1").arg(path);
    qDebug().noquote() << "[Settings file]" << *message;
    return true;
}

QJsonObject SettingsTransfer::collect(const DeviceMaps& devices, const QVariantMap* mouse)
{
    QJsonObject files;
    for (const QString& relative : kSharedFiles) {
        const QJsonValue value = readJsonFile(m_store.path(relative));
        if (!value.isUndefined())
            files.insert(relative, value);
    }
    const QJsonObject deviceModels{
        {QStringLiteral("gpus"), gpuModels(devices)},
        {QStringLiteral("mouse"), mouse ? readString(*mouse, QStringLiteral("name")) : QString()},
        {QStringLiteral("headset"),
         headsetCount(devices.headphoneDevice) > 0 ? headsetDisplayName(devices.headphoneDevice) : QString()}};
    QJsonObject settings{{QStringLiteral("devices"), deviceModels}, {QStringLiteral("files"), files}};
    if (mouse) {
        const QJsonObject mouseSettings = collectMouse(mouse);
        settings.insert(QStringLiteral("mouseFiles"), mouseSettings.value(QStringLiteral("files")));
        settings.insert(QStringLiteral("mouseState"), mouseSettings.value(QStringLiteral("state")));
    }
    return settings;
}

QJsonObject SettingsTransfer::collectMouse(const QVariantMap* mouse)
{
    QJsonObject files;
    const MouseFolder folder(m_store, readString(*mouse, QStringLiteral("current_MCU_UUID")));
    if (folder.isValid()) {
        for (const QString& name : mouseFileNames()) {
            const QJsonValue value = readJsonFile(folder.path() + QLatin1Char('/') + name);
            if (!value.isUndefined())
                files.insert(name, value);
        }
    }
    // What only the mouse knows: its profile, DPI stages and lighting.
    QJsonObject state;
    const QVariantMap dpi = m_run(mouseCommand(*mouse, 13));
    if (readInt(dpi, QStringLiteral("RESULTS"), -1) == 1) {
        static const QRegularExpression dpiKeys(QStringLiteral("^(ProfileNo|DPI_Quantity|DPI_Level|DPI[1-5]_.*)$"));
        state.insert(QStringLiteral("dpi"), QJsonObject::fromVariantMap(prefixed(dpi, dpiKeys)));
    }
    const QVariantMap lighting = m_run(mouseCommand(*mouse, 43));
    if (readInt(lighting, QStringLiteral("RESULTS"), -1) == 1) {
        static const QRegularExpression lightingKeys(QStringLiteral("^Get_ARGB_DATA[0-9]+$"));
        state.insert(QStringLiteral("lighting"), QJsonObject::fromVariantMap(prefixed(lighting, lightingKeys)));
    }
    return {{QStringLiteral("files"), files}, {QStringLiteral("state"), state}};
}

bool SettingsTransfer::importFrom(const QString& path, const DeviceMaps& devices, QString* message)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *message = QStringLiteral("Settings not imported: %1 cannot be read (%2). Nothing was changed.")
                       .arg(path, file.errorString());
        qWarning().noquote() << "[Settings file]" << *message;
        return false;
    }
    const SettingsFileContents contents = readSettingsFile(file.read(kSettingsFileLimit + 1));
    const QJsonObject& settings = contents.settings;
    const QVector<QVariantMap> mice = mouseRecords(devices.mouseDevice);
    const QVariantMap* mouse = mice.isEmpty() ? nullptr : &mice.first();
    const QString refusal =
        contents.refusal.isEmpty() ? checkFits(contents.settings, devices, mouse) : contents.refusal;
    if (!refusal.isEmpty()) {
        *message = QStringLiteral("Settings not imported: %1. Nothing was changed.").arg(refusal);
        qWarning().noquote() << "[Settings file]" << *message;
        return false;
    }
    QString failure;
    if (!writeFiles(contents.settings, mouse, &failure)) {
        *message = QStringLiteral("Settings imported only in part: %1").arg(failure);
        qWarning().noquote() << "[Settings file]" << *message;
        return false;
    }
    if (m_afterImport)
        m_afterImport();
    const QStringList failed = applyToDevices(contents.settings, devices, mouse);
    if (!failed.isEmpty()) {
        *message = QStringLiteral("Settings imported; not applied to: %1").arg(failed.join(QStringLiteral(", ")));
        qWarning().noquote() << "[Settings file]" << *message;
        return false;
    }
    *message = QStringLiteral("Settings imported from %1").arg(path);
    if (!mouse && settings.contains(QStringLiteral("mouseState")))
        *message += QStringLiteral("; the mouse's settings were left out: no mouse is connected");
    qDebug().noquote() << "[Settings file]" << *message;
    return true;
}

QString SettingsTransfer::checkFits(const QJsonObject& settings, const DeviceMaps& devices,
                                    const QVariantMap* mouse) const
{
    QString problem = checkFiles(settings.value(QStringLiteral("files")),
                                 [](const QString& name) { return kSharedFiles.contains(name); });
    if (problem.isEmpty())
        problem = checkFiles(settings.value(QStringLiteral("mouseFiles")), isMouseFileName);
    if (!problem.isEmpty())
        return problem;
    const QJsonValue state = settings.value(QStringLiteral("mouseState"));
    if (!state.isUndefined() && !state.isObject())
        return QStringLiteral("the file is damaged (the mouse's state is not readable)");

    // Settings of one model do not go to another: the mouse's buttons, DPI and lighting codes,
    // the cards' lighting registers and the headset's modes belong to the model.
    const QJsonObject models = settings.value(QStringLiteral("devices")).toObject();
    const QString fileMouse = models.value(QStringLiteral("mouse")).toString();
    const QString ownMouse = mouse ? readString(*mouse, QStringLiteral("name")) : QString();
    if (!fileMouse.isEmpty() && !ownMouse.isEmpty() && fileMouse != ownMouse)
        return QStringLiteral("the file is for the mouse %1, the connected mouse is %2").arg(fileMouse, ownMouse);
    const QString fileHeadset = models.value(QStringLiteral("headset")).toString();
    const QString ownHeadset = headsetCount(devices.headphoneDevice) > 0 ? headsetDisplayName(devices.headphoneDevice)
                                                                        : QString();
    if (!fileHeadset.isEmpty() && !ownHeadset.isEmpty() && fileHeadset != ownHeadset)
        return QStringLiteral("the file is for the headset %1, the connected headset is %2").arg(fileHeadset, ownHeadset);
    // The cards: the one the GPU page's last command was for must be the same model here.
    const std::optional<int> card = lastGpuCommandCard(settings);
    if (card) {
        const QString fileCard = models.value(QStringLiteral("gpus")).toObject().value(QString::number(*card)).toString();
        const QString ownCard = gpuModels(devices).value(QString::number(*card)).toString();
        if (!fileCard.isEmpty() && !ownCard.isEmpty() && fileCard != ownCard)
            return QStringLiteral("the file is for the graphics card %1, card %2 here is %3")
                .arg(fileCard).arg(*card).arg(ownCard);
    }
    return QString();
}

bool SettingsTransfer::writeFiles(const QJsonObject& settings, const QVariantMap* mouse, QString* failure)
{
    const QJsonObject files = settings.value(QStringLiteral("files")).toObject();
    for (auto it = files.begin(); it != files.end(); ++it) {
        if (!writeJsonFile(m_store.path(it.key()), it.value())) {
            *failure = QStringLiteral("%1 could not be written").arg(it.key());
            return false;
        }
    }
    const QJsonObject mouseFiles = settings.value(QStringLiteral("mouseFiles")).toObject();
    // The files go to the connected mouse's folder: another unit of the same model takes them.
    // Without a mouse they have no folder (importFrom says they were left out).
    const MouseFolder folder(m_store, mouse ? readString(*mouse, QStringLiteral("current_MCU_UUID")) : QString());
    if (mouseFiles.isEmpty() || !folder.isValid())
        return true;
    for (auto it = mouseFiles.begin(); it != mouseFiles.end(); ++it) {
        if (!writeJsonFile(folder.path() + QLatin1Char('/') + it.key(), it.value())) {
            *failure = QStringLiteral("%1 could not be written").arg(it.key());
            return false;
        }
    }
    return true;
}

QStringList SettingsTransfer::applyToDevices(const QJsonObject& settings, const DeviceMaps& devices,
                                             const QVariantMap* mouse)
{
    QStringList failed;
    const QJsonObject files = settings.value(QStringLiteral("files")).toObject();
    if (!applyGpu(files, devices))
        failed << QStringLiteral("graphics card");
    const QJsonObject state = settings.value(QStringLiteral("mouseState")).toObject();
    if (mouse && !state.isEmpty() && !applyMouse(state, *mouse))
        failed << QStringLiteral("mouse");
    if (!applyHeadset(files, devices))
        failed << QStringLiteral("headset");
    return failed;
}

// The last lighting command of the GPU page, sent again to its card.
bool SettingsTransfer::applyGpu(const QJsonObject& files, const DeviceMaps& devices)
{
    const QJsonArray controlData = files.value(QStringLiteral("/GPU/userControlData.json")).toArray();
    if (controlData.isEmpty())
        return true;
    QVariantMap command = controlData.first().toObject().toVariantMap();
    const int mode = readInt(command, QStringLiteral("selectedMode"));
    const int index = readInt(command, QStringLiteral("gpuIndex"));
    bool cardHasLighting = false;
    for (const GpuRecord& gpu : gpuRecords(devices.gpuDevice))
        cardHasLighting = cardHasLighting || (gpu.index == index && gpu.rgbSupported);
    if (mode < 1 || mode > 10 || !cardHasLighting)
        return true; // nothing the cards here can show
    command.insert(QStringLiteral("Control"), 1);
    return succeeded(command);
}

bool SettingsTransfer::applyMouse(const QJsonObject& state, const QVariantMap& mouse)
{
    bool ok = true;
    const QVariantMap dpi = state.value(QStringLiteral("dpi")).toObject().toVariantMap();
    if (!dpi.isEmpty()) {
        QVariantMap select = mouseCommand(mouse, 1);
        select.insert(QStringLiteral("profileNo"), dpi.value(QStringLiteral("ProfileNo")));
        ok = succeeded(select) && ok;
        QVariantMap stages = mouseCommand(mouse, 10);
        stages.insert(dpi);
        stages.insert(QStringLiteral("Update_DPI"), 1);
        ok = succeeded(stages) && ok;
    }
    const QVariantMap argb = state.value(QStringLiteral("lighting")).toObject().toVariantMap();
    if (!argb.isEmpty()) {
        auto value = [&argb](int index) { return argb.value(QStringLiteral("Get_ARGB_DATA%1").arg(index)); };
        QVariantMap lighting = mouseCommand(mouse, 32);
        lighting.insert(QStringLiteral("brightness"), value(0));
        lighting.insert(QStringLiteral("ARGB_mode"), value(1));
        lighting.insert(QStringLiteral("ARGB_function"), value(2));
        lighting.insert(QStringLiteral("ARGB_cycleTime"), value(3));
        lighting.insert(QStringLiteral("R_Color"), value(4));
        lighting.insert(QStringLiteral("G_Color"), value(5));
        lighting.insert(QStringLiteral("B_Color"), value(6));
        ok = succeeded(lighting) && ok;
    }
    return ok;
}

// The headset's last choice, selected again so that an imported custom preset takes effect.
bool SettingsTransfer::applyHeadset(const QJsonObject& files, const DeviceMaps& devices)
{
    const QJsonArray records = files.value(QStringLiteral("/Headphone/userSettingsData_Headphone.json")).toArray();
    if (records.isEmpty() || headsetCount(devices.headphoneDevice) < 1)
        return true;
    int option = 0;
    for (const QJsonValue& record : records)
        if (record.toObject().contains(QStringLiteral("getlastAction")))
            option = record.toObject().value(QStringLiteral("getlastAction")).toInt();
    if (option < 1 || option > 8)
        return true;
    return succeeded({{QStringLiteral("Control"), 3},         {QStringLiteral("runFunction"), 5},
                      {QStringLiteral("selectDtsOption"), option}, {QStringLiteral("lastAction"), option},
                      {QStringLiteral("beforeOFF"), option},       {QStringLiteral("indexGEQ"), -1},
                      {QStringLiteral("resetGEQ"), 1}});
}

bool SettingsTransfer::succeeded(const QVariantMap& command)
{
    return readInt(m_run(command), QStringLiteral("RESULTS"), -1) == 1;
}
