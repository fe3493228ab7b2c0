// The headset page's operations end to end against the virtual headset: sound options, the
// equaliser, custom slots and the settings file that keeps them.
#include "devices/headset/dev_headphone.h"
#include "headset_fixture.h"
#include "util/json_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kGame = QStringLiteral("APO4-Game1");
const QString kMusic = QStringLiteral("APO4-Music");
const QString kCustom = QStringLiteral("APO4-Custom");

QString band(int n)
{
    return QStringLiteral("SFX:Eagle-GEQ Band%1 Gain").arg(n);
}

QString key(int n)
{
    return QStringLiteral("GEQ_Band%1").arg(n);
}

const QString kDialog = QStringLiteral("SFX:Eagle-DE Enable");
const QString kBass = QStringLiteral("SFX:Eagle-TBHDX Enable");

QVariantMap run(DEV_HEADPHONE& device, const QVariantMap& command)
{
    device.receiveDataFromQML(command);
    return device.run_Headphone_Settings(command.value(QStringLiteral("runFunction")).toInt());
}

QVariantMap slotCommand(int option, const QString& name, const QList<int>& bands, int dialog, int bass)
{
    QVariantMap command{{QStringLiteral("runFunction"), 8}, {QStringLiteral("selectDtsOption"), option},
                        {QStringLiteral("ModeName"), name}, {QStringLiteral("dialogEnhance"), dialog},
                        {QStringLiteral("bassControl"), bass}};
    for (int n = 0; n < 10; ++n)
        command.insert(key(n), bands.value(n));
    return command;
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeScript(const QString& path, const QByteArray& body)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(body);
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace

class TestHeadsetSettings : public QObject {
    Q_OBJECT

private slots:
    void presetOptionForcesEveryBandToZero_data();
    void presetOptionForcesEveryBandToZero();
    void savingAPresetSlotDoesNothing();
    void customNamesFromTheSettingsFile();
    void customSlotSavedSelectedAndWritten();
    void switchesOffByMinusOneReadBackOff();
    void dtsOnAndOff();
    void setOpModeWritesOnlyTheMovedBandAndRemembersTheChoice();
    void setOpModeWritesTheEdgeBandsAndNothingPastThem();
    void setOpModePresetAnswersTheConfiguredValues();
    void processingOffShowsTheOptionBefore();
    void missingHeadsetTouchesNothing();
    void missingConfigurationLeavesNoModes();
    void peqTool();
};

void TestHeadsetSettings::presetOptionForcesEveryBandToZero_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("mode");
    QTest::newRow("gaming") << 1 << kGame;
    QTest::newRow("theater") << 3 << QStringLiteral("APO4-Movie");
}

void TestHeadsetSettings::presetOptionForcesEveryBandToZero()
{
    QFETCH(int, option);
    QFETCH(QString, mode);
    HeadsetFixture fixture;
    for (int n = 0; n < 10; ++n)
        fixture.state().setHeadsetValue(mode, band(n), n % 2 ? n : -n - 1);
    fixture.state().setHeadsetValue(mode, QStringLiteral("SFX:Eagle-GEQ Enable"), 0);
    fixture.state().setHeadsetValue(kMusic, band(4), 5);

    DEV_HEADPHONE device(fixture.setup);
    const QVariantMap answer =
        run(device, {{QStringLiteral("runFunction"), 5}, {QStringLiteral("selectDtsOption"), option}});

    QCOMPARE(fixture.state().headsetActiveMode(), mode);
    QCOMPARE(*fixture.state().headsetValue(mode, QStringLiteral("SFX:Eagle-GEQ Enable")), 1);
    for (int n = 0; n < 10; ++n) {
        QVERIFY2(answer.contains(key(n)), qPrintable(key(n)));
        QCOMPARE(answer.value(key(n)).toInt(), 0);
        QCOMPARE(*fixture.state().headsetValue(mode, band(n)), 0);
    }
    // Other modes keep their bands.
    QCOMPARE(*fixture.state().headsetValue(kMusic, band(4)), 5);
    QCOMPARE(answer.value(QStringLiteral("dialogEnhance")).toInt(), *fixture.state().headsetValue(mode, kDialog));
    QCOMPARE(answer.value(QStringLiteral("bassControl")).toInt(), *fixture.state().headsetValue(mode, kBass));
    QCOMPARE(answer.value(QStringLiteral("runFunction")).toInt(), 5);
    QCOMPARE(fixture.state().liveObjects.load(), 0);
}

