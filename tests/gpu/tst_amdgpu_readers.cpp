// The readers of the Linux GPU library's kernel texts: the clock tables, temperature limits,
// the chip name table, the OEM bus names, and the recorded-tree format the other tests use.
#include "real/gpu/amdgpu_cards.h"
#include "real/gpu/amdgpu_ids.h"
#include "real/gpu/amdgpu_metrics.h"
#include "real/gpu/oem_i2c_bus.h"
#include "recorded_machine.h"

#include <QTemporaryDir>
#include <QtTest>

class TestAmdgpuReaders : public QObject {
    Q_OBJECT

private slots:
    void clockTablesGiveTheirBoundsAndStarredLevel()
    {
        const auto table = parseDpmTable(QStringLiteral("0: 500Mhz\n1: 1800Mhz *\n2: 2526Mhz\n"));
        QVERIFY(table.has_value());
        QCOMPARE(table->minMHz, 500);
        QCOMPARE(table->maxMHz, 2526);
        QCOMPARE(table->currentMHz.value_or(-1), 1800);

        // Deep-sleep level, "MHz" spelling, unordered levels, no star.
        const auto other = parseDpmTable(QStringLiteral("S: 19Mhz\n0: 1000MHz\n1: 96MHz\n"));
        QVERIFY(other.has_value());
        QCOMPARE(other->minMHz, 19);
        QCOMPARE(other->maxMHz, 1000);
        QVERIFY(!other->currentMHz.has_value());

        QVERIFY(!parseDpmTable(QString()).has_value());
        QVERIFY(!parseDpmTable(QStringLiteral("OD_SCLK:\nnot a level")).has_value());
    }

    void criticalTemperaturesOutsideReasonAreIgnored()
    {
        QCOMPARE(usableCriticalTemperature(100000).value_or(-1), 100);
        QCOMPARE(usableCriticalTemperature(149999).value_or(-1), 149);
        QVERIFY(!usableCriticalTemperature(150000).has_value());
        QVERIFY(!usableCriticalTemperature(0).has_value());
        QVERIFY(!usableCriticalTemperature(-273000).has_value());
    }

    void nameTableSkipsItsHeaderAndBadLines()
    {
        const AmdgpuIds ids = AmdgpuIds::parse("# comment, with, commas\n"
                                               "1.0.0\n"
                                               "744C,\tCE,\tAMD Radeon RX 7900 XTX\n"
                                               "73bf,\tc1,\tAMD Radeon RX 6900 XT, Special Edition\n"
                                               "ZZZZ,\t00,\tnot hex\n"
                                               "1681,\tC8,\t\n");
        QCOMPARE(int(ids.size()), 2);
        QCOMPARE(ids.name(0x744C, 0xCE), QStringLiteral("AMD Radeon RX 7900 XTX"));
        QCOMPARE(ids.name(0x73BF, 0xC1), QStringLiteral("AMD Radeon RX 6900 XT, Special Edition"));
        QCOMPARE(ids.name(0x744C, 0xC8), QString());
        QCOMPARE(cardName(ids, 0x744C, 0xC8), QStringLiteral("AMD Radeon Graphics 744C:C8"));
        QCOMPARE(int(AmdgpuIds::load(QStringLiteral("/nonexistent/amdgpu.ids")).size()), 0);
    }

    void onlyTheOemBusNamesCount()
    {
        QVERIFY(isOemBusName(QStringLiteral("AMDGPU DM i2c OEM bus")));
        QVERIFY(isOemBusName(QStringLiteral("AMDGPU i2c bit bus OEM 0x97\n")));
        QVERIFY(!isOemBusName(QStringLiteral("AMDGPU DM i2c hw bus 0")));
        QVERIFY(!isOemBusName(QStringLiteral("AMDGPU DM aux hw bus 2")));
        QVERIFY(!isOemBusName(QString()));
    }

    void malformedTreeLineIsReported()
    {
        QTemporaryDir dir;
        QString error;
        QVERIFY(RecordedMachine::unfold("[sys]\nvendor = 0x1002\n", dir.path(), &error));
        QVERIFY(!RecordedMachine::unfold("[sys]\njust a word\n", dir.path(), &error));
        QVERIFY(error.contains(QStringLiteral("line 2")));
    }
};

QTEST_GUILESS_MAIN(TestAmdgpuReaders)
#include "tst_amdgpu_readers.moc"
