// Discovery: find the command interfaces of the maker's mice and receivers.
#include "devices/mouse/battery_settings.h"
#include "devices/mouse/dev_mouse.h"
#include "devices/mouse/mouse_answers.h"
#include "devices/mouse/udev_access.h"

#include "util/logging.h"

#include <QDebug>
#include <QThread>

using namespace mouse;

namespace {

constexpr int kModelNameAttempts = 2;
constexpr int kUuidPasses = 3;
constexpr int kUuidCallsPerPass = 10;
constexpr unsigned long kPaceMs = 100;
constexpr unsigned long kUuidRetryMs = 10;

} // namespace

QVariantMap DEV_MOUSE::get_hid_devices_info()
{
    m_data.clear();
    m_mouseCount = 0;
    m_inaccessibleCount = 0;
    m_productByVendor.clear();
    m_data.insert(QStringLiteral("mouseNum"), 0);
    m_data.insert(QStringLiteral("runFunction"), 999);

    HidBackend* backend = m_transport.backend();
    if (!backend || backend->init() != 0)
        writeStdout(QStringLiteral("hid_init error...\n"));
    const std::vector<HidDeviceInfo> interfaces = backend ? backend->enumerate(0, 0) : std::vector<HidDeviceInfo>();
    qDebug().noquote() << "\n\n================================ check valid Hid devices ================================";

    for (const HidDeviceInfo& info : interfaces)
        scanInterface(info);
    addBatteryThresholds(m_data);
    m_data.insert(QStringLiteral("mouseNum"), m_mouseCount);
    if (m_inaccessibleCount > 0) {
        m_data.insert(QStringLiteral("inaccessibleNum"), m_inaccessibleCount);
        m_data.insert(QStringLiteral("accessFixCommand"), udevRuleInstallCommand());
    }
    m_data.insert(QStringLiteral("runFunction"), -1);
    if (backend)
        backend->exit();
    return m_data;
}

void DEV_MOUSE::scanInterface(const HidDeviceInfo& info)
{
    m_productByVendor.insert(info.vendorId, info.productId);
    // Each interface starts from an empty record, so that nothing of an earlier mouse (its
    // UUID above all, which names its profile folder) is carried into the next one.
    QVariantMap record;
    record.insert(QStringLiteral("Path"), QString());
    // Only the maker's vendor interfaces are ever sent a request: another maker's device on
    // the vendor usage page would take our frames for its own commands.
    if (!isKnownVendor(info.vendorId))
        return;
    vendor_id = info.vendorId;
    product_id = info.productId;
    usage_page = info.usagePage;
    usage = info.usage;
    if (info.usagePage != kVendorUsagePage)
        return;

    const char* path = info.path.c_str();
    qDebug() << "Path:" << path;
    HidAnswer nameAnswer;
    if (!readMatchingModelName(path, nameAnswer)) {
        noteIfInaccessible(info);
        return;
    }

    const QString bus = busTypeName(info.busType);
    record.insert(QStringLiteral("Path"), QString::fromUtf8(path));
    record.insert(QStringLiteral("name"), decodeModelName(nameAnswer.bytes, m_keys));
    record.insert(QStringLiteral("mouse_color"), colourName(answerByte(nameAnswer.bytes, 4)));
    record.insert(QStringLiteral("Vendor_ID"), hex4(info.vendorId));
    record.insert(QStringLiteral("Product_ID"), hex4(info.productId));
    record.insert(QStringLiteral("Usage_Page"), hex4(info.usagePage));
    record.insert(QStringLiteral("Usage"), hex4(info.usage));
    record.insert(QStringLiteral("Manufacturer"), info.manufacturer);
    record.insert(QStringLiteral("SerialNumber"), info.serialNumber);
    record.insert(QStringLiteral("Product"), info.product);
    record.insert(QStringLiteral("Interface"), QString::number(info.interfaceNumber));
    record.insert(QStringLiteral("BusType"), bus);
    const QString connection = connectionName(info.productId);
    if (!connection.isEmpty())
        record.insert(QStringLiteral("BusTypeName"), connection);
    product_id = info.productId;
    qDebug().noquote() << "\nBusType: " + bus;

    QThread::msleep(kPaceMs);
    if (const std::optional<QString> uuid = readMcuUuid(path))
        record.insert(QStringLiteral("current_MCU_UUID"), *uuid);
    QThread::msleep(kPaceMs);

    m_data.insert(QStringLiteral("MOUSE%1").arg(m_mouseCount), record);
    ++m_mouseCount;
}

void DEV_MOUSE::noteIfInaccessible(const HidDeviceInfo& info)
{
    HidBackend* backend = m_transport.backend();
    HidDevice* probe = backend->open(info.path.c_str());
    if (probe) {
        backend->close(probe);
        return;
    }
    const QString error = backend->error(nullptr);
    if (!isAccessDenied(error))
        return;
    qWarning().noquote() << "Mouse found but not accessible:" << QString::fromStdString(info.path) << error;
    QVariantMap record;
    record.insert(QStringLiteral("Path"), QString::fromStdString(info.path));
    record.insert(QStringLiteral("Vendor_ID"), hex4(info.vendorId));
    record.insert(QStringLiteral("Product_ID"), hex4(info.productId));
    record.insert(QStringLiteral("BusTypeName"), connectionName(info.productId));
    record.insert(QStringLiteral("error"), error);
    m_data.insert(QStringLiteral("INACCESSIBLE%1").arg(m_inaccessibleCount), record);
    ++m_inaccessibleCount;
}

bool DEV_MOUSE::readMatchingModelName(const char* path, HidAnswer& answer)
{
    for (int attempt = 0; attempt < kModelNameAttempts; ++attempt) {
        answer = modelNameAnswer(path);
        QThread::msleep(kPaceMs);
        if (modelNameMatches(answer))
            return true;
    }
    return false;
}

std::optional<QString> DEV_MOUSE::readMcuUuid(const char* devpath)
{
    for (int pass = 0; pass < kUuidPasses; ++pass) {
        HidAnswer answer;
        for (int call = 0; call < kUuidCallsPerPass; ++call) {
            answer = mcuUuidAnswer(devpath);
            if (answer.length > 19)
                break;
            QThread::msleep(kUuidRetryMs);
        }
        if (answer.length > 19) {
            if (const std::optional<QString> uuid = mcuUuidText(answer.bytes))
                return uuid;
        }
        QThread::msleep(kPaceMs);
    }
    return std::nullopt;
}

void DEV_MOUSE::addBatteryThresholds(QVariantMap& list)
{
    const std::optional<BatteryThresholds> thresholds = loadBatteryThresholds(batteryLevelSettingsPath());
    if (!thresholds)
        return;
    list.insert(QStringLiteral("BatteryLevel_First"), thresholds->first);
    list.insert(QStringLiteral("BatteryLevel_Second"), thresholds->second);
    qDebug() << "BatteryLevel_First: " << thresholds->first;
    qDebug() << "BatteryLevel_Second: " << thresholds->second;
}