void TestHeadsetSettings::savingAPresetSlotDoesNothing()
{
    HeadsetFixture fixture;
    DEV_HEADPHONE device(fixture.setup);
    run(device, slotCommand(3, QStringLiteral("Movie night"), {1, 2, 3}, 1, 1));
    QVERIFY(!QFile::exists(fixture.settingsPath()));

    run(device, slotCommand(5, QStringLiteral("Mine"), {1, 2, 3}, 1, 1));
    const QByteArray saved = fileBytes(fixture.settingsPath());
    QVERIFY(!saved.isEmpty());
    run(device, slotCommand(3, QStringLiteral("Movie night"), {4, 4, 4}, -1, -1));
    QCOMPARE(fileBytes(fixture.settingsPath()), saved);
}

void TestHeadsetSettings::customNamesFromTheSettingsFile()
{
    HeadsetFixture fixture;
    {
        DEV_HEADPHONE device(fixture.setup);
        const QVariantMap answer = run(device, {{QStringLiteral("runFunction"), 1}});
        QVERIFY(!answer.contains(QStringLiteral("hasUserData")));
        QCOMPARE(answer.value(QStringLiteral("custom1_Name")).toString(), QStringLiteral("Custom"));
        QCOMPARE(answer.value(QStringLiteral("custom3_Name")).toString(), QStringLiteral("Custom"));
    }
    QVERIFY(saveJsonList({{{QStringLiteral("getlastAction"), 7}},
                          {{QStringLiteral("selectDtsOption"), 5}, {QStringLiteral("ModeName"), QStringLiteral("Mine")}},
                          {{QStringLiteral("selectDtsOption"), 7},
                           {QStringLiteral("ModeName"), QStringLiteral("Other")},
                           {key(2), 6},
                           {QStringLiteral("dialogEnhance"), 1}}},
                         fixture.settingsPath()));
    DEV_HEADPHONE device(fixture.setup);
    const QVariantMap answer = run(device, {{QStringLiteral("runFunction"), 1}});
    QCOMPARE(answer.value(QStringLiteral("hasUserData")).toInt(), 1);
    QCOMPARE(answer.value(QStringLiteral("headphoneNum")).toInt(), 1);
    QCOMPARE(answer.value(QStringLiteral("getlastAction")).toInt(), 7);
    QCOMPARE(answer.value(QStringLiteral("custom1_Name")).toString(), QStringLiteral("Mine"));
    QCOMPARE(answer.value(QStringLiteral("custom2_Name")).toString(), QStringLiteral("Custom"));
    QCOMPARE(answer.value(QStringLiteral("custom3_Name")).toString(), QStringLiteral("Other"));
    // The last choice's values come with it.
    QCOMPARE(answer.value(key(2)).toInt(), 6);
    QCOMPARE(answer.value(QStringLiteral("dialogEnhance")).toInt(), 1);
}

