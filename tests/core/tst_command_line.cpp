// The command line: what the parser takes and refuses, and requests run by the worker on the
// virtual cards, mouse and headset (register writes, the mouse's state, the headset's mode).
#include "all_devices_fixture.h"
#include "core/command_line_request.h"

#include <QtTest>

namespace {

CommandLineRequest parsed(const QStringList& arguments)
{
    const CommandLineParse parse = parseCommandLine(arguments);
    if (!parse.error.isEmpty())
        qWarning() << "unexpected refusal:" << parse.error;
    return parse.request;
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void parserTakesEveryOption()
    {
        const CommandLineParse parse = parseCommandLine(
            {"--list-devices", "--gpu-effect", "breathing", "--color", "#00ff80", "--brightness", "200", "--speed",
             "30", "--gpu", "2", "--mouse-profile", "3", "--mouse-dpi-stage", "2", "--headset-mode", "custom2"});
        QVERIFY2(parse.error.isEmpty(), qPrintable(parse.error));
        QVERIFY(parse.commandLine);
        const CommandLineRequest& r = parse.request;
        QVERIFY(r.listDevices);
        QCOMPARE(r.gpuEffect, QStringLiteral("breathing"));
        QCOMPARE(QList<int>({r.red, r.green, r.blue}), QList<int>({0, 255, 128}));
        QCOMPARE(r.brightness, 200);
        QCOMPARE(r.speed, 30);
        QCOMPARE(r.gpuIndex, 2);
        QCOMPARE(*r.mouseProfile, 3);
        QCOMPARE(*r.mouseDpiStage, 2);
        QCOMPARE(*r.headsetOption, 6);
        QCOMPARE(*parsed({"--headset-mode", "off"}).headsetOption, 8);
    }

    void parserRefusesWithTheReason_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("reason");
        QTest::newRow("unknown") << QStringList{"--list-devices", "--frobnicate"} << "unknown argument: --frobnicate";
        QTest::newRow("window option") << QStringList{"--list-devices", "--page", "gpu"} << "unknown argument: --page";
        QTest::newRow("missing value") << QStringList{"--mouse-profile"} << "--mouse-profile needs a value";
        QTest::newRow("profile 0") << QStringList{"--mouse-profile", "0"} << "--mouse-profile takes 1 to 5";
        QTest::newRow("profile 6") << QStringList{"--mouse-profile", "6"} << "--mouse-profile takes 1 to 5";
        QTest::newRow("stage text") << QStringList{"--mouse-dpi-stage", "two"} << "--mouse-dpi-stage takes 1 to 5";
        QTest::newRow("brightness 256") << QStringList{"--gpu-effect", "blink", "--brightness", "256"}
                                        << "--brightness takes 0 to 255";
        QTest::newRow("speed 81") << QStringList{"--gpu-effect", "blink", "--speed", "81"} << "--speed takes 0 to 80";
        QTest::newRow("short colour") << QStringList{"--gpu-effect", "blink", "--color", "fff"} << "--color takes";
        QTest::newRow("colour not hex") << QStringList{"--gpu-effect", "blink", "--color", "gg0000"} << "--color takes";
        QTest::newRow("effect") << QStringList{"--gpu-effect", "sparkle"} << "--gpu-effect takes one of";
        QTest::newRow("mode") << QStringList{"--headset-mode", "loud"} << "--headset-mode takes one of";
        QTest::newRow("colour alone") << QStringList{"--color", "ff0000"} << "go with --gpu-effect";
        QTest::newRow("both files") << QStringList{"--export-settings", "a", "--import-settings", "b"}
                                    << "cannot be used together";
    }
    void parserRefusesWithTheReason()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, reason);
        const CommandLineParse parse = parseCommandLine(arguments);
        QVERIFY(parse.commandLine);
        QVERIFY2(parse.error.contains(reason), qPrintable(parse.error));
    }

    void windowOptionsAloneOpenTheWindow()
    {
        QVERIFY(!asksForCommandLine({"--page", "gpu", "--screenshot", "/tmp/x.png"}));
        QVERIFY(!asksForCommandLine({}));
        QVERIFY(asksForCommandLine({"--help"}));
        QVERIFY(parseCommandLine({"-h"}).help);
    }

    void helpNamesEveryOption()
    {
        const QString help = commandLineHelp();
        for (const char* option : {"--list-devices", "--gpu-effect", "--color", "--brightness", "--speed", "--gpu ",
                                   "--mouse-profile", "--mouse-dpi-stage", "--headset-mode", "--export-settings",
                                   "--import-settings", "--help", "--page", "--screenshot", "rainbow", "custom3"})
            QVERIFY2(help.contains(QLatin1String(option)), option);
    }

    void listDevicesNamesEveryDevice()
    {
        AllDevicesFixture f;
        const CommandLineResult result = f.worker->runCommandLine(parsed({"--list-devices"}));
        QCOMPARE(result.status, int(kCommandWorked));
        const QStringList lines = result.output.split('\n', Qt::SkipEmptyParts);
        // The card without a lighting controller (library index 1) is not one of the listed.
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], QStringLiteral("GPU 0: AMD Radeon RX 7900 XTX (RGB lighting)"));
        QCOMPARE(lines[1], QStringLiteral("GPU 2: AMD Radeon RX 6900 XT (RGB lighting)"));
        QCOMPARE(lines[2], QStringLiteral("Mouse: ORVENA RM20 (2.4G)"));
        QCOMPARE(lines[3], QStringLiteral("Headset: Belvarinth ORVENA RH20"));
    }

    void listDevicesWithNothingConnected()
    {
        AllDevicesFixture f;
        f.bus->unplug(0);
        f.headset.unplug();
        const CommandLineResult result = f.worker->runCommandLine(parsed({"--list-devices"}));
        QCOMPARE(result.status, int(kCommandWorked));
        QVERIFY(result.output.contains("Mouse: none found\n"));
        QVERIFY(result.output.contains("Headset: none found\n"));
    }

    void gpuEffectReachesEveryCardWithLighting()
    {
        AllDevicesFixture f;
        f.gpu.clearLogs();
        const CommandLineResult result = f.worker->runCommandLine(
            parsed({"--gpu-effect", "breathing", "--color", "00ff00", "--brightness", "200", "--speed", "30"}));
        QCOMPARE(result.status, int(kCommandWorked));
        const QStringList writes = f.gpuWrites();
        // Breathing: mode 02, brightness C8, wire speed 80 - 30 = 0x32; type 0 colours on 30/31,
        // type 1 on 0E/0F; the card without a controller is left alone.
        QVERIFY(writes.contains(SimGpuFixture::write(0, 0x01, "02 C8 32")));
        QVERIFY(writes.contains(SimGpuFixture::write(0, 0x30, "00 FF 00")));
        QVERIFY(writes.contains(SimGpuFixture::write(2, 0x01, "02 C8 32")));
        QVERIFY(writes.contains(SimGpuFixture::write(2, 0x0E, "00 FF 00")));
        for (const QString& write : writes)
            QVERIFY2(!write.contains("gpu=1 "), qPrintable(write));
        QVERIFY(result.output.contains("Breathing #00FF00 set"));
        // Kept as the GPU page's last command, which the page shows after a restart.
        QVERIFY(QFile(f.dataFile("/GPU/userControlData.json")).exists());
    }

    void gpuEffectOnOneCardOrNone()
    {
        AllDevicesFixture f;
        f.gpu.clearLogs();
        CommandLineResult result = f.worker->runCommandLine(parsed({"--gpu-effect", "off", "--gpu", "2"}));
        QCOMPARE(result.status, int(kCommandWorked));
        const QStringList writes = f.gpuWrites();
        QVERIFY(!writes.isEmpty());
        for (const QString& write : writes)
            QVERIFY2(write.contains("gpu=2 "), qPrintable(write));
        QVERIFY(writes.contains(SimGpuFixture::write(2, 0x01, "00 FF 14"))); // off: mode 00

        result = f.worker->runCommandLine(parsed({"--gpu-effect", "rainbow", "--gpu", "1"}));
        QCOMPARE(result.status, int(kCommandFailed));
        QVERIFY2(result.output.contains("GPU 1: not found"), qPrintable(result.output));
        result = f.worker->runCommandLine(parsed({"--gpu-effect", "rainbow", "--gpu", "7"}));
        QCOMPARE(result.status, int(kCommandFailed));
        QVERIFY(result.output.contains("GPU 7: not found"));
    }

    void mouseProfileAndDpiStageReachTheMouse()
    {
        AllDevicesFixture f;
        f.bus->modifyFirmware([](SimFirmwareState& s) { s.live.mouse.dpiQuantity = 4; });
        const CommandLineResult result =
            f.worker->runCommandLine(parsed({"--mouse-profile", "3", "--mouse-dpi-stage", "4"}));
        QCOMPARE(result.status, int(kCommandWorked));
        QCOMPARE(int(f.mouse().live.mouse.profile), 3);
        QCOMPARE(int(f.mouse().live.mouse.dpiStage), 3);
        QCOMPARE(int(f.mouse().live.mouse.dpiQuantity), 4);
        QVERIFY(result.output.contains("Mouse: profile 3 selected\n"));
        QVERIFY(result.output.contains("Mouse: DPI stage 4 of 4 selected\n"));
    }

    void dpiStageBeyondTheMouseIsRefused()
    {
        AllDevicesFixture f;
        f.bus->modifyFirmware([](SimFirmwareState& s) {
            s.live.mouse.dpiQuantity = 2;
            s.live.mouse.dpiStage = 1;
        });
        const CommandLineResult result = f.worker->runCommandLine(parsed({"--mouse-dpi-stage", "3"}));
        QCOMPARE(result.status, int(kCommandFailed));
        QVERIFY2(result.output.contains("DPI stage 3 refused, the mouse uses 2 stages"), qPrintable(result.output));
        QCOMPARE(int(f.mouse().live.mouse.dpiStage), 1);
    }

    void missingMouseFails()
    {
        AllDevicesFixture f;
        f.bus->unplug(0);
        const CommandLineResult result = f.worker->runCommandLine(parsed({"--mouse-profile", "2"}));
        QCOMPARE(result.status, int(kCommandFailed));
        QCOMPARE(result.output, QStringLiteral("Mouse: none found\n"));
    }

    void headsetModeIsSelected()
    {
        AllDevicesFixture f;
        CommandLineResult result = f.worker->runCommandLine(parsed({"--headset-mode", "theater"}));
        QCOMPARE(result.status, int(kCommandWorked));
        QCOMPARE(f.headset.state().headsetActiveMode(), QStringLiteral("APO4-Movie"));
        result = f.worker->runCommandLine(parsed({"--headset-mode", "off"}));
        QCOMPARE(result.status, int(kCommandWorked));
        QCOMPARE(f.headset.state().headsetActiveMode(), QStringLiteral("APO4-Off"));

        f.headset.unplug();
        result = f.worker->runCommandLine(parsed({"--headset-mode", "music"}));
        QCOMPARE(result.status, int(kCommandFailed));
        QCOMPARE(result.output, QStringLiteral("Headset: none found\n"));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_command_line.moc"
