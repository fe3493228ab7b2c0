// JSON list and object files, and the operating-mode XML.
#include "util/json_files.h"
#include "util/xml_modes.h"

#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void writeRaw(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class JsonXmlTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString file(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void listFromSingleObject()
    {
        writeRaw(file("single.json"), R"({"BatteryLevel_First": 20, "BatteryLevel_Second": 50})");
        const QList<QVariantMap> list = loadJsonList(file("single.json"));
        QCOMPARE(list.size(), 1);
        QCOMPARE(list.first().value("BatteryLevel_Second").toInt(), 50);
    }

    void listSkipsNonObjects()
    {
        writeRaw(file("mixed.json"), R"([{"a": 1}, 5, "x", {"b": 2}, null])");
        const QList<QVariantMap> list = loadJsonList(file("mixed.json"));
        QCOMPARE(list.size(), 2);
        QCOMPARE(list.at(1).value("b").toInt(), 2);
    }

    void listReadersFallBackToEmpty()
    {
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("File does not exist: "));
        QVERIFY(loadJsonList(file("none.json")).isEmpty());
        writeRaw(file("broken.json"), "[{\"a\": 1,");
        QTest::ignoreMessage(QtDebugMsg, "Invalid JSON format.");
        QVERIFY(loadJsonList(file("broken.json")).isEmpty());
    }

    void saveListCreatesFolderAndRoundTrips()
    {
        const QList<QVariantMap> list{{{"selectedMode", 3}, {"name", "1 Breathing"}}, {{"flag", true}}};
        const QString path = file("deep/er/list.json");
        QVERIFY(saveJsonList(list, path));
        const QList<QVariantMap> back = loadJsonList(path);
        QCOMPARE(back.size(), 2);
        QCOMPARE(back.at(0).value("name").toString(), QString("1 Breathing"));
        QCOMPARE(back.at(1).value("flag").type(), QVariant::Bool); // JSON types are kept
        QFile raw(path);
        QVERIFY(raw.open(QIODevice::ReadOnly));
        QVERIFY(raw.readAll().contains("\n    ")); // written indented
    }

    void objectFiles()
    {
        QVariantMap out;
        QVERIFY(!loadJsonObject(file("none.json"), out));
        QVERIFY(saveJsonObject(file("fw.json"), {{"name", "Headset-MP"}, {"version", "v8"}}));
        QVERIFY(loadJsonObject(file("fw.json"), out));
        QCOMPARE(out.value("version").toString(), QString("v8"));

        writeRaw(file("array.json"), "[1, 2]");
        QTest::ignoreMessage(QtWarningMsg, "JSON is not an object.");
        QVERIFY(!loadJsonObject(file("array.json"), out));
        writeRaw(file("bad.json"), "{oops");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("JSON parse error:"));
        QVERIFY(!loadJsonObject(file("bad.json"), out));
        QCOMPARE(out.value("version").toString(), QString("v8")); // untouched on failure
    }

    void removeMapsByKeyValueKeepsOrder()
    {
        QList<QVariantMap> list{{{"macroName", "a"}}, {{"macroName", "b"}}, {{"other", "a"}}, {{"macroName", "a"}}};
        removeMapsByKeyValue(list, "macroName", "a");
        QCOMPARE(list.size(), 2);
        QCOMPARE(list.at(0).value("macroName").toString(), QString("b"));
        QVERIFY(list.at(1).contains("other"));
    }

    void operatingModesFromXml()
    {
        writeRaw(file("modes.xml"), R"(<config>
  <operating_mode name="Music"><control name="SFX:Eagle-DE Enable">1</control>
    <control name="SFX:Eagle-GEQ Band0 Gain">-3</control></operating_mode>
  <operating_mode name="Off"><control name="SFX:Eagle-DE Enable">0</control></operating_mode>
</config>)");
        const QList<QVariantMap> modes = loadOperatingModesFromXml(file("modes.xml"));
        QCOMPARE(modes.size(), 2);
        QCOMPARE(modes.at(0).value("SFX:Eagle-GEQ Band0 Gain").toString(), QString("-3"));
        QCOMPARE(modes.at(1).value("SFX:Eagle-DE Enable").toString(), QString("0"));
    }

    void brokenXmlKeepsWhatWasRead()
    {
        writeRaw(file("cut.xml"), R"(<config><operating_mode><control name="a">1</control></operating_mode>
<operating_mode><control name="b">2</control>)");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("XML Error:"));
        const QList<QVariantMap> modes = loadOperatingModesFromXml(file("cut.xml"));
        QCOMPARE(modes.size(), 1);
        QCOMPARE(modes.first().value("a").toString(), QString("1"));
    }

    void missingXml()
    {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Unable to open file:"));
        QVERIFY(loadOperatingModesFromXml(file("none.xml")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(JsonXmlTest)
#include "test_json_xml.moc"
