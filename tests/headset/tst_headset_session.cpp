// The DTS session against the stand-in component: opening and closing, finding the headset's
// endpoint, operating modes and named controls.
#include "devices/headset/dev_headphone.h"
#include "devices/headset/dts_control_names.h"
#include "headset_fixture.h"

#include <QtTest>

namespace {

const QString kGame = QStringLiteral("APO4-Game1");
const QString kMusic = QStringLiteral("APO4-Music");
const QString kVoice = QStringLiteral("APO4-Voice");
const QString kCustom = QStringLiteral("APO4-Custom");

QString sfx(const QString& name)
{
    return QStringLiteral("SFX:") + name;
}

} // namespace

class TestHeadsetSession : public QObject {
    Q_OBJECT

private slots:
    void locatesOnlyTheHeadsetEndpoint();
    void noEndpointWhenHeadsetIsNotTheDefaultRenderDevice();
    void failuresOfTheComponentAreLoggedAndClosed_data();
    void failuresOfTheComponentAreLoggedAndClosed();
    void stateOutlivesTheSession();
    void modeNamesMatchByContainmentIgnoringCase();
    void processingAndAutomaticContent();
    void controlsOfNamedModes();
    void controlsOfEveryMode();
    void activeModeControls();
    void operatingModeSettingsWriteTheFullSet();
    void restoreDefaultsOnlyInMatchingModes();
    void nullEndpointFailsEveryCall();
};

void TestHeadsetSession::locatesOnlyTheHeadsetEndpoint()
{
    HeadsetFixture fixture;
    DEV_HEADPHONE device(fixture.setup);
    LogCapture log;
    const QVariantMap answer = device.get_Headphone_Devices();
    QCOMPARE(answer.value(QStringLiteral("headphoneNum")).toInt(), 1);
    QCOMPARE(answer.value(QStringLiteral("headphoneName")).toString(), QStringLiteral("Belvarinth ORVENA RH20"));
    QVERIFY(log.contains(QStringLiteral("Locate the specified DTS endpoint: Belvarinth ORVENA RH20 喇叭")));
    QVERIFY(log.problems().isEmpty());
    // Every object handed out was released and the thread's use of the component ended.
    QCOMPARE(fixture.state().liveObjects.load(), 0);
    QCOMPARE(fixture.dts->openThreads(), 0);
    QVERIFY(log.contains(QStringLiteral("Release dtsApoSystem, endpointEnum, endpointInfo.")));
}

void TestHeadsetSession::noEndpointWhenHeadsetIsNotTheDefaultRenderDevice()
{
    HeadsetFixture fixture;
    fixture.state().setDefaultRender(VirtualDtsComponent::kSpeakers);
    DEV_HEADPHONE device(fixture.setup);
    QCOMPARE(device.get_Headphone_Devices().value(QStringLiteral("headphoneNum")).toInt(), 0);
    QCOMPARE(fixture.state().liveObjects.load(), 0);

    // No default render device at all: no GUID to look for, and no endpoint taken.
    fixture.state().setDefaultRender(-1);
    QCOMPARE(device.get_Headphone_Devices().value(QStringLiteral("headphoneNum")).toInt(), 0);
    fixture.state().setDefaultRender(VirtualDtsComponent::kHeadset);
    QCOMPARE(device.get_Headphone_Devices().value(QStringLiteral("headphoneNum")).toInt(), 1);
}

void TestHeadsetSession::failuresOfTheComponentAreLoggedAndClosed_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("message");
    QTest::newRow("no component") << "none" << "Failed to create DTSAPOSystem instance.";
    QTest::newRow("thread start") << "thread" << "Initialization of COM library failed.";
    QTest::newRow("creation") << "create" << "Failed to create DTSAPOSystem instance.";
    QTest::newRow("initialisation") << "initialize" << "Initialization of DTSAPOSystem failed.";
}

