// "All devices" lighting (Control 22) through the running worker: every card with a lighting
// controller and the mouse get the effect through their own commands (register writes and HID
// reports on the virtual devices); a device that cannot show it is named with the reason.
#include "all_devices_fixture.h"
#include "core/lighting_commands.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

QVariantMap waitForControl(QSignalSpy& spy, int control)
{
    for (int waited = 0; waited < 100; ++waited) {
        for (const QList<QVariant>& arguments : spy) {
            const QVariantMap answer = arguments.first().toMap();
            if (answer.value("Control").toInt() == control)
                return answer;
        }
        spy.wait(200);
    }
    return {};
}

QVariantMap allDevices(AllDevicesFixture& f, const QString& effect, int r, int g, int b, int brightness, int speed)
{
    QSignalSpy spy(f.worker.get(), &TALVORIN::dataChanged);
    f.worker->receiveDataFromQML({{"Control", 22}, {"effect", effect}, {"r_color", r}, {"g_color", g}, {"b_color", b},
                                  {"brightness_value", brightness}, {"speed_value", speed}});
    return waitForControl(spy, 22);
}

QString resultOf(const QVariantMap& answer, const QString& devicePrefix)
{
    for (const QVariant& entry : answer.value("devices").toList())
        if (entry.toMap().value("device").toString().startsWith(devicePrefix))
            return entry.toMap().value("result").toString() + " " + entry.toMap().value("reason").toString();
    return QStringLiteral("<absent>");
}

} // namespace

class TestAllDevicesLighting : public QObject {
    Q_OBJECT

private slots:
    void everyCardAndTheMouseGetTheEffect()
    {
        AllDevicesFixture f;
        f.startWorker();
        f.gpu.clearLogs();
        const QVariantMap answer = allDevices(f, "breathing", 255, 128, 0, 255, 40);
        QCOMPARE(answer.value("RESULTS").toInt(), 1);

        // Cards: breathing (02), brightness FF, wire speed 80 - 40 = 0x28, on each card's own
        // colour registers; the card without a controller is not written.
        const QStringList writes = f.gpuWrites();
        QVERIFY(writes.contains(SimGpuFixture::write(0, 0x01, "02 FF 28")));
        QVERIFY(writes.contains(SimGpuFixture::write(0, 0x31, "FF 80 00")));
        QVERIFY(writes.contains(SimGpuFixture::write(2, 0x01, "02 FF 28")));
        QVERIFY(writes.contains(SimGpuFixture::write(2, 0x0F, "FF 80 00")));
        QVERIFY(writes.filter("gpu=1 ").isEmpty());
        QCOMPARE(resultOf(answer, "GPU 1 "), QStringLiteral("<absent>"));
        QCOMPARE(resultOf(answer, "GPU 0 "), QStringLiteral("set "));
        QCOMPARE(resultOf(answer, "GPU 2 "), QStringLiteral("set "));
        QCOMPARE(resultOf(answer, "Mouse "), QStringLiteral("set "));
        // The GPU page shows the new effect when it opens next.
        QCOMPARE(answer.value("gpuLastedAction").toMap().value("selectedMode").toInt(), 3);

        // The mouse: its breathing (2) in all three areas, brightness 8 of 8, speed 3 of 4.
        const SimFirmwareState mouse = f.mouse();
        const SimLighting& lighting = mouse.live.lighting[size_t(mouse.live.mouse.profile - 1)];
        QCOMPARE(int(lighting[0]), 8);
        for (int area = 0; area < 3; ++area) {
            const int at = 1 + area * 6;
            QCOMPARE(QList<int>({lighting[at], lighting[at + 1], lighting[at + 2], lighting[at + 3], lighting[at + 4],
                                 lighting[at + 5]}),
                     QList<int>({2, 128, 3, 255, 128, 0}));
        }
    }

    void offAndMeteorFollowEachDevicesRules()
    {
        AllDevicesFixture f;
        f.startWorker();
        QCOMPARE(allDevices(f, "meteor", 0, 0, 255, 128, 80).value("RESULTS").toInt(), 1);
        SimFirmwareState mouse = f.mouse();
        // Meteor is the mouse's effect 3 with function 129.
        QCOMPARE(int(mouse.live.lighting[size_t(mouse.live.mouse.profile - 1)][1]), 3);
        QCOMPARE(int(mouse.live.lighting[size_t(mouse.live.mouse.profile - 1)][2]), 129);

        f.gpu.clearLogs();
        QCOMPARE(allDevices(f, "off", 0, 0, 255, 128, 80).value("RESULTS").toInt(), 1);
        // Off: the cards' mode 00, the mouse a single colour of black.
        QVERIFY(f.gpuWrites().contains(SimGpuFixture::write(0, 0x01, "00 80 14")));
        mouse = f.mouse();
        const SimLighting& lighting = mouse.live.lighting[size_t(mouse.live.mouse.profile - 1)];
        QCOMPARE(QList<int>({lighting[1], lighting[2], lighting[4], lighting[5], lighting[6]}),
                 QList<int>({1, 128, 0, 0, 0}));
    }

    void unknownEffectSendsNothing()
    {
        AllDevicesFixture f;
        f.startWorker();
        f.gpu.clearLogs();
        const QVariantMap answer = allDevices(f, "sparkle", 255, 0, 0, 255, 80);
        QCOMPARE(answer.value("RESULTS").toInt(), -1);
        QVERIFY(answer.value("devices").toList().isEmpty());
        QVERIFY(f.gpuWrites().isEmpty());
    }

    // An effect one family lacks is left out for that family alone.
    void effectADeviceLacksIsSkippedForIt()
    {
        const SharedLightingEffect cardsOnly{"sync", "Sync", 9, 0};
        const QVector<GpuRecord> gpus{{0, "Card A", true}, {1, "Card B", false}};
        const QVector<LightingTarget> cards = gpuLightingTargets(gpus, cardsOnly, LightingValues());
        QCOMPARE(cards.size(), 2);
        QVERIFY(cards[0].skipped.isEmpty());
        QCOMPARE(cards[0].command.value("selectedMode").toInt(), 9);
        QCOMPARE(cards[1].skipped, QStringLiteral("no RGB lighting"));
        const LightingTarget mouse = mouseLightingTarget({{"Path", "/dev/hidraw9"}, {"name", "RM20"}}, cardsOnly, LightingValues());
        QVERIFY(mouse.command.isEmpty());
        QCOMPARE(mouse.skipped, QStringLiteral("no Sync effect"));
        QCOMPARE(mouse.device, QStringLiteral("Mouse RM20"));
    }

    void scalesOfTheMousePage()
    {
        QCOMPARE(mouseBrightness(255), 8);
        QCOMPARE(mouseBrightness(0), 0);
        QCOMPARE(mouseBrightness(128), 4);
        QCOMPARE(mouseCycleTime(0), 1);
        QCOMPARE(mouseCycleTime(80), 4);
        QCOMPARE(mouseCycleTime(500), 4);
    }
};

QTEST_GUILESS_MAIN(TestAllDevicesLighting)
#include "tst_all_devices_lighting.moc"
