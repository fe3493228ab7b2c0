// Server information (Control 11) and the application update (Control 7): through the running
// worker, and through the branch alone where the worker keeps the result to itself.
#include "core/device_setup.h"
#include "core/installer.h"
#include "core/talvorin.h"
#include "core/update_branch.h"
#include "support/test_http_server.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

const QString kManifestPath = QStringLiteral("/Qel/latest__version_v2.json");
const QStringList kLinkNames = {"HomePage-FAQ",       "HomePage-ReleaseNote", "HomePage-ContactUs", "GPU-Support",
                                "Headset-UserManual", "Mouse-UserManual",     "Mouse-ReleaseNote"};

QVariantMap entry(const QString& name, const QString& version, const QString& link = QString())
{
    return {{"name", name}, {"version", version}, {"downloadLink", link}};
}

QByteArray manifestJson(const QVariantList& software, const QVariantList& firmware = {},
                        const QVariantList& hyperlinks = {})
{
    const QVariantMap root{{"software", software}, {"firmware", firmware}, {"hyperlink", hyperlinks}};
    return QJsonDocument::fromVariant(root).toJson();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QVariantMap lastWithControl(const QList<QVariantMap>& answers, int control)
{
    for (int i = answers.size() - 1; i >= 0; --i) {
        if (answers.at(i).value("Control").toInt() == control)
            return answers.at(i);
    }
    return {};
}

// Re-emits the worker's answers in the test's thread, where QSignalSpy may read them safely.
class AnswerRelay : public QObject {
    Q_OBJECT
signals:
    void answered(QVariantMap answer);
};

// A running worker with its own data folder, talking to the given server.
class RunningWorker {
public:
    explicit RunningWorker(const TestHttpServer& server)
    {
        qputenv("TALVORIN_UPDATE_SERVER", server.baseUrl().toUtf8());
        worker = std::make_unique<TALVORIN>(makeDeviceSetup(true), data.path());
        QObject::connect(worker.get(), &TALVORIN::dataChanged, &relay, &AnswerRelay::answered);
        // Nothing pending at start, so the worker does not begin with a discovery.
        worker->commandSlot().set("Control", -1);
        worker->start();
    }
    ~RunningWorker()
    {
        worker->stopThread();
        worker->wait(5000);
    }

    // Places the command and waits until the worker has marked it done.
    bool run(const QVariantMap& command, int timeoutMs = 10000)
    {
        worker->receiveDataFromQML(command);
        const bool done =
            QTest::qWaitFor([this] { return worker->commandSlot().value("Control").toInt() == -1; }, timeoutMs);
        // Answers published just before the command was marked done are still queued.
        QCoreApplication::processEvents();
        return done;
    }

    QList<QVariantMap> answers() const
    {
        QList<QVariantMap> list;
        for (const QList<QVariant>& arguments : spy)
            list.append(arguments.first().toMap());
        return list;
    }

    QTemporaryDir data;
    AnswerRelay relay;
    QSignalSpy spy{&relay, &AnswerRelay::answered};
    std::unique_ptr<TALVORIN> worker;
};

// The branch alone, with a context built the way the worker builds it for one turn.
class BranchTurn {
public:
    explicit BranchTurn(const HttpOptions& httpOptions) : store(data.path()), service(httpOptions), branch(service) {}
    explicit BranchTurn(const TestHttpServer& server) : BranchTurn(options(server)) {}

    void run(int control)
    {
        slot.replace({{"Control", control}, {"profileNo", 2}, {"runFunction", 5}});
        const CommandSlot::Taken taken = slot.take();
        WorkerContext ctx{slot,  taken.generation, taken.command, answer, state, store,
                          [this](const QVariantMap& map) { published.append(map); }};
        if (control == 11)
            branch.runServerInformation(ctx);
        else
            branch.runApplicationUpdate(ctx);
    }

    static HttpOptions options(const TestHttpServer& server)
    {
        HttpOptions options;
        options.serverBase = server.baseUrl();
        options.connectTimeoutMs = 1000;
        options.stallTimeoutMs = 800;
        return options;
    }

    QTemporaryDir data;
    DataStore store;
    CommandSlot slot;
    WorkerState state;
    QVariantMap answer;
    QList<QVariantMap> published;
    UpdateService service;
    UpdateBranch branch;
};

} // namespace

class UpdateBranchTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_home;
    QString m_downloads;

