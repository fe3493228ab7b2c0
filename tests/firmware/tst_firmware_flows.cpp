// Firmware updates through the running worker: a local server serving the manifest, the
// headset images and real zip packages, and small stand-in flashing programs that print the
// tools' lines piece by piece.
#include "support/test_http_server.h"
#include "worker/worker_harness.h"
#include "zip_writer.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {

const QString kManifestPath = "/Qel/latest__version_v2.json";
// A package and a tool folder whose names a shell would trip over.
const QString kPackagePath = "/fw/RM20%20FW%20%26%20'x'.zip";
const QByteArray kWorkFolderName = "RM20 FW & 'x'";
const QString kToolFolderName = "tool dir \"quoted\" & 'more'";

// A shell script that prints each piece, pausing between them so that each arrives alone.
QByteArray script(const QStringList& pieces, const QByteArray& extra = {})
{
    QByteArray text = "#!/bin/sh\n" + extra;
    for (const QString& piece : pieces)
        text += "printf '%s\\n' '" + piece.toUtf8() + "'\nsleep 0.25\n";
    return text;
}

QVariantMap entry(const QString& name, const QString& version, const QString& link)
{
    return {{"name", name}, {"version", version}, {"downloadLink", link}};
}

void makeExecutable(const QString& path, const QByteArray& content)
{
    writeWholeFile(path, content);
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
}

} // namespace

class FirmwareFlowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestHttpServer> m_server;
    std::unique_ptr<WorkerHarness> m_worker;
    std::unique_ptr<QTemporaryDir> m_tools;

    QString toolFolder() const { return m_tools->path() + "/" + kToolFolderName; }
    QString workFolder() const { return m_worker->file("/Mouse/" + kWorkFolderName); }

    void serveManifest(const QString& mouseLink)
    {
        const QVariantList firmware = {
            entry("Headset-MP", "v8", m_server->url("/fw/headset_mp.bin")),
            entry("Headset-Mic", "v8-2", m_server->url("/fw/headset_mic.bin")),
            entry("Mouse-RF", "RF-1.2", mouseLink),
            entry("Mouse-NXP", "NXP-3.4", mouseLink),
            entry("Mouse-Dongle", "D-7", m_server->url("/fw/unused.bin")),
        };
        m_server->serveBytes(kManifestPath, QJsonDocument::fromVariant(QVariantMap{{"firmware", firmware}}).toJson(),
                             "application/json");
    }

    void servePackage(const QByteArray& fwScript, const QByteArray& dongleScript)
    {
        m_server->serveBytes(kPackagePath, zipBytes({{kWorkFolderName + "/FW.sh", fwScript, 0755},
                                                     {kWorkFolderName + "/Dongle.sh", dongleScript, 0755},
                                                     {kWorkFolderName + "/image.bin", "firmware image"}}));
    }

    // Places a command and waits until the worker has marked it done; the answers it gave.
    QList<QVariantMap> run(const QVariantMap& command)
    {
        const int from = m_worker->answers().size();
        m_worker->send(command);
        const bool done = QTest::qWaitFor(
            [this] { return m_worker->worker().commandSlot().value("Control").toInt() == -1; }, 20000);
        QCoreApplication::processEvents();
        if (!done)
            qWarning() << "the worker did not finish" << command;
        return m_worker->answers().mid(from);
    }

