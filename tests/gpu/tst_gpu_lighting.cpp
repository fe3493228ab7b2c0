// The lighting controller's register writes, compared byte for byte with the stand-in's
// transfer trace, on both controller types.
#include "devices/gpu/adlx_session.h"
#include "devices/gpu/dev_gpu.h"
#include "devices/gpu/lighting_frames.h"
#include "sim/gpu/stand_in_location.h"
#include "lighting_expectations.h"
#include "sim_gpu_fixture.h"

#include <QElapsedTimer>
#include <QtTest>

namespace {

QString hex(int value)
{
    return hexByte(value);
}

QStringList traced(int gpu, const QList<ExpectedWrite>& writes)
{
    QStringList lines;
    for (const ExpectedWrite& write : writes)
        lines << SimGpuFixture::write(gpu, write.reg, write.bytes);
    return lines;
}

QStringList fourWrites(int gpu, int colourA, int colourB, int modeCode, int brightness, int wireSpeed,
                       const QString& colour)
{
    return traced(gpu, fourRegisterWrites(colourA, colourB, modeCode, brightness, wireSpeed, colour));
}

} // namespace

Q_DECLARE_METATYPE(Effect)

class TestGpuLighting : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_sim.reset(new SimGpuFixture);
        // ADLX index 0: a type-0 board, index 1: a type-1 board; each controller takes only
        // the registers of its own type.
        m_sim->describeCards(
            {SimGpuFixture::card(QStringLiteral("744C"), QStringLiteral("CE"), QJsonObject{{QStringLiteral("controllerType"), 0}}),
             SimGpuFixture::card(QStringLiteral("73BF"), QStringLiteral("C1"), QJsonObject{{QStringLiteral("controllerType"), 1}})});
        m_gpu.reset(new DEV_GPU(m_sim->setup()));
        QCOMPARE(m_gpu->get_GPUDevicesInfo().value(QStringLiteral("gpuNum")).toInt(), 2);
        m_sim->clearLogs();
    }
    void cleanup()
    {
        m_gpu.reset();
        m_sim.reset();
    }

    void payloadsAreTheLowBytes()
    {
        QCOMPARE(modePayload(0x05, 300, 135 - 0), (LightingPayload{0x05, 0x2C, 0x87}));
        QCOMPARE(modePayload(0x02, 255, 80 - 90), (LightingPayload{0x02, 0xFF, 0xF6}));
        QCOMPARE(colourPayload(256, -1, 18), (LightingPayload{0x00, 0xFF, 0x12}));
        QCOMPARE(doubleBlinkTimingPayload(), (LightingPayload{0x00, 0x32, 0x96}));
        const LightingRegisters type1 = registersForProtocol(1, {});
        const LightingRegisters unknown = registersForProtocol(7, type1);
        QCOMPARE(unknown.colourA, 0x0E);
        QCOMPARE(unknown.colourB, 0x0F);
        QCOMPARE(unknown.sync, 0);
    }

    void everyEffectWritesItsRegisters_data()
    {
        QTest::addColumn<Effect>("run");
        QTest::addColumn<int>("modeCode");
        QTest::addColumn<int>("wireSpeed");
        QTest::addColumn<int>("stateMode");
        for (const EffectCase& effect : everyModeEffect())
            QTest::newRow(effect.name) << effect.run << effect.modeCode << effect.wireSpeed << effect.stateMode;
    }

    void everyEffectWritesItsRegisters()
    {
        QFETCH(Effect, run);
        QFETCH(int, modeCode);
        QFETCH(int, wireSpeed);
        QFETCH(int, stateMode);
        const QString colour = QStringLiteral("12 34 56");
        QCOMPARE(run(*m_gpu, 0), 1);
        QCOMPARE(run(*m_gpu, 1), 1);
        QCOMPARE(m_sim->trace(), fourWrites(0, kType0ColourA, kType0ColourB, modeCode, 200, wireSpeed, colour)
                                     + fourWrites(1, kType1ColourA, kType1ColourB, modeCode, 200, wireSpeed, colour));
        const auto& state = m_gpu->lightingState();
        QCOMPARE(state.at("mode"), stateMode);
        QCOMPARE(state.at("GPUindex"), 1);
        QCOMPARE(state.at("Brightness"), 200);
        QCOMPARE(state.at("Speed"), 30);
        QCOMPARE(state.at("rgb_g"), 0x34);
        // The controller holds the effect afterwards.
        QCOMPARE(readRegister(1, 0x01), hex(modeCode) + QStringLiteral(" C8 ") + hex(wireSpeed));
    }

    void breathingAtFullSpeedSendsZero()
    {
        QCOMPARE(m_gpu->click_breathing(0, 255, 80, 255, 0, 0), 1);
        QCOMPARE(m_sim->trace().value(1), SimGpuFixture::write(0, 0x01, QStringLiteral("02 FF 00")));
    }

    void doubleBlinkWritesFiveRegistersWithoutPauses()
    {
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(m_gpu->click_doubleBlink(1, 255, 0, 0, 0, 255), 1);
        // Four 50 ms pauses would take 200 ms; five unpaused sessions take a few.
        QVERIFY2(timer.elapsed() < 200, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(m_sim->trace(), QStringList({SimGpuFixture::write(1, 0x04, QStringLiteral("00 00 00")),
                                              SimGpuFixture::write(1, 0x01, QStringLiteral("05 FF 87")),
                                              SimGpuFixture::write(1, 0x02, QStringLiteral("00 32 96")),
                                              SimGpuFixture::write(1, 0x0E, QStringLiteral("00 00 FF")),
                                              SimGpuFixture::write(1, 0x0F, QStringLiteral("00 00 FF"))}));
        QCOMPARE(m_gpu->lightingState().at("mode"), 4);
        QCOMPARE(m_sim->countCalls(QStringLiteral("ADLXInitialize")), 5);
    }

    void fourRegisterCommandPausesBetweenWrites()
    {
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(m_gpu->click_meteor(0, 255, 0, 1, 2, 3), 1);
        QVERIFY(timer.elapsed() >= 200);
    }

    void lightingOnBeforeAnyEffectShowsCyan()
    {
        QCOMPARE(m_gpu->click_turnOnOff(0, 10, 10, 9, 9, 9, 1), 1);
        QCOMPARE(m_sim->trace(), fourWrites(0, 0x30, 0x31, 0x01, 100, 20, QStringLiteral("00 FF FF")));
    }

    void lightingOffKeepsTheEffectForOn()
    {
        QCOMPARE(m_gpu->click_ripple(1, 128, 30, 0xAA, 0xBB, 0xCC), 1);
        m_sim->clearLogs();
        QCOMPARE(m_gpu->click_turnOnOff(1, 128, 30, 0xAA, 0xBB, 0xCC, 0), 1);
        QCOMPARE(m_sim->trace(), fourWrites(1, 0x0E, 0x0F, 0x00, 128, 70, QStringLiteral("AA BB CC")));
        QCOMPARE(m_gpu->lightingState().at("mode"), 7);
        m_sim->clearLogs();
        // On again re-sends the ripple with its speed: 100 - 30.
        QCOMPARE(m_gpu->click_turnOnOff(1, 0, 0, 0, 0, 0, 1), 1);
        QCOMPARE(m_sim->trace(), fourWrites(1, 0x0E, 0x0F, 0x08, 128, 70, QStringLiteral("AA BB CC")));
    }

    void lightingOnRestoresEveryEffect_data() { everyEffectWritesItsRegisters_data(); }

    void lightingOnRestoresEveryEffect()
    {
        QFETCH(Effect, run);
        QFETCH(int, modeCode);
        QFETCH(int, wireSpeed);
        QCOMPARE(run(*m_gpu, 0), 1);
        QCOMPARE(m_gpu->click_turnOnOff(0, 200, 30, 0x12, 0x34, 0x56, 0), 1);
        m_sim->clearLogs();
        // "On" carries no effect of its own: the one before "off" comes back, not the default.
        QCOMPARE(m_gpu->click_turnOnOff(0, 9, 9, 9, 9, 9, 1), 1);
        QCOMPARE(m_sim->trace(), fourWrites(0, 0x30, 0x31, modeCode, 200, wireSpeed, QStringLiteral("12 34 56")));
    }

    void doubleBlinkFailsWhenAWriteInTheMiddleFails()
    {
        // The timing register (the third of five writes) is not acknowledged; the last two are.
        QJsonObject card = SimGpuFixture::card(QStringLiteral("744C"), QStringLiteral("CE"));
        card.insert(QStringLiteral("refusedWrites"), QJsonArray{0x02});
        m_sim->describeCards({card});
        DEV_GPU gpu(m_sim->setup());
        gpu.get_GPUDevicesInfo();
        m_sim->clearLogs();
        QCOMPARE(gpu.click_doubleBlink(0, 255, 0, 1, 2, 3), -1);
        const QStringList trace = m_sim->trace();
        QCOMPARE(trace.size(), 5);
        QVERIFY2(!trace[2].contains("code=0") && trace[4].contains("code=0"), qPrintable(trace.join('\n')));
        QCOMPARE(gpu.click_singleColor(0, 255, 0, 1, 2, 3), 1); // the other registers still work
    }

    void lightingOnRestoresDoubleBlinkWithItsTiming()
    {
        QCOMPARE(m_gpu->click_doubleBlink(0, 300, 35, 1, 2, 3), 1);
        m_sim->clearLogs();
        QCOMPARE(m_gpu->click_turnOnOff(0, 0, 0, 0, 0, 0, 1), 1);
        const QStringList trace = m_sim->trace();
        QCOMPARE(trace.size(), 5);
        QCOMPARE(trace[1], SimGpuFixture::write(0, 0x01, QStringLiteral("05 2C 64")));
        QCOMPARE(trace[2], SimGpuFixture::write(0, 0x02, QStringLiteral("00 32 96")));
    }

    void unknownOnOffValueWritesNothing()
    {
        QCOMPARE(m_gpu->click_turnOnOff(0, 255, 40, 255, 0, 0, 2), -1);
        QVERIFY(m_sim->trace().isEmpty());
        QVERIFY(m_sim->calls().isEmpty());
    }

    void syncUsesTheRegisterOfTheType()
    {
        QCOMPARE(m_gpu->sync_MotherBoard_State_On(0), 1);
        QCOMPARE(m_gpu->sync_MotherBoard_State_Off(0), 1);
        QCOMPARE(m_gpu->sync_MotherBoard_State_On(1), 1);
        QCOMPARE(m_gpu->sync_MotherBoard_State_Off(1), 1);
        QCOMPARE(m_sim->trace(), QStringList({SimGpuFixture::write(0, 0x04, QStringLiteral("01 01 01")),
                                              SimGpuFixture::write(0, 0x04, QStringLiteral("00 00 00")),
                                              SimGpuFixture::write(1, 0x12, QStringLiteral("01 01 01")),
                                              SimGpuFixture::write(1, 0x12, QStringLiteral("00 00 00"))}));
    }

    void failedWritesDoNotStopTheOthers()
    {
        QJsonObject card = SimGpuFixture::card(QStringLiteral("744C"), QStringLiteral("CE"));
        card.insert(QStringLiteral("codes"), QJsonObject{{QStringLiteral("Write"), 3}});
        m_sim->describeCards({card});
        DEV_GPU gpu(m_sim->setup());
        gpu.get_GPUDevicesInfo();
        m_sim->clearLogs();
        QCOMPARE(gpu.click_blink(0, 255, 0, 1, 2, 3), -1);
        QCOMPARE(m_sim->trace(), fourWrites(0, 0x30, 0x31, 0x04, 255, 100, QStringLiteral("01 02 03")).replaceInStrings(
                                     QStringLiteral("code=0"), QStringLiteral("code=3")));
        QCOMPARE(gpu.lightingState().at("mode"), 3);
        QCOMPARE(gpu.click_doubleBlink(0, 255, 0, 1, 2, 3), -1);
        QCOMPARE(m_sim->trace().size(), 9);
    }

    void wrongRegisterSetIsRefusedByTheController()
    {
        // A type-1 controller behind a board key the table calls type 0.
        m_sim->describeCards({SimGpuFixture::card(QStringLiteral("744C"), QStringLiteral("CE"),
                                                  QJsonObject{{QStringLiteral("controllerType"), 1}})});
        DEV_GPU gpu(m_sim->setup());
        gpu.get_GPUDevicesInfo();
        QCOMPARE(gpu.click_singleColor(0, 255, 0, 1, 2, 3), -1);
        QCOMPARE(gpu.sync_MotherBoard_State_On(0), 1); // 0x04 exists on both types
    }

    void cardWithoutProtocolEntryCountsAsTypeZero()
    {
        DEV_GPU fresh(m_sim->setup()); // no discovery ran on this object
        QCOMPARE(fresh.click_singleColor(0, 255, 0, 1, 2, 3), 1);
        QCOMPARE(m_sim->trace().value(2), SimGpuFixture::write(0, 0x30, QStringLiteral("01 02 03")));
    }

    void missingCardOrFailedSessionFailsWithoutWrites()
    {
        QCOMPARE(m_gpu->click_singleColor(5, 255, 0, 1, 2, 3), -1);
        QCOMPARE(m_gpu->sync_MotherBoard_State_On(5), -1);
        m_sim->describe(QJsonObject{{QStringLiteral("initialize"), 8}, {QStringLiteral("cards"), QJsonArray()}});
        QCOMPARE(m_gpu->click_singleColor(0, 255, 0, 1, 2, 3), -1);
        QCOMPARE(m_gpu->click_doubleBlink(0, 255, 0, 1, 2, 3), -1);
        QVERIFY(m_sim->trace().isEmpty());
        QCOMPARE(m_sim->countCalls(QStringLiteral("ADLXInitialize")), m_sim->countCalls(QStringLiteral("ADLXTerminate")));
    }

private:
    // What the controller of card `index` holds in `reg`, read in a session of our own.
    QString readRegister(int index, int reg)
    {
        AdlxSession session(deviceQueryLoader(), standInAdlxLibraryPath());
        IADLXGPUListPtr gpus;
        session.system()->GetGPUs(gpus.receive());
        IADLXGPUPtr card;
        gpus->At(adlx_uint(index), card.receive());
        IADLXI2CPtr i2c;
        session.system()->GetI2C(card.get(), i2c.receive());
        adlx_byte bytes[3] = {0, 0, 0};
        if (i2c->Read(1, 100, 0x44, reg, 3, bytes) != ADLX_OK)
            return QStringLiteral("unreadable");
        return hex(bytes[0]) + QLatin1Char(' ') + hex(bytes[1]) + QLatin1Char(' ') + hex(bytes[2]);
    }

    std::unique_ptr<SimGpuFixture> m_sim;
    std::unique_ptr<DEV_GPU> m_gpu;
};

QTEST_GUILESS_MAIN(TestGpuLighting)
#include "tst_gpu_lighting.moc"