void TestHeadsetSettings::customSlotSavedSelectedAndWritten()
{
    HeadsetFixture fixture;
    const QList<int> bands{-3, -2, -1, 0, 1, 2, 3, 4, 5, 6};
    {
        DEV_HEADPHONE device(fixture.setup);
        run(device, slotCommand(6, QStringLiteral("Bassy"), bands, 1, -1));
    }
    // A new device object (a restart) finds the slot again.
    DEV_HEADPHONE device(fixture.setup);
    const QVariantMap names = run(device, {{QStringLiteral("runFunction"), 1}});
    QCOMPARE(names.value(QStringLiteral("custom2_Name")).toString(), QStringLiteral("Bassy"));

    fixture.state().setHeadsetValue(kCustom, kBass, 1);
    const QVariantMap answer =
        run(device, {{QStringLiteral("runFunction"), 5}, {QStringLiteral("selectDtsOption"), 6}});
    QCOMPARE(fixture.state().headsetActiveMode(), kCustom);
    for (int n = 0; n < 10; ++n) {
        QCOMPARE(*fixture.state().headsetValue(kCustom, band(n)), bands[n]);
        QCOMPARE(answer.value(key(n)).toInt(), bands[n]);
    }
    QCOMPARE(*fixture.state().headsetValue(kCustom, kDialog), 1);
    QCOMPARE(*fixture.state().headsetValue(kCustom, kBass), 0);
    QCOMPARE(answer.value(QStringLiteral("dialogEnhance")).toInt(), 1);
    QCOMPARE(answer.value(QStringLiteral("bassControl")).toInt(), 0);

    // Saving the slot again replaces its record instead of adding a second one.
    run(device, slotCommand(6, QStringLiteral("Bassier"), bands, 1, 1));
    int records = 0;
    for (const QVariantMap& record : loadJsonList(fixture.settingsPath()))
        records += record.value(QStringLiteral("selectDtsOption")).toInt() == 6;
    QCOMPARE(records, 1);
}

void TestHeadsetSettings::switchesOffByMinusOneReadBackOff()
{
    HeadsetFixture fixture;
    fixture.state().setHeadsetValue(kCustom, kDialog, 1);
    fixture.state().setHeadsetValue(kCustom, kBass, 0);
    DEV_HEADPHONE device(fixture.setup);
    QVariantMap command = slotCommand(5, QStringLiteral("Quiet"), {}, -1, 1);
    command.insert(QStringLiteral("runFunction"), 9);
    QVariantMap answer = run(device, command);
    QCOMPARE(answer.value(QStringLiteral("dialogEnhance")).toInt(), 0);
    QCOMPARE(answer.value(QStringLiteral("bassControl")).toInt(), 1);
    QCOMPARE(*fixture.state().headsetValue(kCustom, kDialog), 0);
    QCOMPARE(*fixture.state().headsetValue(kCustom, kBass), 1);

    command.insert(QStringLiteral("bassControl"), -1);
    answer = run(device, command);
    QCOMPARE(answer.value(QStringLiteral("bassControl")).toInt(), 0);
    QCOMPARE(*fixture.state().headsetValue(kCustom, kBass), 0);

    // Selecting the slot later writes "off", not -1, into the controls.
    fixture.state().setHeadsetValue(kCustom, kDialog, 1);
    answer = run(device, {{QStringLiteral("runFunction"), 5}, {QStringLiteral("selectDtsOption"), 5}});
    QCOMPARE(*fixture.state().headsetValue(kCustom, kDialog), 0);
    QCOMPARE(answer.value(QStringLiteral("dialogEnhance")).toInt(), 0);

    // The switches of a preset are not the page's to change.
    command.insert(QStringLiteral("selectDtsOption"), 2);
    command.insert(QStringLiteral("dialogEnhance"), 1);
    fixture.state().clearWriteLog();
    run(device, command);
    QVERIFY(fixture.state().writeLog().isEmpty());
}

void TestHeadsetSettings::dtsOnAndOff()
{
    HeadsetFixture fixture;
    DEV_HEADPHONE device(fixture.setup);
    QVariantMap answer = run(device, {{QStringLiteral("runFunction"), 2}});
    QCOMPARE(answer.value(QStringLiteral("isDTSOn")).toInt(), 1);
    QCOMPARE(answer.value(QStringLiteral("runFunction")).toInt(), 2);
    QCOMPARE(fixture.state().headsetActiveMode(), kMusic);

    answer = run(device, {{QStringLiteral("runFunction"), 3}});
    QCOMPARE(answer.value(QStringLiteral("isDTSOn")).toInt(), 0);
    QCOMPARE(fixture.state().headsetActiveMode(), QStringLiteral("APO4-Off"));

    answer = run(device, {{QStringLiteral("runFunction"), 2}});
    QCOMPARE(answer.value(QStringLiteral("isDTSOn")).toInt(), 1);
    QCOMPARE(fixture.state().liveObjects.load(), 0);
    QCOMPARE(fixture.dts->openThreads(), 0);
}

