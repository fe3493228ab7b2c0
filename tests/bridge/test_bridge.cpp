// The command slot and the map readers shared by every worker.
#include "bridge/bridge_object.h"
#include "bridge/command_slot.h"
#include "bridge/map_reading.h"

#include <QSignalSpy>
#include <QtTest>

class BridgeTest : public QObject {
    Q_OBJECT

private slots:
    void newestCommandWins()
    {
        CommandSlot slot;
        slot.replace({{"Control", 1}, {"selectedMode", 3}});
        slot.replace({{"Control", 4}});
        const CommandSlot::Taken taken = slot.take();
        QCOMPARE(taken.command.value("Control").toInt(), 4);
        QVERIFY(!taken.command.contains("selectedMode")); // replaced whole, not merged
    }

    void doneMarkDoesNotSwallowANewerCommand()
    {
        CommandSlot slot;
        slot.replace({{"Control", 0}});
        const CommandSlot::Taken running = slot.take();
        slot.replace({{"Control", 12}}); // placed by QML while the branch runs
        slot.setIfCurrent(running.generation, "Control", -1);
        QCOMPARE(slot.value("Control").toInt(), 12);

        const CommandSlot::Taken next = slot.take();
        slot.setIfCurrent(next.generation, "Control", -1);
        QCOMPARE(slot.value("Control").toInt(), -1);
    }

    void mergeKeepsOtherKeysAndCountsAsNewCommand()
    {
        CommandSlot slot;
        slot.replace({{"Control", 5}, {"qStr_MCU_UUID", "AB"}});
        const quint64 before = slot.take().generation;
        slot.merge({{"Control", 2}, {"profileNo", 1}, {"runFunction", 1}});
        const CommandSlot::Taken after = slot.take();
        QVERIFY(after.generation != before);
        QCOMPARE(after.command.value("Control").toInt(), 2);
        QCOMPARE(after.command.value("qStr_MCU_UUID").toString(), QString("AB"));
    }

    void readIntAcceptsWhatQmlSends()
    {
        const QVariantMap map{{"n", 3.0}, {"s", "12"}, {"f", "2.7"}, {"bad", "abc"}, {"huge", 1e20},
                              {"hugeText", "1e20"}, {"b", true}, {"neg", "-1"}};
        QCOMPARE(readInt(map, "n"), 3);
        QCOMPARE(readInt(map, "s"), 12);
        QCOMPARE(readInt(map, "f"), 2);
        QCOMPARE(readInt(map, "bad", -7), -7);
        QCOMPARE(readInt(map, "huge", -7), -7);
        QCOMPARE(readInt(map, "hugeText", -7), -7);
        QCOMPARE(readInt(map, "missing"), 0);
        QCOMPARE(readInt(map, "neg"), -1);
        QCOMPARE(readInt(map, "b"), 1);
        QCOMPARE(readString(map, "s"), QString("12"));
        QCOMPARE(readString(map, "missing"), QString());
    }

    void setDataSignalsOnlyChanges()
    {
        BridgeObject object;
        QSignalSpy spy(&object, &BridgeObject::dataChanged);
        object.setData({{"a", 1}});
        object.setData({{"a", 1}});
        object.setData({{"a", 2}});
        QCOMPARE(spy.count(), 2);
        QCOMPARE(object.getData().value("a").toInt(), 2);
        QSignalSpy listSpy(&object, &BridgeObject::dataListChanged);
        object.setDataList({1, 2});
        object.setDataList({1, 2});
        QCOMPARE(listSpy.count(), 1);
    }
};

QTEST_GUILESS_MAIN(BridgeTest)
#include "test_bridge.moc"
