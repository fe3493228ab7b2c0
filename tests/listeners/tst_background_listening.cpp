// BACKGROUND_LISTENING against the mouse's firmware simulator and the stand-in GPU library:
// what each notification publishes or does, when the loop ends, and that every stop is prompt
// and clean (the HID handle closed, a launched program left alone).
#include "listener_rig.h"
#include "sim_gpu_fixture.h"

#include <QDesktopServices>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QMutex>
#include <QUrl>
#include <QtTest>

Q_DECLARE_METATYPE(std::vector<uint8_t>)

namespace {

// Receives the addresses the listener opens (on the listener's thread).
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QStringList urls() const { QMutexLocker lock(&m_mutex); return m_urls; }
public slots:
    void open(const QUrl& url) { QMutexLocker lock(&m_mutex); m_urls << url.toString(); }
private:
    mutable QMutex m_mutex;
    QStringList m_urls;
};

QJsonObject websiteEntry(int button, const QString& address)
{
    return {{QStringLiteral("currentButton"), button},
            {QStringLiteral("launch"), 3},
            {QStringLiteral("webside_path"), address},
            {QStringLiteral("software_path"), QString()},
            {QStringLiteral("keyFunctionSingleKey"), QString()}};
}

QJsonObject programEntry(int button, const QString& program)
{
    return {{QStringLiteral("currentButton"), button},
            {QStringLiteral("launch"), 2},
            {QStringLiteral("software_path"), program}};
}

// A program whose path has blanks, quotes and an ampersand: it notes that it started, waits
// `seconds`, then writes the path it was started as into "ran".
QString writeProgram(const QString& folder, const QString& seconds)
{
    const QString dir = folder + QStringLiteral("/my programs");
    QDir().mkpath(dir);
    const QString path = dir + QStringLiteral("/it's \"quoted\" & run.sh");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(QStringLiteral("#!/bin/sh\nd=$(dirname \"$0\")\ntouch \"$d/started\"\nsleep %1\nprintf '%s' \"$0\" > "
                              "\"$d/ran\"\n")
                   .arg(seconds)
                   .toUtf8());
    file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    return path;
}

