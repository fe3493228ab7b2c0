#pragma once
// BACKGROUND_LISTENING on the firmware simulator, with its own data folder and its answers
// collected on the test's thread (queued, as QML receives them).
#include "answer_log.h"
#include "listeners/background_listening.h"
#include "mouse/log_capture.h"
#include "sim/mouse/sim_hid_backend.h"

#include <QDir>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

inline bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 3000)
{
    QElapsedTimer waited;
    waited.start();
    while (!condition()) {
        if (waited.elapsed() > timeoutMs)
            return false;
        QTest::qWait(5);
    }
    return true;
}

// A button-event report with the given slot codes (position → code).
inline std::vector<uint8_t> buttonReport(std::initializer_list<std::pair<int, uint8_t>> codes)
{
    std::vector<uint8_t> report(64, 0);
    report[0] = 0xC0;
    report[1] = 0x07;
    report[2] = 0x09;
    for (const auto& slot : codes)
        report[size_t(slot.first)] = slot.second;
    return report;
}

struct ListenerRig {
    static constexpr const char* kUuid = "5A17C0DE01";

    explicit ListenerRig(DeviceSetup setup = {})
    {
        qputenv("TALVORIN_DATA_DIR", data.path().toLocal8Bit());
        setup.virtualDevices = true;
        setup.hid = bus;
        listener = std::make_unique<BACKGROUND_LISTENING>(setup);
        QObject::connect(listener.get(), &BACKGROUND_LISTENING::dataChanged, &log, &AnswerLog::add,
                         Qt::QueuedConnection);
    }
    ~ListenerRig()
    {
        listener.reset();
        qunsetenv("TALVORIN_DATA_DIR");
    }

    QVariantMap mouseCommand() const
    {
        return {{QStringLiteral("Control"), 2},
                {QStringLiteral("currentHID_Path"), QString::fromStdString(bus->vendorPath(device))},
                {QStringLiteral("mouseProfile"), 3},
                {QStringLiteral("qStr_MCU_UUID"), QLatin1String(kUuid)},
                {QStringLiteral("vendor_id"), QStringLiteral("2DBF")},
                {QStringLiteral("product_id"), QStringLiteral("5036")},
                {QStringLiteral("mouseNum"), 1}};
    }

    // QML's order: the thread first, the command right after.
    void start(const QVariantMap& command)
    {
        listener->start();
        listener->receiveDataFromQML(command);
    }
    // Started in mode 2 and holding the mouse's interface open.
    bool listening()
    {
        start(mouseCommand());
        return waitUntil([this] { return bus->openHandles() == 1; });
    }
    // The listener has read `count` reports. Each pass closes the interface after its read,
    // and a report still queued on a closed handle is gone, as with hidraw: a test sends the
    // next report once the previous one has been read.
    bool readReports(int count)
    {
        return waitUntil([this, count] { return logs.count(QStringLiteral("BACKGROUND_LISTENING: Read")) >= count; });
    }
    bool answered(int count, int timeoutMs = 3000)
    {
        return waitUntil([this, count] { return log.answers.size() >= count; }, timeoutMs);
    }
    QVariantMap answer(int index) const { return log.answers.value(index); }

    void writeLaunchData(const QJsonDocument& document) const
    {
        const QString folder = data.path() + QStringLiteral("/Mouse/") + QLatin1String(kUuid) + QStringLiteral("/profile_3");
        QDir().mkpath(folder);
        QSaveFile file(folder + QStringLiteral("/UserLaunchData.json"));
        file.open(QIODevice::WriteOnly);
        file.write(document.toJson());
        file.commit();
    }

    LogCapture logs;
    QTemporaryDir data;
    std::shared_ptr<SimHidBackend> bus = std::make_shared<SimHidBackend>();
    int device = bus->attach(SimLink::Receiver);
    AnswerLog log;
    std::unique_ptr<BACKGROUND_LISTENING> listener;
};
