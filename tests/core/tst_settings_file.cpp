// The settings file on every virtual device: export, a reset, import brings the devices and
// the data store back; a damaged, newer, foreign or other model's file is refused with the
// reason and changes nothing.
#include "all_devices_fixture.h"
#include "core/command_line_request.h"
#include "core/settings_file.h"

#include <QDir>
#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QUrl>
#include <QtTest>

namespace {

CommandLineResult run(AllDevicesFixture& f, const QStringList& arguments)
{
    const CommandLineParse parse = parseCommandLine(arguments);
    if (!parse.error.isEmpty())
        qWarning() << "refused:" << parse.error;
    return f.worker->runCommandLine(parse.request);
}

void writeJson(const QString& path, const QJsonDocument& document)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(document.toJson());
}

// Every file of the data folder with its bytes.
QMap<QString, QByteArray> storeContents(const QString& root)
{
    QMap<QString, QByteArray> contents;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            contents.insert(path.mid(root.size()), file.readAll());
    }
    return contents;
}

const QString kMouseFolder = QStringLiteral("/Mouse/3A910C5E77124BD08F26E1039C44B76A");

// What a user has set: a GPU effect and favourite, a mouse on profile 2 with its own DPI
// stages and lighting, a named custom headset preset in use, a linked game, a macro.
void setUpUserSettings(AllDevicesFixture& f)
{
    QCOMPARE(run(f, {"--gpu-effect", "ripple", "--color", "10e0a0", "--brightness", "180", "--speed", "20", "--gpu", "0"}).status, 0);
    f.bus->modifyFirmware([](SimFirmwareState& s) {
        s.live.mouse.dpiQuantity = 3;
        s.live.mouse.stages[1] = {1600, 1200, 0, 0, 255};
        s.live.lighting[1] = {6, 2, 128, 3, 200, 10, 20, 2, 128, 3, 200, 10, 20, 2, 128, 3, 200, 10, 20};
    });
    QCOMPARE(run(f, {"--mouse-profile", "2", "--mouse-dpi-stage", "2"}).status, 0);
    writeJson(f.dataFile("/GPU/userFavoriteData.json"),
              QJsonDocument(QJsonArray{QJsonObject{{"name", "1 Ripple"}, {"mode", 4}, {"brightness", 180}}}));
    writeJson(f.dataFile("/Headphone/userSettingsData_Headphone.json"),
              QJsonDocument(QJsonArray{QJsonObject{{"getlastAction", 6}, {"beforeOFF", 6}},
                                       QJsonObject{{"selectDtsOption", 6}, {"ModeName", "Night"}, {"dialogEnhance", 1},
                                                   {"bassControl", -1}, {"GEQ_Band0", 4}, {"GEQ_Band1", 0},
                                                   {"GEQ_Band2", 0}, {"GEQ_Band3", 0}, {"GEQ_Band4", 0},
                                                   {"GEQ_Band5", 0}, {"GEQ_Band6", 0}, {"GEQ_Band7", 0},
                                                   {"GEQ_Band8", 0}, {"GEQ_Band9", -3}}}));
    writeJson(f.dataFile("/Mouse/UserGameMap.json"),
              QJsonDocument(QJsonObject{{"570", QJsonObject{{"AppID", "570"}, {"GameName", "Dota 2"},
                                                            {"InstallDir", "/games/dota"}, {"GameProfile", 2},
                                                            {"Checked", true}}}}));
    writeJson(f.dataFile("/Mouse/UserMacroKeyData.json"),
              QJsonDocument(QJsonObject{{"mk_ListSize", 1},
                                        {"mk_AllData", QJsonArray{QJsonObject{{"macroName", "greet"}, {"macroKey", 31}}}}}));
    writeJson(f.dataFile(kMouseFolder + "/UserProfileName.json"),
              QJsonDocument(QJsonObject{{"hasProfileName", true}, {"userData", QJsonArray{QJsonObject{{"profileName", "Work"}}}}}));
}

// Another installation: nothing in the store, the mouse fresh from the factory, the cards
// dark, the headset on its defaults.
void resetEverything(AllDevicesFixture& f)
{
    for (const char* folder : {"/GPU", "/Mouse", "/Headphone"})
        QDir(f.dataFile(folder)).removeRecursively();
    f.bus->modifyFirmware([](SimFirmwareState& s) { s = factoryFirmwareState(); });
    QCOMPARE(run(f, {"--gpu-effect", "off", "--gpu", "0"}).status, 0);
    f.headset.state().restoreDefaults();
    f.headset.state().setActiveMode(1, 0);
}

} // namespace

class TestSettingsFile : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_files;
    QString file(const QString& name) const { return m_files.filePath(name); }