void TestHeadsetSession::failuresOfTheComponentAreLoggedAndClosed()
{
    QFETCH(QString, fault);
    QFETCH(QString, message);
    HeadsetFixture fixture;
    DeviceSetup setup = fixture.setup;
    if (fault == QLatin1String("none"))
        setup.dts.reset();
    fixture.dts->refuseThreadStart(fault == QLatin1String("thread"));
    fixture.dts->refuseCreation(fault == QLatin1String("create"));
    fixture.state().refuseInitialize = fault == QLatin1String("initialize");

    DEV_HEADPHONE device(setup);
    LogCapture log;
    const QVariantMap answer = device.get_Headphone_Devices();
    QCOMPARE(answer.value(QStringLiteral("headphoneNum")).toInt(), 0);
    QCOMPARE(log.problems(), QStringList{message});
    QCOMPARE(fixture.dts->openThreads(), 0);
    QCOMPARE(fixture.state().liveObjects.load(), 0);
}

void TestHeadsetSession::stateOutlivesTheSession()
{
    HeadsetFixture fixture;
    DEV_HEADPHONE device(fixture.setup);
    device.withSession([&](const DEV_HEADPHONE::Endpoint& endpoint) {
        QCOMPARE(device.SetDTSControlForAllOpModes_IntValue_DTS(endpoint, L"voice", L"Eagle-DE Level", 33), 1);
    });
    int read = 0;
    device.withSession([&](const DEV_HEADPHONE::Endpoint& endpoint) {
        read = device.GetDTSControlForAllOpModes_IntValue_DTS(endpoint, L"voice", L"Eagle-DE Level");
    });
    QCOMPARE(read, 33);
    QCOMPARE(fixture.dts->systemsCreated(), 2);
}

void TestHeadsetSession::modeNamesMatchByContainmentIgnoringCase()
{
    HeadsetFixture fixture;
    DEV_HEADPHONE device(fixture.setup);
    QVERIFY(device.BSTRContainsIgnoreCase(L"APO4-Music", L"music"));
    QVERIFY(device.BSTRContainsIgnoreCase(L"SFX:Eagle-GEQ Band3 Gain", L"band3"));
    QVERIFY(!device.BSTRContainsIgnoreCase(L"music", L"APO4-Music"));

    device.withSession([&](const DEV_HEADPHONE::Endpoint& endpoint) {
        QCOMPARE(device.SetOpMode_DTS(endpoint, L"MUSIC"), 1);
        QCOMPARE(fixture.state().headsetActiveMode(), kMusic);
        QCOMPARE(device.SetOpMode_DTS(endpoint, L"game7"), -1);
        QCOMPARE(fixture.state().headsetActiveMode(), kMusic);
    });
}

void TestHeadsetSession::processingAndAutomaticContent()
{
    HeadsetFixture fixture;
    DEV_HEADPHONE device(fixture.setup);
    device.withSession([&](const DEV_HEADPHONE::Endpoint& endpoint) {
        device.SetOpMode(endpoint, L"voice", true);
        QCOMPARE(fixture.state().headsetActiveMode(), kVoice);
        QVERIFY(fixture.state().headsetAutoContent(kVoice));
        QVERIFY(device.CheckDTSStatus(endpoint));

        device.ToggleDTSProcessing(endpoint, false);
        QVERIFY(!fixture.state().headsetProcessing(kVoice));
        QVERIFY(!fixture.state().headsetAutoContent(kVoice));
        QVERIFY(!device.CheckDTSStatus(endpoint));
        // Only the active mode is switched.
        QVERIFY(fixture.state().headsetProcessing(kMusic));

        device.Start_ToggleDTSProcessing(endpoint);
        QVERIFY(fixture.state().headsetProcessing(kVoice));
        QVERIFY(fixture.state().headsetAutoContent(kVoice));
        QVERIFY(device.CheckDTSStatus(endpoint));

        device.SetOpMode(endpoint, L"APO4-Off", false);
        QVERIFY(!device.CheckDTSStatus(endpoint));
    });
}

void TestHeadsetSession::controlsOfNamedModes()
{
    HeadsetFixture fixture;
    DEV_HEADPHONE device(fixture.setup);
    const int gameBefore = *fixture.state().headsetValue(kGame, sfx(QStringLiteral("Eagle-DE Level")));
    device.withSession([&](const DEV_HEADPHONE::Endpoint& endpoint) {
        QCOMPARE(device.SetDTSControlForAllOpModes_IntValue_DTS(endpoint, L"custom", L"Eagle-DE Level", 77), 1);
        QCOMPARE(device.GetDTSControlForAllOpModes_IntValue_DTS(endpoint, L"custom", L"Eagle-DE Level"), 77);
        QCOMPARE(device.SetDTSControlForAllOpModes_IntValue_DTS(endpoint, L"custom", L"Eagle-Nothing", 1), -1);
        QCOMPARE(device.GetDTSControlForAllOpModes_IntValue_DTS(endpoint, L"custom", L"Eagle-Nothing"), -1);
        QCOMPARE(device.SetDTSControlForAllOpModes_IntValue_DTS(endpoint, L"nomode", L"Eagle-DE Level", 1), -1);
    });
    QCOMPARE(*fixture.state().headsetValue(kCustom, sfx(QStringLiteral("Eagle-DE Level"))), 77);
    QCOMPARE(*fixture.state().headsetValue(kGame, sfx(QStringLiteral("Eagle-DE Level"))), gameBefore);
}