void TestHeadsetSettings::setOpModeWritesOnlyTheMovedBandAndRemembersTheChoice()
{
    HeadsetFixture fixture;
    for (int n = 0; n < 10; ++n)
        fixture.state().setHeadsetValue(kCustom, band(n), 2);
    DEV_HEADPHONE device(fixture.setup);
    run(device, slotCommand(7, QStringLiteral("Late"), {2, 2, 2, 2, 2, 2, 2, 2, 2, 2}, 0, 0));

    QVariantMap command{{QStringLiteral("runFunction"), 7}, {QStringLiteral("selectDtsOption"), 7},
                        {QStringLiteral("indexGEQ"), 4}, {key(4), 8}, {key(5), -9}};
    const QVariantMap answer = run(device, command);
    QCOMPARE(fixture.state().headsetActiveMode(), kCustom);
    QCOMPARE(*fixture.state().headsetValue(kCustom, band(4)), 8);
    QCOMPARE(*fixture.state().headsetValue(kCustom, band(5)), 2);
    QCOMPARE(answer.value(key(4)).toInt(), 8);
    QCOMPARE(answer.value(QStringLiteral("APO4-Operating Mode")).toString(), QStringLiteral("Late"));
    QCOMPARE(answer.value(QStringLiteral("ModeName")).toString(), QStringLiteral("Late"));

    const QList<QVariantMap> records = loadJsonList(fixture.settingsPath());
    int lastAction = 0;
    for (const QVariantMap& record : records) {
        if (record.contains(QStringLiteral("getlastAction")))
            lastAction = record.value(QStringLiteral("getlastAction")).toInt();
    }
    QCOMPARE(lastAction, 7);
    // The slot itself is saved only by the save operation.
    bool slotKept = false;
    for (const QVariantMap& record : records)
        slotKept |= record.value(QStringLiteral("selectDtsOption")).toInt() == 7 && record.value(key(4)).toInt() == 2;
    QVERIFY(slotKept);

    // No band moved: nothing but the equaliser switch is written.
    fixture.state().clearWriteLog();
    command.insert(QStringLiteral("indexGEQ"), -1);
    run(device, command);
    QCOMPARE(fixture.state().writeLog(), QStringList{kCustom + QStringLiteral("/SFX:Eagle-GEQ Enable=1")});
}

void TestHeadsetSettings::setOpModeWritesTheEdgeBandsAndNothingPastThem()
{
    HeadsetFixture fixture;
    DEV_HEADPHONE device(fixture.setup);
    const QString enable = kCustom + QStringLiteral("/SFX:Eagle-GEQ Enable=1");
    for (int index : {0, 9, 10}) {
        fixture.state().clearWriteLog();
        QVariantMap command{{QStringLiteral("runFunction"), 7}, {QStringLiteral("selectDtsOption"), 7},
                            {QStringLiteral("indexGEQ"), index}};
        for (int n = 0; n < 11; ++n)
            command.insert(key(n), 3 + n);
        run(device, command);
        QStringList expected{enable};
        if (index <= 9)
            expected << kCustom + QLatin1Char('/') + band(index) + QLatin1Char('=') + QString::number(3 + index);
        QCOMPARE(fixture.state().writeLog(), expected);
    }
    QCOMPARE(*fixture.state().headsetValue(kCustom, band(9)), 12);
}

void TestHeadsetSettings::setOpModePresetAnswersTheConfiguredValues()
{
    HeadsetFixture fixture;
    DEV_HEADPHONE device(fixture.setup);
    const QVariantMap answer =
        run(device, {{QStringLiteral("runFunction"), 7}, {QStringLiteral("selectDtsOption"), 3}});
    QCOMPARE(fixture.state().headsetActiveMode(), QStringLiteral("APO4-Movie"));
    QCOMPARE(answer.value(QStringLiteral("APO4-Operating Mode")).toString(), QStringLiteral("Theater"));
    QCOMPARE(answer.value(QStringLiteral("dialogEnhance")).toInt(), 1);
    QCOMPARE(answer.value(QStringLiteral("bassControl")).toInt(), 1);

    const QVariantMap voice =
        run(device, {{QStringLiteral("runFunction"), 7}, {QStringLiteral("selectDtsOption"), 4}});
    QCOMPARE(voice.value(QStringLiteral("APO4-Operating Mode")).toString(), QStringLiteral("Voice"));
    QCOMPARE(voice.value(QStringLiteral("bassControl")).toInt(), 0);
}