QString readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class BackgroundListeningTest : public QObject {
    Q_OBJECT

private slots:
    void buttonEventsThatEndTheLoop_data()
    {
        QTest::addColumn<std::vector<uint8_t>>("report");
        QTest::addColumn<QString>("function");
        QTest::addColumn<int>("delay");
        QTest::newRow("DPI change before a profile cycle")
            << buttonReport({{5, 0x47}, {8, 0x41}}) << QStringLiteral("DPI_Change") << -1;
        QTest::newRow("profile cycle after an unknown code")
            << buttonReport({{4, 0x12}, {10, 0x41}}) << QStringLiteral("Profile_Cycle") << 1;
    }
    void buttonEventsThatEndTheLoop()
    {
        QFETCH(std::vector<uint8_t>, report);
        QFETCH(QString, function);
        QFETCH(int, delay);
        ListenerRig rig;
        // The page handles the answer by starting the listener again straight away.
        QObject::connect(rig.listener.get(), &BACKGROUND_LISTENING::dataChanged, &rig.log,
                         [&rig](const QVariantMap& answer) {
                             if (!answer.value(QStringLiteral("function")).toString().isEmpty()
                                 && answer.value(QStringLiteral("function")) != QStringLiteral("Update_BTL"))
                                 rig.listener->start();
                         },
                         Qt::QueuedConnection);
        rig.bus->queueInputReport(rig.device, report);
        rig.start(rig.mouseCommand());
        QVERIFY(rig.answered(1));
        const QVariantMap answer = rig.answer(0);
        QCOMPARE(answer.value(QStringLiteral("function")).toString(), function);
        QCOMPARE(answer.value(QStringLiteral("Delay")).toInt(), delay);
        QCOMPARE(answer.value(QStringLiteral("Control")).toInt(), 2);
        for (int slot = 4; slot <= 12; ++slot)
            QCOMPARE(answer.value(QStringLiteral("Data%1").arg(slot - 4)).toUInt(), unsigned(report[size_t(slot)]));

        // The loop ended, and the restart from the handler took: the next report is heard.
        QVERIFY(waitUntil([&rig] { return rig.listener->isRunning() && rig.bus->openHandles() == 1; }));
        rig.bus->sendBatteryNotification(rig.device, 64, 0);
        QVERIFY(rig.answered(2));
        QCOMPARE(rig.answer(1).value(QStringLiteral("function")).toString(), QStringLiteral("Update_BTL"));
    }

    void batteryReportsKeepTheLoop()
    {
        ListenerRig rig;
        QVERIFY(rig.listening());
        rig.bus->sendBatteryNotification(rig.device, 77, 1);
        QVERIFY(rig.answered(1));
        rig.bus->sendBatteryNotification(rig.device, 40, 0);
        QVERIFY(rig.answered(2));
        QCOMPARE(rig.log.values(QStringLiteral("function")), QStringList({"Update_BTL", "Update_BTL"}));
        QCOMPARE(rig.log.values(QStringLiteral("btl_percent")), QStringList({"77", "40"}));
        QCOMPARE(rig.log.values(QStringLiteral("check_charging")), QStringList({"1", "0"}));
        QVERIFY(rig.listener->isRunning());
    }

    void malformedNotificationsAreIgnored_data()
    {
        QTest::addColumn<std::vector<uint8_t>>("report");
        std::vector<uint8_t> report = buttonReport({{5, 0x47}});
        report[0] = 0xC1;
        QTest::newRow("byte 0 not C0") << report;
        report = buttonReport({{5, 0x47}});
        report[2] = 0x08;
        QTest::newRow("byte 2 not 09") << report;
        report = std::vector<uint8_t>{0xC0, 0x09, 0x01, 0x00, 0xDC};
        QTest::newRow("almost the error pattern") << report;
    }
    void malformedNotificationsAreIgnored()
    {
        QFETCH(std::vector<uint8_t>, report);
        ListenerRig rig;
        rig.bus->queueInputReport(rig.device, report);
        rig.start(rig.mouseCommand());
        QVERIFY(rig.readReports(1));
        rig.bus->sendBatteryNotification(rig.device, 55, 0);
        QVERIFY(rig.answered(1));
        QTest::qWait(150);
        QCOMPARE(rig.log.answers.size(), 1);
        QCOMPARE(rig.answer(0).value(QStringLiteral("function")).toString(), QStringLiteral("Update_BTL"));
        QVERIFY(rig.listener->isRunning());
    }

    void deviceFailureEndsTheLoop_data()
    {
        QTest::addColumn<bool>("openFails");
        QTest::newRow("error report") << false;
        QTest::newRow("open fails") << true;
    }
    void deviceFailureEndsTheLoop()
    {
        QFETCH(bool, openFails);
        ListenerRig rig;
        if (openFails)
            rig.bus->failNextOpens(rig.device);
        else
            rig.bus->sendErrorReport(rig.device);
        rig.start(rig.mouseCommand());
        QVERIFY(rig.answered(1));
        QCOMPARE(rig.answer(0).value(QStringLiteral("ErrorOpenDevice")).toInt(), 1);
        QCOMPARE(rig.answer(0).value(QStringLiteral("Control")).toInt(), 2);
        QVERIFY(rig.listener->wait(1000));
        QCOMPARE(rig.listener->commandSlot().value(QStringLiteral("Control")).toInt(), -1);
        QCOMPARE(rig.bus->openHandles(), 0);
    }

    void idleCommandOpensNoDevice_data()
    {
        QTest::addColumn<QVariant>("control");
        QTest::newRow("Control 0") << QVariant(0);
        QTest::newRow("no Control") << QVariant();
    }
    void idleCommandOpensNoDevice()
    {
        QFETCH(QVariant, control);
        ListenerRig rig;
        // Held by the simulator for whoever opens the interface first.
        rig.bus->sendBatteryNotification(rig.device, 90, 1);
        QVariantMap idle = rig.mouseCommand();
        idle.remove(QStringLiteral("Control"));
        if (control.isValid())
            idle[QStringLiteral("Control")] = control;
        rig.start(idle);
        QTest::qWait(300);
        QVERIFY(rig.log.answers.isEmpty());
        QCOMPARE(rig.bus->openHandles(), 0);
        // The mouse command that follows is taken up within a pass.
        rig.listener->receiveDataFromQML(rig.mouseCommand());
        QVERIFY(rig.answered(1, 500));
        QCOMPARE(rig.answer(0).value(QStringLiteral("btl_percent")).toInt(), 90);
    }

    void launchUsesTheFirstEntryOfTheSlotsButton_data()
    {
        QTest::addColumn<bool>("pageObject");
        QTest::newRow("array of entries") << false;
        QTest::newRow("page object with LaunchData") << true;
    }
    void launchUsesTheFirstEntryOfTheSlotsButton()
    {
        QFETCH(bool, pageObject);
        ListenerRig rig;
        const QJsonArray entries{websiteEntry(2, QStringLiteral("first.example")),
                                 websiteEntry(0, QStringLiteral("button-zero.example")),
                                 websiteEntry(9, QStringLiteral("button-nine.example")),
                                 websiteEntry(2, QStringLiteral("second.example"))};
        if (pageObject)
            rig.writeLaunchData(QJsonDocument(QJsonObject{{QStringLiteral("LaunchData_listSize"), entries.size()},
                                                          {QStringLiteral("LaunchData"), entries}}));
        else
            rig.writeLaunchData(QJsonDocument(entries));
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &recorder, "open");
        QVERIFY(rig.listening());
        int reads = 0;
        for (int position : {9, 12, 5}) {
            rig.bus->sendButtonEvent(rig.device, position, 0xB0);
            QVERIFY(rig.readReports(++reads));
        }
        const QStringList expected{"http://button-zero.example", "http://button-nine.example", "http://first.example"};
        QVERIFY(waitUntil([&] { return recorder.urls().size() >= 3; }));
        QTest::qWait(100);
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QCOMPARE(recorder.urls(), expected);
        // A launch is no answer for the page and does not end the loop.
        QVERIFY(rig.log.answers.isEmpty());
        QVERIFY(rig.listener->isRunning());
    }

    void launchRunsTheExactProgramAndWaitsForIt()
    {
        ListenerRig rig;
        const QString program = writeProgram(rig.data.path(), QStringLiteral("0.4"));
        const QString ran = QFileInfo(program).absolutePath() + QStringLiteral("/ran");
        rig.writeLaunchData(QJsonDocument(QJsonArray{programEntry(1, program)}));
        QVERIFY(rig.listening());
        rig.bus->sendButtonEvent(rig.device, 4, 0xB0);
        QVERIFY(waitUntil([&] { return QFile::exists(QFileInfo(ran).absolutePath() + QStringLiteral("/started")); }));
        rig.bus->sendBatteryNotification(rig.device, 33, 0);
        // The battery report is read only once the program has ended.
        QVERIFY(rig.answered(1, 5000));
        QCOMPARE(readText(ran), program);
    }

    void stopLeavesALaunchedProgramRunning()
    {
        ListenerRig rig;
        const QString program = writeProgram(rig.data.path(), QStringLiteral("1"));
        const QString folder = QFileInfo(program).absolutePath();
        rig.writeLaunchData(QJsonDocument(QJsonArray{programEntry(1, program)}));
        QVERIFY(rig.listening());
        rig.bus->sendButtonEvent(rig.device, 4, 0xB0);
        QVERIFY(waitUntil([&] { return QFile::exists(folder + QStringLiteral("/started")); }));
        QElapsedTimer stopping;
        stopping.start();
        rig.listener->stopThread();
        QVERIFY(rig.listener->isFinished());
        QVERIFY2(stopping.elapsed() < 300, qPrintable(QString::number(stopping.elapsed())));
        QVERIFY(waitUntil([&] { return QFile::exists(folder + QStringLiteral("/ran")); }, 5000));
    }

    void stopIsPromptWhileAReadIsPending()
    {
        ListenerRig rig;
        QVERIFY(rig.listening());
        QElapsedTimer stopping;
        stopping.start();
        rig.listener->stopThread();
        const qint64 took = stopping.elapsed();
        // Ended on its own: a thread cut off would have left its handle open.
        QVERIFY(rig.listener->isFinished());
        QCOMPARE(rig.bus->openHandles(), 0);
        QVERIFY2(took < 300, qPrintable(QString::number(took)));

        // Started again, then destroyed while reading: the destructor joins just as cleanly.
        QVERIFY(rig.listening());
        rig.listener.reset();
        QCOMPARE(rig.bus->openHandles(), 0);
        QVERIFY(rig.logs.contains(QStringLiteral("~BACKGROUND_LISTENING()")));
    }

    // Every wait of the loop (for a command, between metrics samples, for a report, after a
    // report) ends at a stop: stopThread, which waits only 100 ms, finds the thread ended.
    void stopEndsEveryWait_data()
    {
        QTest::addColumn<int>("wait");
        QTest::newRow("for a command") << 0;
        QTest::newRow("between metrics samples") << 1;
        QTest::newRow("for a report of the mouse") << 2;
        QTest::newRow("after a report") << 3;
    }

    void stopEndsEveryWait()
    {
        QFETCH(int, wait);
        SimGpuFixture gpu;
        gpu.describeCards({SimGpuFixture::card(QStringLiteral("744C"), QStringLiteral("CE"), {})});
        ListenerRig rig(gpu.setup());
        if (wait == 0) {
            rig.start({{QStringLiteral("Control"), 0}});
            QTest::qWait(100);
        } else if (wait == 1) {
            rig.start({{QStringLiteral("Control"), 1}, {QStringLiteral("CurrentGPUIndex"), 0}});
            QVERIFY(rig.answered(1));
        } else {
            QVERIFY(rig.listening());
            if (wait == 3) {
                rig.bus->sendBatteryNotification(rig.device, 50, 0);
                QVERIFY(rig.readReports(1));
            }
        }
        QVERIFY(rig.listener->isRunning());
        QElapsedTimer stopping;
        stopping.start();
        rig.listener->stopThread();
        QVERIFY(rig.listener->isFinished());
        QVERIFY2(stopping.elapsed() < 100, qPrintable(QString::number(stopping.elapsed())));
        QCOMPARE(rig.bus->openHandles(), 0);
    }

    // A new command ends the wait for a report at once: the next pass follows the new command
    // without the thread being started again.
    void newCommandEndsTheWaitForAReport()
    {
        SimGpuFixture gpu;
        gpu.describeCards({SimGpuFixture::card(QStringLiteral("744C"), QStringLiteral("CE"), {})});
        ListenerRig rig(gpu.setup());
        QVERIFY(rig.listening());
        rig.listener->receiveDataFromQML({{QStringLiteral("Control"), 1}, {QStringLiteral("CurrentGPUIndex"), 0}});
        QVERIFY(rig.answered(1, 500));
        QCOMPARE(rig.answer(0).value(QStringLiteral("Control")).toInt(), 1);
        QCOMPARE(rig.bus->openHandles(), 0);
        // And back: the mouse's reports are read again.
        rig.listener->receiveDataFromQML(rig.mouseCommand());
        QVERIFY(waitUntil([&] { return rig.bus->openHandles() == 1; }, 1500));
        rig.bus->sendBatteryNotification(rig.device, 61, 1);
        QVERIFY(waitUntil([&] { return rig.log.values(QStringLiteral("btl_percent")).contains(QStringLiteral("61")); }));
    }

    void metricsOnceASecond()
    {
        SimGpuFixture gpu;
        gpu.describeCards({SimGpuFixture::card(QStringLiteral("744C"), QStringLiteral("CE"),
                                               {{QStringLiteral("metrics"),
                                                 SimGpuFixture::metrics(37.9, 212.6, 1450, 7800, 2150, 2400, 58.9, 71.2)}})});
        ListenerRig rig(gpu.setup());
        QElapsedTimer clock;
        QList<qint64> arrivals;
        QObject::connect(rig.listener.get(), &BACKGROUND_LISTENING::dataChanged, &rig.log,
                         [&](const QVariantMap&) { arrivals << clock.elapsed(); }, Qt::QueuedConnection);
        clock.start();
        rig.start({{QStringLiteral("Control"), 1}, {QStringLiteral("CurrentGPUIndex"), 0}});
        QVERIFY(rig.answered(3, 5000));
        rig.listener->stopThread();
        const QVariantMap sample = rig.answer(0);
        QCOMPARE(sample.value(QStringLiteral("Control")).toInt(), 1);
        QCOMPARE(sample.value(QStringLiteral("hasData")).toInt(), 1);
        QCOMPARE(sample.value(QStringLiteral("GPU_Usage")).toString(), QStringLiteral("37"));
        QCOMPARE(sample.value(QStringLiteral("GPU_HotspotTemperature")).toString(), QStringLiteral("71"));
        QVERIFY2(arrivals[0] < 800, qPrintable(QString::number(arrivals[0])));
        for (int i = 1; i < 3; ++i) {
            const qint64 gap = arrivals[i] - arrivals[i - 1];
            QVERIFY2(gap >= 900 && gap < 1800, qPrintable(QString::number(gap)));
        }
        QCOMPARE(rig.bus->openHandles(), 0);
    }
};

QTEST_MAIN(BackgroundListeningTest)
#include "tst_background_listening.moc"