void TestHeadsetSession::controlsOfEveryMode()
{
    HeadsetFixture fixture;
    DEV_HEADPHONE device(fixture.setup);
    device.withSession([&](const DEV_HEADPHONE::Endpoint& endpoint) {
        device.SetDTSControlForAllOpModes_IntValue(endpoint, L"Eagle-HPF Freq", 120);
        device.SetDTSControlForAllOpModes_StrValue(endpoint, L"Eagle-LC Preset", QStringLiteral("Night"));
        // A text written to an integer control is refused by the component.
        device.SetDTSControlForAllOpModes_StrValue(endpoint, L"Eagle-HPF Order", QStringLiteral("4"));
    });
    const QStringList modes = fixture.state().headsetModeNames();
    QCOMPARE(modes.size(), 6);
    for (const QString& mode : modes) {
        QCOMPARE(*fixture.state().headsetValue(mode, sfx(QStringLiteral("Eagle-HPF Freq"))), 120);
        QCOMPARE(*fixture.state().headsetText(mode, sfx(QStringLiteral("Eagle-LC Preset"))), QStringLiteral("Night"));
        QCOMPARE(*fixture.state().headsetValue(mode, sfx(QStringLiteral("Eagle-HPF Order"))), 2);
    }
}

void TestHeadsetSession::activeModeControls()
{
    HeadsetFixture fixture;
    DEV_HEADPHONE device(fixture.setup);
    device.withSession([&](const DEV_HEADPHONE::Endpoint& endpoint) {
        device.SetOpMode_DTS(endpoint, L"movie");
        device.SetGEQControlValue(endpoint, L"Band2", -7);
        QCOMPARE(device.GetGEQControlValue(endpoint, L"Band2"), -7);
        device.SetDialogEnhancementAndBassControls(endpoint, L"Eagle-TBHDX Bass Level", 81);
        QCOMPARE(device.GetDialogEnhancementAndBassControlValue(endpoint, L"Eagle-TBHDX Bass Level"), 81);
        // The neighbouring "Bass Max Level" is another control and keeps its value.
        QCOMPARE(device.GetDialogEnhancementAndBassControlValue(endpoint, L"Eagle-TBHDX Bass Max Level"), 100);
    });
    QCOMPARE(*fixture.state().headsetValue(QStringLiteral("APO4-Movie"), sfx(QStringLiteral("Eagle-GEQ Band2 Gain"))), -7);
    QCOMPARE(*fixture.state().headsetValue(kMusic, sfx(QStringLiteral("Eagle-GEQ Band2 Gain"))), 0);
}