void TestHeadsetSettings::processingOffShowsTheOptionBefore()
{
    HeadsetFixture fixture;
    QVERIFY(saveJsonList({{{QStringLiteral("getlastAction"), 8}, {QStringLiteral("beforeOFF"), 5}},
                          {{QStringLiteral("selectDtsOption"), 5}, {QStringLiteral("ModeName"), QStringLiteral("Mine")},
                           {key(0), -4}}},
                         fixture.settingsPath()));
    DEV_HEADPHONE device(fixture.setup);
    const QVariantMap answer = device.get_Headphone_Devices();
    QCOMPARE(answer.value(QStringLiteral("getlastAction")).toInt(), 8);
    QCOMPARE(answer.value(QStringLiteral("beforeOFF")).toInt(), 5);
    QCOMPARE(answer.value(key(0)).toInt(), -4);
}

void TestHeadsetSettings::missingHeadsetTouchesNothing()
{
    HeadsetFixture fixture;
    DEV_HEADPHONE device(fixture.setup);
    QCOMPARE(device.get_Headphone_Devices().value(QStringLiteral("headphoneNum")).toInt(), 1);
    fixture.unplug();
    LogCapture log;
    const QVariantMap answer =
        run(device, {{QStringLiteral("runFunction"), 5}, {QStringLiteral("selectDtsOption"), 1}});
    QCOMPARE(log.problems(), QStringList{QStringLiteral("USB device is not connect. ")});
    QCOMPARE(answer.value(QStringLiteral("headphoneNum")).toInt(), 0);
    QCOMPARE(device.get_Headphone_Devices().value(QStringLiteral("headphoneNum")).toInt(), 0);
    QCOMPARE(fixture.dts->systemsCreated(), 1);
}

void TestHeadsetSettings::missingConfigurationLeavesNoModes()
{
    HeadsetFixture fixture;
    QTemporaryDir empty;
    DeviceSetup setup = fixture.setup;
    setup.headsetFilesDir = empty.path();
    LogCapture log;
    DEV_HEADPHONE device(setup);
    QVERIFY(device.operatingModes().isEmpty());
    QVERIFY(log.contains(QStringLiteral("Unable to open file:")));

    // The shipped file has one map per mode, named for the page.
    DEV_HEADPHONE shipped(fixture.setup);
    QStringList names;
    for (const QVariantMap& mode : shipped.operatingModes())
        names << mode.value(QStringLiteral("APO4-Operating Mode")).toString();
    QCOMPARE(names, (QStringList{"Gaming", "Music", "Theater", "Voice", "Custom", "Off"}));
}

void TestHeadsetSettings::peqTool()
{
    HeadsetFixture fixture;
    QTemporaryDir tools;
    DeviceSetup setup = fixture.setup;
    setup.headsetFilesDir = tools.path();
    DEV_HEADPHONE device(setup);
    LogCapture log;
    QCOMPARE(device.SetPEQParameter(), -1);
    QVERIFY(log.contains(QStringLiteral("Failed to run the program via run_Software.")));

    // A tool that is there but cannot be started fails the same way.
    writeScript(tools.path() + QStringLiteral("/initialPEQ/initialPEQ.exe"), "not a program\n");
    QFile::setPermissions(tools.path() + QStringLiteral("/initialPEQ/initialPEQ.exe"), QFile::ReadOwner);
    QCOMPARE(device.SetPEQParameter(), -1);
    QFile::remove(tools.path() + QStringLiteral("/initialPEQ/initialPEQ.exe"));

    writeScript(tools.path() + QStringLiteral("/initialPEQ/initialPEQ"),
                "#!/bin/sh\ntouch \"$(dirname \"$0\")/loaded\"\n");
    QCOMPARE(device.SetPEQParameter(), 1);
    QVERIFY(QFile::exists(tools.path() + QStringLiteral("/initialPEQ/loaded")));
}

QTEST_GUILESS_MAIN(TestHeadsetSettings)
#include "tst_headset_settings.moc"