private slots:
    void init()
    {
        m_server = std::make_unique<TestHttpServer>();
        m_tools = std::make_unique<QTemporaryDir>();
        qputenv("TALVORIN_UPDATE_SERVER", m_server->baseUrl().toUtf8());
        qputenv("TALVORIN_HEADSET_TOOL_DIR", toolFolder().toUtf8());
        serveManifest(m_server->url(kPackagePath));
        m_server->serveBytes("/fw/headset_mp.bin", "main image");
        m_server->serveBytes("/fw/headset_mic.bin", "mic image");
        m_worker = std::make_unique<WorkerHarness>();
        m_worker->create();
        m_worker->worker().commandSlot().set("Control", -1);
        m_worker->start();
        QVERIFY(!run({{"Control", 11}}).isEmpty()); // the worker learns the firmware entries
    }

    void cleanup()
    {
        m_worker.reset();
        m_server.reset();
        m_tools.reset();
    }

    void headsetImagesAreDownloadedAndFlashed()
    {
        const QList<QVariantMap> downloaded = run({{"Control", 8}, {"runStep", 1}});
        QCOMPARE(downloaded.size(), 1);
        QCOMPARE(downloaded.first().value("runStep").toInt(), 1);
        QCOMPARE(readWholeFile(m_worker->file("/Headphone/headset_mp.bin")), QByteArray("main image"));
        QCOMPARE(readWholeFile(m_worker->file("/Headphone/headset_mic.bin")), QByteArray("mic image"));

        makeExecutable(toolFolder() + "/QEL_FW_mptool",
                       script({"QEL mptool 1.0", "OTA read device info success, 0%", "Please hold the power off button",
                               "write 100%", "OTA SUCCESS"},
                              "printf '%s' \"$1\" > argument.txt\n"));
        const QList<QVariantMap> answers = run({{"Control", 8}, {"runStep", 2}, {"FwSwitch", 1}});
        QList<int> statuses;
        for (const QVariantMap& answer : answers) {
            QCOMPARE(answer.value("Control").toInt(), 8);
            statuses.append(answer.value("Status").toInt());
        }
        QCOMPARE(statuses, QList<int>({1, 4, 3, 4, 5}));
        QVERIFY(answers.at(1).value("Info").toString().contains("0%"));
        // The tool ran in its own folder with the image's path as one argument.
        QCOMPARE(readWholeFile(toolFolder() + "/argument.txt"), m_worker->file("/Headphone/headset_mp.bin").toUtf8());
        const QJsonObject record = QJsonDocument::fromJson(readWholeFile(m_worker->file("/Headphone/fw_version.json"))).object();
        QCOMPARE(record, (QJsonObject{{"name", "Headset-MP"}, {"version", "v8"}}));
    }

    void failedHeadsetFlashRecordsNoVersion()
    {
        run({{"Control", 8}, {"runStep", 1}});
        makeExecutable(toolFolder() + "/QEL_FW_mptool", script({"Read device info FAIL"}));
        const QList<QVariantMap> answers = run({{"Control", 8}, {"runStep", 2}, {"FwSwitch", 2}});
        QCOMPARE(answers.size(), 1);
        QCOMPARE(answers.first().value("Status").toInt(), 2);
        QCOMPARE(answers.first().value("Info").toString(), QString("OTA read device info fail"));
        QVERIFY(!QFile::exists(m_worker->file("/Headphone/fw_version.json")));
    }

    void headsetFlashWithoutToolResultIsAFailure()
    {
        // Not downloaded, then no tool in its folder, then a tool that stops halfway: each time
        // the page hears that the update failed instead of waiting for ever.
        QList<QVariantMap> answers = run({{"Control", 8}, {"runStep", 2}, {"FwSwitch", 1}});
        QCOMPARE(answers.size(), 1);
        QCOMPARE(answers.first().value("Status").toInt(), 2);
        run({{"Control", 8}, {"runStep", 1}});
        answers = run({{"Control", 8}, {"runStep", 2}, {"FwSwitch", 1}});
        QCOMPARE(answers.size(), 1);
        QCOMPARE(answers.first().value("Control").toInt(), 8);
        QCOMPARE(answers.first().value("Status").toInt(), 2);
        makeExecutable(toolFolder() + "/QEL_FW_mptool", script({"write 40%"}) + "exit 3\n");
        answers = run({{"Control", 8}, {"runStep", 2}, {"FwSwitch", 2}});
        QList<int> statuses;
        for (const QVariantMap& answer : answers)
            statuses.append(answer.value("Status").toInt());
        QCOMPARE(statuses, QList<int>({4, 2}));
        QVERIFY(!QFile::exists(m_worker->file("/Headphone/fw_version.json")));
    }

    void firmwareNamedLikeUserDataIsNotFetched()
    {
        const QString mouseId = "0123456789ABCDEF0123456789ABCDEF";
        writeWholeFile(m_worker->file("/Headphone/userSettingsData_Headphone.json"), "[{\"getlastAction\": 3}]");
        writeWholeFile(m_worker->file("/Mouse/UserGameMap.json"), "{\"keep\": {}}");
        writeWholeFile(m_worker->file("/Mouse/" + mouseId + "/UserProfileName.json"), "{\"hasProfileName\": true}");
        const QVariantList firmware = {
            entry("Headset-MP", "v8", m_server->url("/fw/userSettingsData_Headphone.json")),
            entry("Headset-Mic", "v8-2", m_server->url("/fw/fw_version.json")),
            entry("Mouse-RF", "RF-1.2", m_server->url("/fw/UserGameMap.json")),
            entry("Mouse-NXP", "NXP-3.4", m_server->url("/fw/" + mouseId + ".zip")),
        };
        m_server->serveBytes(kManifestPath, QJsonDocument::fromVariant(QVariantMap{{"firmware", firmware}}).toJson(),
                             "application/json");
        for (const char* name : {"userSettingsData_Headphone.json", "fw_version.json", "UserGameMap.json"})
            m_server->serveBytes(QStringLiteral("/fw/") + name, "replaced");
        m_server->serveBytes("/fw/" + mouseId + ".zip", zipBytes({{"FW.sh", "#!/bin/sh\n", 0755}}));
        run({{"Control", 11}});

        QVERIFY(run({{"Control", 8}, {"runStep", 1}}).first().value("runStep").isNull());
        QCOMPARE(run({{"Control", 9}, {"FwSwitch", 0}}).first().value("download_completed").toInt(), -1);
        QCOMPARE(readWholeFile(m_worker->file("/Headphone/userSettingsData_Headphone.json")),
                 QByteArray("[{\"getlastAction\": 3}]"));
        QVERIFY(!QFile::exists(m_worker->file("/Headphone/fw_version.json")));
        QCOMPARE(readWholeFile(m_worker->file("/Mouse/UserGameMap.json")), QByteArray("{\"keep\": {}}"));
        QCOMPARE(readWholeFile(m_worker->file("/Mouse/" + mouseId + "/UserProfileName.json")),
                 QByteArray("{\"hasProfileName\": true}"));
        QCOMPARE(m_server->requestCount("/fw/UserGameMap.json"), 0);
        QCOMPARE(m_server->requestCount("/fw/" + mouseId + ".zip"), 0);
    }

    void mousePackageIsUnpackedAndTheMouseFlashed()
    {
        servePackage(script({"Erasing flash", "return code: 0", "Completed."}), script({}));
        writeWholeFile(workFolder() + "/left-over.txt", "from an older package");
        const QList<QVariantMap> downloaded = run({{"Control", 9}, {"FwSwitch", 0}});
        QCOMPARE(downloaded.size(), 1);
        QCOMPARE(downloaded.first().value("Control").toInt(), 9);
        QCOMPARE(downloaded.first().value("download_completed").toInt(), 1);
        QCOMPARE(downloaded.first().value("Mouse-RF").toString(), QString("RF-1.2"));
        QCOMPARE(downloaded.first().value("Mouse-NXP").toString(), QString("NXP-3.4"));
        QVERIFY(QFileInfo(workFolder() + "/FW.sh").isExecutable());
        QVERIFY(!QFile::exists(workFolder() + "/left-over.txt"));

        const QList<QVariantMap> answers = run({{"Control", 10}, {"FwSwitch", 1}});
        QCOMPARE(answers.size(), 1);
        QCOMPARE(answers.first().value("Control").toInt(), 9);
        QCOMPARE(answers.first().value("FwSwitch").toInt(), 1);
        QCOMPARE(answers.first().value("Status").toInt(), 1);
        QCOMPARE(answers.first().value("Info").toString(), QString("All tasks completed."));
        QVERIFY(!QFile::exists(m_worker->file("/Mouse/dongle_fw_version.json"))); // the mouse is not the dongle
    }

    void dongleRunRecordsItsVersionOnlyAfterSuccess()
    {
        servePackage(script({}), script({"Dongle update", "return code: 0", "Completed."}));
        const QList<QVariantMap> answers = run({{"Control", 9}, {"FwSwitch", 2}});
        QCOMPARE(answers.size(), 1);
        QCOMPARE(answers.first().value("FwSwitch").toInt(), 2);
        QCOMPARE(answers.first().value("Status").toInt(), 1);
        QCOMPARE(answers.first().value("download_completed").toInt(), 1);
        const QJsonObject record = QJsonDocument::fromJson(readWholeFile(m_worker->file("/Mouse/dongle_fw_version.json"))).object();
        QCOMPARE(record, (QJsonObject{{"name", "Mouse-Dongle"}, {"version", "D-7"}}));
    }

    void nonZeroReturnCodeFailsAndRecordsNothing()
    {
        QFETCH(QString, returnLine);
        servePackage(script({}), script({"Dongle update", returnLine, "Completed."}));
        const QList<QVariantMap> answers = run({{"Control", 9}, {"FwSwitch", 2}});
        QCOMPARE(answers.size(), 1);
        QCOMPARE(answers.first().value("Status").toInt(), -1);
        QCOMPARE(answers.first().value("Info").toString(), QString("Fail...!"));
        QVERIFY(!QFile::exists(m_worker->file("/Mouse/dongle_fw_version.json")));
    }

    void nonZeroReturnCodeFailsAndRecordsNothing_data()
    {
        QTest::addColumn<QString>("returnLine");
        QTest::newRow("one") << "return code: 1";
        QTest::newRow("ten") << "return code: 10";
        QTest::newRow("not a number") << "return code: ?";
    }

    void programEndingWithoutVerdictIsAFailure()
    {
        servePackage(script({"return code: 0"}), script({}));
        QCOMPARE(run({{"Control", 9}, {"FwSwitch", 0}}).first().value("download_completed").toInt(), 1);
        const QList<QVariantMap> answers = run({{"Control", 10}, {"FwSwitch", 1}});
        QCOMPARE(answers.size(), 1);
        QCOMPARE(answers.first().value("Status").toInt(), -1);
        QFile::remove(workFolder() + "/FW.sh");
        QCOMPARE(run({{"Control", 10}, {"FwSwitch", 1}}).value(0).value("Info").toString(), QString("Fail...!"));
    }

    void runnerStartsOnlyARegularFileInTheWorkFolder()
    {
        servePackage(script({"return code: 0", "Completed."}), script({}));
        QCOMPARE(run({{"Control", 9}, {"FwSwitch", 0}}).first().value("download_completed").toInt(), 1);
        // Whatever put it there, a link in the work folder is not followed to a program elsewhere.
        const QString marker = m_worker->file("/outside-ran");
        const QString outside = m_tools->path() + "/outside.sh";
        makeExecutable(outside, "#!/bin/sh\ntouch '" + marker.toUtf8() + "'\necho 'return code: 0'\necho Completed.\n");
        QVERIFY(QFile::remove(workFolder() + "/FW.sh"));
        QVERIFY(QFile::link(outside, workFolder() + "/FW.sh"));
        const QList<QVariantMap> answers = run({{"Control", 10}, {"FwSwitch", 1}});
        QCOMPARE(answers.value(0).value("Status").toInt(), -1);
        QVERIFY(!QFile::exists(marker));
    }

    void hostileArchiveIsRefusedWhole()
    {
        const QString marker = m_worker->file("/dongle-ran");
        m_server->serveBytes(kPackagePath,
                             zipBytes({{kWorkFolderName + "/Dongle.sh", "#!/bin/sh\ntouch '" + marker.toUtf8() + "'\n", 0755},
                                       {"../../escaped.sh", "#!/bin/sh\n", 0755},
                                       {"UserGameMap.json", "{}"}}));
        writeWholeFile(m_worker->file("/Mouse/UserGameMap.json"), "{\"keep\": {}}");
        const QList<QVariantMap> answers = run({{"Control", 9}, {"FwSwitch", 2}});
        QCOMPARE(answers.size(), 1);
        QCOMPARE(answers.first().value("download_completed").toInt(), -1);
        QVERIFY(!QFile::exists(workFolder()));
        QVERIFY(!QFile::exists(marker));
        QVERIFY(!QFile::exists(QFileInfo(m_worker->dataFolder()).dir().filePath("escaped.sh")));
        QVERIFY(!QFile::exists(m_worker->file("/escaped.sh")));
        QCOMPARE(readWholeFile(m_worker->file("/Mouse/UserGameMap.json")), QByteArray("{\"keep\": {}}"));
    }

    void packageUnpacksOnlyIntoItsWorkFolder()
    {
        // No top folder of the package's name: the package's content is the work folder.
        m_server->serveBytes(kPackagePath, zipBytes({{"FW.sh", script({"return code: 0", "Completed."}), 0755},
                                                     {"UserGameMap.json", "{}"}}));
        writeWholeFile(m_worker->file("/Mouse/UserGameMap.json"), "{\"keep\": {}}");
        QCOMPARE(run({{"Control", 9}, {"FwSwitch", 0}}).first().value("download_completed").toInt(), 1);
        QCOMPARE(readWholeFile(m_worker->file("/Mouse/UserGameMap.json")), QByteArray("{\"keep\": {}}"));
        QVERIFY(QFile::exists(workFolder() + "/UserGameMap.json"));
        QCOMPARE(run({{"Control", 10}, {"FwSwitch", 1}}).first().value("Status").toInt(), 1);
    }

    void linkThatNamesNoPlainFileIsNotFetched()
    {
        serveManifest(m_server->url("/fw/%2E%2E"));
        run({{"Control", 11}});
        const QList<QVariantMap> answers = run({{"Control", 9}, {"FwSwitch", 0}});
        QCOMPARE(answers.first().value("download_completed").toInt(), -1);
        QCOMPARE(m_server->requestCount("/fw/%2E%2E"), 0);
        QCOMPARE(QDir(m_worker->file("/Mouse")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    }
};

QTEST_GUILESS_MAIN(FirmwareFlowTest)
#include "tst_firmware_flows.moc"