private slots:
    void exportResetImportRestoresTheDevices()
    {
        AllDevicesFixture f;
        setUpUserSettings(f);
        const SimFirmwareState mouseBefore = f.mouse();
        const QMap<QString, QByteArray> storeBefore = storeContents(f.headset.data.path());
        CommandLineResult result = run(f, {"--export-settings", file("all.json")});
        QCOMPARE(result.status, 0);
        QCOMPARE(result.output, QStringLiteral("Settings exported to %1\n").arg(file("all.json")));

        resetEverything(f);
        QVERIFY(f.mouse().live.mouse.profile != 2);
        f.gpu.clearLogs();

        result = run(f, {"--import-settings", file("all.json")});
        QVERIFY2(result.status == 0, qPrintable(result.output));

        // The mouse: profile, DPI stages and that profile's lighting as they were.
        const SimFirmwareState mouse = f.mouse();
        QCOMPARE(int(mouse.live.mouse.profile), 2);
        QCOMPARE(int(mouse.live.mouse.dpiQuantity), 3);
        QCOMPARE(int(mouse.live.mouse.dpiStage), 1);
        QCOMPARE(int(mouse.live.mouse.stages[1].x), 1600);
        QCOMPARE(int(mouse.live.mouse.stages[1].y), 1200);
        QCOMPARE(int(mouse.live.mouse.stages[1].blue), 255);
        QVERIFY(mouse.live.lighting[1] == mouseBefore.live.lighting[1]);
        // The card: the ripple written again (mode 08, brightness B4, wire speed 100 - 20).
        QVERIFY(f.gpuWrites().contains(SimGpuFixture::write(0, 0x01, "08 B4 50")));
        QVERIFY(f.gpuWrites().contains(SimGpuFixture::write(0, 0x30, "10 E0 A0")));
        // The headset: the custom slot in use again, with its gains.
        QCOMPARE(f.headset.state().headsetActiveMode(), QStringLiteral("APO4-Custom"));
        QCOMPARE(f.headset.state().headsetValue("APO4-Custom", "SFX:Eagle-GEQ Band0 Gain").value_or(99), 4);
        QCOMPARE(f.headset.state().headsetValue("APO4-Custom", "SFX:Eagle-GEQ Band9 Gain").value_or(99), -3);
        // The store: every file the user had, as it was (the files the import itself rewrites,
        // the GPU's last command and the mouse's settings record, keep their meaning).
        const QMap<QString, QByteArray> storeAfter = storeContents(f.headset.data.path());
        for (const QString& name : {QStringLiteral("/GPU/userFavoriteData.json"),
                                    QStringLiteral("/Headphone/userSettingsData_Headphone.json"),
                                    QStringLiteral("/Mouse/UserGameMap.json"), QStringLiteral("/Mouse/UserMacroKeyData.json"),
                                    kMouseFolder + QStringLiteral("/UserProfileName.json")})
            QVERIFY2(QJsonDocument::fromJson(storeAfter.value(name)) == QJsonDocument::fromJson(storeBefore.value(name)),
                     qPrintable(name));
        QVERIFY(storeAfter.contains("/GPU/userControlData.json"));
    }

    void refusedFilesChangeNothing_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("reason");
        QTest::newRow("cut short") << "cut" << "the file is damaged (";
        QTest::newRow("edited") << "edited" << "do not match its checksum";
        QTest::newRow("newer") << "newer" << "made by a newer Talvorin (format 2; this one reads format 1)";
        QTest::newRow("other JSON") << "foreign" << "not a Talvorin settings file";
        QTest::newRow("other mouse") << "mouse" << "the file is for the mouse ORVENA RM20, the connected mouse is ORVENA RM30";
        QTest::newRow("other card") << "card" << "the file is for the graphics card AMD Radeon RX 9070 XT, card 0 here is AMD Radeon RX 7900 XTX";
        QTest::newRow("path outside") << "path" << "unknown file: /../../outside.json";
        QTest::newRow("missing") << "missing" << "cannot be read";
    }
    void refusedFilesChangeNothing()
    {
        QFETCH(QString, damage);
        QFETCH(QString, reason);
        AllDevicesFixture f;
        setUpUserSettings(f);
        QCOMPARE(run(f, {"--export-settings", file("good.json")}).status, 0);
        QFile good(file("good.json"));
        QVERIFY(good.open(QIODevice::ReadOnly));
        const QByteArray bytes = good.readAll();
        QJsonObject settings = QJsonDocument::fromJson(bytes).object().value("settings").toObject();
        QByteArray bad = bytes;
        if (damage == "cut") {
            bad = bytes.left(bytes.size() / 2);
        } else if (damage == "edited") {
            bad.replace("\"Dota 2\"", "\"Dota 3\"");
        } else if (damage == "newer") {
            QJsonObject root = QJsonDocument::fromJson(bytes).object();
            root.insert("version", 2);
            bad = QJsonDocument(root).toJson();
        } else if (damage == "foreign") {
            bad = "{\"name\": \"Custom\", \"bands\": [1, 2, 3]}";
        } else if (damage == "mouse") {
            f.bus->modifyFirmware([](SimFirmwareState& s) { s.modelName = "ORVENA RM30"; });
        } else if (damage == "card") {
            QJsonObject devices = settings.value("devices").toObject();
            QJsonObject gpus = devices.value("gpus").toObject();
            gpus.insert("0", "AMD Radeon RX 9070 XT");
            devices.insert("gpus", gpus);
            settings.insert("devices", devices);
            bad = buildSettingsFile(settings);
        } else if (damage == "path") {
            QJsonObject files = settings.value("files").toObject();
            files.insert("/../../outside.json", QJsonObject{{"x", 1}});
            settings.insert("files", files);
            bad = buildSettingsFile(settings);
        }
        const QString path = file("bad.json");
        QFile::remove(path);
        if (damage != "missing") {
            QFile out(path);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(bad);
        }

        const QMap<QString, QByteArray> storeBefore = storeContents(f.headset.data.path());
        const SimFirmwareState mouseBefore = f.mouse();
        const int mouseWrites = int(f.bus->writes(0).size());
        f.gpu.clearLogs();
        const CommandLineResult result = run(f, {"--import-settings", path});
        QCOMPARE(result.status, int(kCommandFailed));
        QVERIFY2(result.output.contains(reason), qPrintable(result.output));
        QVERIFY(result.output.contains("Nothing was changed."));
        QCOMPARE(storeContents(f.headset.data.path()), storeBefore);
        QVERIFY(f.gpuWrites().isEmpty());
        QCOMPARE(int(f.mouse().live.mouse.profile), int(mouseBefore.live.mouse.profile));
        // Only the reads of the fresh discovery reached the mouse, no set command.
        for (size_t i = size_t(mouseWrites); i < f.bus->writes(0).size(); ++i)
            QVERIFY(f.bus->writes(0)[i].size() < 3 || f.bus->writes(0)[i][1] != 0x40);
    }

    // Without a mouse the rest still comes in; the message says what was left out.
    void importWithoutTheMouseTakesTheRest()
    {
        AllDevicesFixture f;
        setUpUserSettings(f);
        QCOMPARE(run(f, {"--export-settings", file("nomouse.json")}).status, 0);
        resetEverything(f);
        f.bus->unplug(0);
        f.gpu.clearLogs();
        const CommandLineResult result = run(f, {"--import-settings", file("nomouse.json")});
        QCOMPARE(result.status, 0);
        QVERIFY2(result.output.contains("the mouse's settings were left out: no mouse is connected"), qPrintable(result.output));
        QVERIFY(f.gpuWrites().contains(SimGpuFixture::write(0, 0x01, "08 B4 50")));
        QVERIFY(QFile::exists(f.dataFile("/Mouse/UserGameMap.json")));
        QVERIFY(!QFile::exists(f.dataFile(kMouseFolder + "/UserProfileName.json")));
    }

    // The home page's buttons: Control 20 and 21 with the file dialog's address.
    void homePageCommandsAnswerWithTheMessage()
    {
        AllDevicesFixture f;
        f.startWorker();
        QSignalSpy spy(f.worker.get(), &TALVORIN::dataChanged);
        const QString url = QUrl::fromLocalFile(file("home.json")).toString();
        f.worker->receiveDataFromQML({{"Control", 20}, {"filePath", url}});
        QTRY_VERIFY_WITH_TIMEOUT(!spy.isEmpty() && spy.last().first().toMap().value("Control").toInt() == 20, 20000);
        QVariantMap answer = spy.last().first().toMap();
        QCOMPARE(answer.value("RESULTS").toInt(), 1);
        QCOMPARE(answer.value("message").toString(), QStringLiteral("Settings exported to %1").arg(file("home.json")));
        QVERIFY(QFile::exists(file("home.json")));

        spy.clear();
        f.worker->receiveDataFromQML({{"Control", 21}, {"filePath", QUrl::fromLocalFile(file("none.json")).toString()}});
        QTRY_VERIFY_WITH_TIMEOUT(!spy.isEmpty() && spy.last().first().toMap().value("Control").toInt() == 21, 20000);
        answer = spy.last().first().toMap();
        QCOMPARE(answer.value("RESULTS").toInt(), -1);
        QVERIFY2(answer.value("message").toString().contains("cannot be read"), qPrintable(answer.value("message").toString()));
    }

    void checksumCoversTheWholeSettings()
    {
        const QJsonObject settings{{"files", QJsonObject{{"/GPU/userFavoriteData.json", QJsonArray{1.5, "x"}}}}};
        const SettingsFileContents read = readSettingsFile(buildSettingsFile(settings));
        QVERIFY2(read.refusal.isEmpty(), qPrintable(read.refusal));
        QCOMPARE(read.settings, settings);
        QVERIFY(readSettingsFile(QByteArray(kSettingsFileLimit + 1, ' ')).refusal.contains("too large"));
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settings_file.moc"