private slots:
    void initTestCase()
    {
        // The user's download folder, as the desktop's user-dirs file names it.
        m_downloads = m_home.filePath("Downloads");
        qputenv("XDG_CONFIG_HOME", m_home.path().toUtf8());
        writeFile(m_home.filePath("user-dirs.dirs"), "XDG_DOWNLOAD_DIR=\"" + m_downloads.toUtf8() + "\"\n");
        qputenv("TALVORIN_HTTP_CONNECT_TIMEOUT_MS", "1000");
        qputenv("TALVORIN_HTTP_STALL_TIMEOUT_MS", "800");
        QCOMPARE(installerFolder(), m_downloads);
    }

    void init()
    {
        QDir(m_downloads).removeRecursively();
    }

    void serverInformationComparesVersions_data()
    {
        QTest::addColumn<QByteArray>("localVersion"); // empty: no version.txt
        QTest::addColumn<QString>("serverVersion");
        QTest::addColumn<QByteArray>("localDongle"); // empty: no dongle record
        QTest::addColumn<QString>("serverDongle");
        QTest::addColumn<int>("updateApp");
        QTest::addColumn<int>("dongleUpdate");
        QTest::addColumn<QString>("appVersion");
        QTest::newRow("both newer") << QByteArray("25.02.02\n") << "25.03.01" << QByteArray("1.0.4") << "1.0.5" << 1 << 1
                                    << "25.02.02";
        QTest::newRow("both the same") << QByteArray("25.03.01\r\n") << "25.03.01" << QByteArray("1.0.5") << "1.0.5" << 0
                                       << 0 << "25.03.01";
        QTest::newRow("older server version is offered too")
            << QByteArray("25.02.02") << "25.01.01" << QByteArray("1.0.5") << "1.0.4" << 1 << 1 << "25.02.02";
        QTest::newRow("built-in version without version.txt")
            << QByteArray() << "25.02.02" << QByteArray() << "1.0.5" << 0 << 0 << "25.02.02";
    }

    void serverInformationComparesVersions()
    {
        QFETCH(QByteArray, localVersion);
        QFETCH(QString, serverVersion);
        QFETCH(QByteArray, localDongle);
        QFETCH(QString, serverDongle);
        TestHttpServer server;
        server.serveBytes(kManifestPath, manifestJson({entry("Talvorin", serverVersion)},
                                                      {entry("Mouse-RF", "2.0"), entry("Mouse-Dongle", serverDongle)}));
        RunningWorker worker(server);
        if (!localVersion.isEmpty())
            writeFile(worker.data.filePath("version.txt"), localVersion);
        if (!localDongle.isEmpty())
            writeFile(worker.data.filePath("Mouse/dongle_fw_version.json"),
                      "{\"name\": \"Mouse-Dongle\", \"version\": \"" + localDongle + "\"}");

        QVERIFY(worker.run({{"Control", 11}}));

        const QVariantMap answer = lastWithControl(worker.answers(), 11);
        QTEST(answer.value("updateApp").toInt(), "updateApp");
        QTEST(answer.value("dongle_fw_update").toInt(), "dongleUpdate");
        QTEST(answer.value("appVersion").toString(), "appVersion");
    }

    void helpLinksAreAnsweredByName()
    {
        TestHttpServer server;
        QVariantList links;
        for (const QString& name : kLinkNames)
            links.append(QVariantMap{{"name", name}, {"link", "https://help.invalid/" + name}});
        links.append(QVariantMap{{"name", "Unknown-Page"}, {"link", "https://help.invalid/x"}});
        server.serveBytes(kManifestPath, manifestJson({}, {}, links));
        RunningWorker worker(server);

        QVERIFY(worker.run({{"Control", 11}}));

        const QVariantMap answer = lastWithControl(worker.answers(), 11);
        for (const QString& name : kLinkNames)
            QCOMPARE(answer.value(name + "-Link").toString(), "https://help.invalid/" + name);
        QVERIFY(!answer.contains("Unknown-Page-Link"));
    }

    void unusableServerOffersNothing_data()
    {
        QTest::addColumn<QString>("server"); // "alive", "refusing" or "missing manifest"
        QTest::addColumn<QString>("cause");
        QTest::newRow("invalid JSON") << "alive" << "The update server sent a list that could not be read";
        QTest::newRow("connection refused") << "refusing" << "Could not reach the update server";
        QTest::newRow("no manifest on the server") << "missing manifest"
                                                   << "The update server answered with an error (HTTP 404)";
    }

    void unusableServerOffersNothing()
    {
        QFETCH(QString, server);
        TestHttpServer http;
        if (server != "missing manifest")
            http.serveBytes(kManifestPath, "{\"software\": [{\"version\": \"99\"}], \"hyperlink\": [{\"name\": \"GPU-Support\"");
        HttpOptions options = BranchTurn::options(http);
        if (server == "refusing")
            options.serverBase = QStringLiteral("http://127.0.0.1:%1").arg(TestHttpServer::closedPort());
        BranchTurn turn(options);

        turn.run(11);

        QCOMPARE(turn.published.size(), 1);
        const QVariantMap answer = turn.published.first();
        QCOMPARE(answer.value("Control").toInt(), 11);
        // A failed check is said to be one, with its cause, never taken for "no update".
        QCOMPARE(answer.value("updateCheck").toInt(), -1);
        QTEST(answer.value("updateCheckError").toString(), "cause");
        QCOMPARE(answer.value("updateApp").toInt(), 0);
        QCOMPARE(answer.value("dongle_fw_update").toInt(), 0);
        for (const QString& key : answer.keys())
            QVERIFY2(!key.endsWith("-Link"), qPrintable(key));
        QVERIFY(turn.state.firmwareByName.isEmpty());
        QCOMPARE(turn.slot.value("Control").toInt(), -1);
    }

    void firmwareEntriesAreKeptByName()
    {
        TestHttpServer server;
        server.serveBytes(kManifestPath,
                          manifestJson({}, {entry("Mouse-RF", "2.0", "https://fw.invalid/rf.zip"),
                                            entry("Headset-MP", "v8", "https://fw.invalid/mp.bin"), QVariant("stray")}));
        BranchTurn turn(server);
        turn.state.firmwareByName.insert("Gone", entry("Gone", "1"));

        turn.run(11);

        QCOMPARE(turn.state.firmwareByName.keys(), QStringList({"Headset-MP", "Mouse-RF"}));
        QCOMPARE(turn.state.firmwareByName.value("Mouse-RF").value("downloadLink").toString(),
                 QString("https://fw.invalid/rf.zip"));
        QCOMPARE(turn.state.serverInfo.value("firmware").size(), 3);
        QCOMPARE(turn.published.last().value("updateCheck").toInt(), 1);
        QCOMPARE(turn.published.last().value("updateCheckError").toString(), QString());
    }

    void updateDownloadsAndRunsInstaller()
    {
        TestHttpServer server;
        const QString marker = m_home.filePath("installer-ran");
        QFile::remove(marker);
        // Big enough for several progress steps; the installer proves it ran and was waited for.
        const QByteArray installer = "#!/bin/sh\nsleep 0.3\necho \"$0\" > '" + marker.toUtf8() + "'\nexit 0\n#"
            + QByteArray(200000, 'x') + "\n";
        server.serveBytes("/app/Talvorin-25.03.01.run", installer);
        server.serveBytes(kManifestPath, manifestJson({entry("Talvorin", "25.03.01", server.url("/app/Talvorin-25.03.01.run?sig=1"))}));
        RunningWorker worker(server);

        QVERIFY(worker.run({{"Control", 7}}));

        const QString saved = m_downloads + "/BELVARINTH_TALVORIN_25.03.01.run";
        // The command ended only after the installer had run to its end.
        QFile ran(marker);
        QVERIFY(ran.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(ran.readAll().trimmed()), saved);
        QVERIFY(QFileInfo(saved).isExecutable());
        QCOMPARE(QDir(m_downloads).entryList(QDir::Files | QDir::Hidden), QStringList(QFileInfo(saved).fileName()));

        const QList<QVariantMap> answers = worker.answers();
        QVERIFY(answers.size() >= 3);
        QCOMPARE(answers.first().value("Control").toInt(), 7);
        QCOMPARE(answers.first().value("downloadFile").toInt(), 1);
        QCOMPARE(answers.first().value("InstallApp").toInt(), 0);
        QCOMPARE(answers.first().value("new_version").toString(), QString("25.03.01"));
        int lastProgress = 0;
        for (int i = 1; i + 1 < answers.size(); ++i) {
            const int progress = answers.at(i).value("progress").toInt();
            QVERIFY(progress > lastProgress && progress <= 100);
            lastProgress = progress;
        }
        QCOMPARE(lastProgress, 100);
        QCOMPARE(answers.last().value("Control").toInt(), 7);
        QCOMPARE(answers.last().value("InstallApp").toInt(), 1);
        QCOMPARE(answers.last().value("updateApp").toInt(), 0);
    }

    void failedDownloadEndsProgressAndLeavesNoFile()
    {
        TestHttpServer server;
        TestHttpServer::Reply cut;
        cut.generatedSize = 500000;
        cut.sendOnly = 200000;
        server.serve("/app/setup.run", cut);
        server.serveBytes(kManifestPath, manifestJson({entry("Talvorin", "25.03.01", server.url("/app/setup.run"))}));
        RunningWorker worker(server);

        QVERIFY(worker.run({{"Control", 7}}));

        const QList<QVariantMap> answers = worker.answers();
        QVERIFY(!answers.isEmpty());
        QCOMPARE(answers.first().value("downloadFile").toInt(), 1);
        QCOMPARE(answers.last().value("Control").toInt(), 7);
        QCOMPARE(answers.last().value("downloadFile").toInt(), 0);
        QCOMPARE(answers.last().value("InstallApp").toInt(), 0);
        for (const QVariantMap& answer : answers)
            QCOMPARE(answer.value("InstallApp").toInt(), 0);
        QCOMPARE(QDir(m_downloads).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void stopRequestEndsDownloadAtOnce()
    {
        TestHttpServer server;
        TestHttpServer::Reply silent;
        silent.generatedSize = 500000;
        silent.sendOnly = 100000;
        silent.closeAfterSendOnly = false;
        server.serve("/app/setup.run", silent);
        server.serveBytes(kManifestPath, manifestJson({entry("Talvorin", "25.03.01", server.url("/app/setup.run"))}));
        // A stall time-out far longer than the test may take.
        qputenv("TALVORIN_HTTP_STALL_TIMEOUT_MS", "60000");
        RunningWorker worker(server);
        qputenv("TALVORIN_HTTP_STALL_TIMEOUT_MS", "800");
        worker.worker->receiveDataFromQML({{"Control", 7}});
        QTRY_VERIFY(server.requestCount("/app/setup.run") == 1);

        QElapsedTimer clock;
        clock.start();
        worker.worker->stopThread();
        QVERIFY(worker.worker->wait(5000));
        QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(QDir(m_downloads).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void updateEndsWithNothingPending_data()
    {
        QTest::addColumn<QString>("serverVersion");
        QTest::addColumn<int>("installerRequests");
        QTest::newRow("same version: nothing to fetch") << "25.02.02" << 0;
        QTest::newRow("version that is a path: refused") << "../../evil" << 0;
        QTest::newRow("newer version, download fails") << "25.03.01" << 1;
    }

    void updateEndsWithNothingPending()
    {
        QFETCH(QString, serverVersion);
        TestHttpServer server;
        server.serveBytes(kManifestPath, manifestJson({entry("Talvorin", serverVersion, server.url("/app/missing.run"))}));
        BranchTurn turn(server);

        turn.run(7);

        QTEST(server.requestCount("/app/missing.run"), "installerRequests");
        // The slot held a mouse command's keys: nothing may run after the update.
        QCOMPARE(turn.slot.value("Control").toInt(), -1);
        QVERIFY(!turn.published.isEmpty());
        QCOMPARE(turn.published.last().value("Control").toInt(), 7);
        QCOMPARE(turn.published.last().value("downloadFile").toInt(), 0);
        QCOMPARE(turn.answer.value("Control").toInt(), -1);
        QVERIFY(!QFile::exists(m_home.filePath("evil")));
        QVERIFY(!QFile::exists(m_home.filePath("BELVARINTH_TALVORIN_")));
    }

    void installerNames_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("name");
        QTest::newRow("suffix of the link") << "25.03.01" << "https://h.invalid/a/Talvorin.AppImage?x=1.exe"
                                            << "BELVARINTH_TALVORIN_25.03.01.AppImage";
        QTest::newRow("no suffix") << "25.03.01" << "https://h.invalid/a/setup" << "BELVARINTH_TALVORIN_25.03.01";
        QTest::newRow("suffix with odd characters") << "25.03.01" << "https://h.invalid/a/setup.r%20n"
                                                    << "BELVARINTH_TALVORIN_25.03.01";
        QTest::newRow("version with a slash") << "25/../../x" << "https://h.invalid/a.run" << "";
        QTest::newRow("empty version") << "" << "https://h.invalid/a.run" << "";
    }

    void installerNames()
    {
        QFETCH(QString, version);
        QFETCH(QString, link);
        QTEST(installerFileName(version, link), "name");
    }
};

QTEST_GUILESS_MAIN(UpdateBranchTest)
#include "tst_update_branch.moc"