void TestHeadsetSession::operatingModeSettingsWriteTheFullSet()
{
    HeadsetFixture fixture;
    DEV_HEADPHONE device(fixture.setup);
    QVariantMap voice;
    for (const QVariantMap& mode : device.operatingModes()) {
        if (mode.value(QStringLiteral("APO4-Operating Mode")) == QLatin1String("Voice"))
            voice = mode;
    }
    QVERIFY(!voice.isEmpty());
    voice.insert(QStringLiteral("SFX:Eagle-GEQ Band3 Gain"), QStringLiteral("4"));
    // A control the map does not name keeps its value everywhere.
    voice.remove(QStringLiteral("SFX:Eagle-Treble Level"));
    fixture.state().setHeadsetValue(kMusic, sfx(QStringLiteral("Eagle-Treble Level")), 9);
    fixture.state().clearWriteLog();

    device.withSession([&](const DEV_HEADPHONE::Endpoint& endpoint) {
        device.DTS_Operating_Mode_Settings(endpoint, voice, QStringLiteral("Voice"));
    });

    QStringList gameWrites;
    for (const QString& write : fixture.state().writeLog()) {
        if (write.startsWith(kGame + QLatin1Char('/')))
            gameWrites << write.section(QLatin1Char('='), 0, 0).section(QLatin1Char('/'), 1);
    }
    QStringList expected;
    for (const QString& name : textControlNames() + integerControlNames()) {
        if (name != QLatin1String("Eagle-Treble Level"))
            expected << (name == QLatin1String("Eagle-Stereo Mode") ? name : sfx(name));
    }
    QCOMPARE(gameWrites, expected);
    for (const QString& mode : fixture.state().headsetModeNames()) {
        QCOMPARE(*fixture.state().headsetValue(mode, sfx(QStringLiteral("Eagle-GEQ Band3 Gain"))), 4);
        QCOMPARE(*fixture.state().headsetValue(mode, sfx(QStringLiteral("Eagle-HPF Enable"))), 1);
        QCOMPARE(*fixture.state().headsetText(mode, QStringLiteral("Eagle-Stereo Mode")), QStringLiteral("Normal"));
        QCOMPARE(*fixture.state().headsetText(mode, sfx(QStringLiteral("Eagle-I3DA Room Index"))), QStringLiteral("Booth"));
    }
    QCOMPARE(*fixture.state().headsetValue(kMusic, sfx(QStringLiteral("Eagle-Treble Level"))), 9);
}

void TestHeadsetSession::restoreDefaultsOnlyInMatchingModes()
{
    HeadsetFixture fixture;
    DEV_HEADPHONE device(fixture.setup);
    const QString level = sfx(QStringLiteral("Eagle-DE Level"));
    const QString band = sfx(QStringLiteral("Eagle-GEQ Band5 Gain"));
    const int customDefault = *fixture.state().headsetValue(kCustom, level);
    fixture.state().setHeadsetValue(kCustom, level, customDefault + 11);
    fixture.state().setHeadsetValue(kCustom, band, 6);
    fixture.state().setHeadsetValue(kGame, band, 6);

    int result = 0;
    device.withSession([&](const DEV_HEADPHONE::Endpoint& endpoint) {
        result = device.Restore_Default_Factory_Settings(endpoint, L"custom");
    });
    QCOMPARE(result, 1);
    QCOMPARE(*fixture.state().headsetValue(kCustom, level), customDefault);
    QCOMPARE(*fixture.state().headsetValue(kCustom, band), 0);
    QCOMPARE(*fixture.state().headsetValue(kGame, band), 6);

    device.withSession([&](const DEV_HEADPHONE::Endpoint& endpoint) {
        result = device.Restore_Default_Factory_Settings(endpoint, L"nomode");
    });
    QCOMPARE(result, -1);
}

void TestHeadsetSession::nullEndpointFailsEveryCall()
{
    HeadsetFixture fixture;
    DEV_HEADPHONE device(fixture.setup);
    const DEV_HEADPHONE::Endpoint none;
    QVERIFY(!device.CheckDTSStatus(none));
    QCOMPARE(device.SetOpMode_DTS(none, L"music"), -1);
    QCOMPARE(device.SetDTSControlForAllOpModes_IntValue_DTS(none, L"music", L"Band1", 1), -1);
    QCOMPARE(device.GetDTSControlForAllOpModes_IntValue_DTS(none, L"music", L"Band1"), -1);
    QCOMPARE(device.GetGEQControlValue(none, L"Band1"), -1);
    QCOMPARE(device.GetDialogEnhancementAndBassControlValue(none, L"Eagle-DE Enable"), -1);
    QCOMPARE(device.Restore_Default_Factory_Settings(none, L"custom"), -1);
    device.ToggleDTSProcessing(none, true);
    device.SetOpMode(none, L"music", true);
    device.SetDTSControlForAllOpModes_IntValue(none, L"Band1", 1);
    device.SetDTSControlForAllOpModes_StrValue(none, L"Eagle-LC Preset", QStringLiteral("x"));
    device.SetGEQControlValue(none, L"Band1", 1);
    device.DTS_Operating_Mode_Settings(none, device.operatingModes().value(0), QStringLiteral("Gaming"));
    QVERIFY(fixture.state().writeLog().isEmpty());
}

QTEST_GUILESS_MAIN(TestHeadsetSession)
#include "tst_headset_session.moc"
