// The manifest fetch and the downloads against a real HTTP server on 127.0.0.1.
#include "core/update_service.h"
#include "support/test_http_server.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(TestHttpServer::Reply)

namespace {

const QString kManifestPath = QStringLiteral("/Qel/latest__version_v2.json");

const QByteArray kManifest =
    "{ \"software\": [ { \"name\": \"Talvorin\", \"version\": \"25.03.01\", \"downloadLink\": \"https://h.invalid/a.run\" } ],"
    "  \"firmware\": [ { \"name\": \"Mouse-RF\", \"version\": \"1.2\", \"downloadLink\": \"https://h.invalid/rf.zip\" },"
    "                { \"name\": \"Mouse-Dongle\", \"version\": \"0.9\", \"downloadLink\": \"https://h.invalid/d.zip\" } ],"
    "  \"hyperlink\": [ { \"name\": \"HomePage-FAQ\", \"link\": \"https://h.invalid/faq\" } ],"
    "  \"tags\": [ \"beta\", 2 ],"
    "  \"comment\": \"not a category\" }";

HttpOptions quickOptions(const QString& base)
{
    HttpOptions options;
    options.serverBase = base;
    options.connectTimeoutMs = 1000;
    options.stallTimeoutMs = 800;
    options.manifestTimeoutMs = 5000;
    return options;
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// True when the file holds exactly the server's generated body of that size.
bool holdsGeneratedBody(const QString& path, qint64 size)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() != size)
        return false;
    const qint64 block = 1 << 20;
    for (qint64 offset = 0; offset < size; offset += block) {
        const qint64 length = qMin(block, size - offset);
        if (file.read(length) != TestHttpServer::generatedBytes(offset, length))
            return false;
    }
    return true;
}

TestHttpServer::Reply generated(qint64 size)
{
    TestHttpServer::Reply reply;
    reply.generatedSize = size;
    return reply;
}

} // namespace

class UpdateServiceTest : public QObject {
    Q_OBJECT

private slots:
    void manifestIsKeptByCategory()
    {
        TestHttpServer server;
        server.serveBytes(kManifestPath, kManifest, "application/json");
        UpdateService service(quickOptions(server.baseUrl()));

        const UpdateManifest manifest = service.check_NewVersionFromServer();

        QCOMPARE(manifest.keys(), QStringList({"firmware", "hyperlink", "software", "tags"}));
        QCOMPARE(manifest.value("software").size(), 1);
        QCOMPARE(manifest.value("software").first().toMap().value("version").toString(), QString("25.03.01"));
        QCOMPARE(manifest.value("firmware").at(1).toMap().value("name").toString(), QString("Mouse-Dongle"));
        QCOMPARE(manifest.value("tags"), QVariantList({"beta", 2}));
        QCOMPARE(server.requestCount(kManifestPath), 1);
    }

    void serverAddressLosesEveryTrailingSlash_data()
    {
        QTest::addColumn<QString>("slashes");
        QTest::newRow("none") << QString();
        QTest::newRow("one") << QString("/");
        QTest::newRow("several") << QString("///");
    }

    void serverAddressLosesEveryTrailingSlash()
    {
        QFETCH(QString, slashes);
        TestHttpServer server;
        server.serveBytes(kManifestPath, kManifest, "application/json");
        const QByteArray before = qgetenv("TALVORIN_UPDATE_SERVER");
        qputenv("TALVORIN_UPDATE_SERVER", (" " + server.baseUrl() + slashes + " ").toUtf8());
        const HttpOptions options = HttpOptions::fromEnvironment();
        qputenv("TALVORIN_UPDATE_SERVER", before);
        QCOMPARE(options.serverBase, server.baseUrl());
        QCOMPARE(UpdateService(options).manifestUrl(), server.baseUrl() + kManifestPath);
        QVERIFY(!UpdateService(options).check_NewVersionFromServer().isEmpty());
        QCOMPARE(server.requestCount(kManifestPath), 1);
    }

    void unusableManifestGivesNothing_data()
    {
        QTest::addColumn<TestHttpServer::Reply>("reply");
        TestHttpServer::Reply reply;
        reply.body = "{\"software\": [ {\"version\": \"25.03.01\" ";
        QTest::newRow("invalid JSON") << reply;
        reply.body = "[ {\"software\": [] } ]";
        QTest::newRow("array at the top") << reply;
        reply.body = "not found";
        reply.status = 404;
        QTest::newRow("HTTP error status") << reply;
        reply = TestHttpServer::Reply();
        reply.body = "{\"software\": [" + QByteArray(5000, ' ') + "]}";
        QTest::newRow("announced length over the cap") << reply;
        reply.chunked = true;
        QTest::newRow("chunked body over the cap") << reply;
    }

    void unusableManifestGivesNothing()
    {
        QFETCH(TestHttpServer::Reply, reply);
        TestHttpServer server;
        server.serve(kManifestPath, reply);
        HttpOptions options = quickOptions(server.baseUrl());
        options.maxManifestBytes = 1000;

        QVERIFY(UpdateService(options).check_NewVersionFromServer().isEmpty());
        QCOMPARE(server.requestCount(kManifestPath), 1);
    }

    void silentServerTimesOut()
    {
        TestHttpServer server;
        TestHttpServer::Reply hang;
        hang.hang = true;
        server.serve(kManifestPath, hang);
        UpdateService service(quickOptions(server.baseUrl()));

        QElapsedTimer clock;
        clock.start();
        QVERIFY(service.check_NewVersionFromServer().isEmpty());
        // The stall time-out is 800 ms; libcurl looks at an idle transfer about once a second.
        QVERIFY2(clock.elapsed() < 4000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(server.requestCount(kManifestPath), 1);
    }

    void deadServerFailsAtOnce()
    {
        const QString base = QStringLiteral("http://127.0.0.1:%1").arg(TestHttpServer::closedPort());
        UpdateService service(quickOptions(base));
        QElapsedTimer clock;
        clock.start();
        QVERIFY(service.check_NewVersionFromServer().isEmpty());
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    }

    void downloadStoresBodyAndReportsProgress()
    {
        TestHttpServer server;
        server.serve("/files/setup.run", generated(300000));
        QTemporaryDir folder;
        const QString target = folder.filePath("setup.run");
        QList<int> percents;

        UpdateService service(quickOptions(server.baseUrl()));
        QVERIFY(service.downloadFileFromServer(server.url("/files/setup.run?token=1"), target,
                                               [&percents](int percent) { percents.append(percent); }));

        QVERIFY(holdsGeneratedBody(target, 300000));
        QVERIFY(!percents.isEmpty());
        QCOMPARE(percents.last(), 100);
        QCOMPARE(filesIn(folder.path()), QStringList("setup.run"));

        // The headset's variant stores the same body and has no progress to report.
        const QString second = folder.filePath("headset.bin");
        QVERIFY(service.downloadFileFromServerHeadphone(server.url("/files/setup.run"), second));
        QVERIFY(holdsGeneratedBody(second, 300000));
    }

    void bodyWithoutLengthDownloadsWithoutProgress()
    {
        TestHttpServer server;
        TestHttpServer::Reply reply = generated(200000);
        reply.chunked = true;
        server.serve("/files/chunked.bin", reply);
        QTemporaryDir folder;
        const QString target = folder.filePath("chunked.bin");
        QList<int> percents;

        QVERIFY(UpdateService(quickOptions(server.baseUrl()))
                    .downloadFileFromServer(server.url("/files/chunked.bin"), target,
                                            [&percents](int percent) { percents.append(percent); }));

        QVERIFY(holdsGeneratedBody(target, 200000));
        QVERIFY(percents.isEmpty());
    }

    void largeInstallerReportsExactPercentages()
    {
        // Past 42 949 672 bytes, written * 100 no longer fits 32 bits.
        const qint64 size = 50000000;
        TestHttpServer server;
        server.serve("/files/big.run", generated(size));
        QTemporaryDir folder;
        const QString target = folder.filePath("big.run");
        QList<int> percents;

        QVERIFY(UpdateService(quickOptions(server.baseUrl()))
                    .downloadFileFromServer(server.url("/files/big.run"), target,
                                            [&percents](int percent) { percents.append(percent); }));

        QVERIFY(holdsGeneratedBody(target, size));
        // Each percentage once, rising: every one of 1..100 since a read is far under 1 %.
        QCOMPARE(percents.size(), 100);
        for (int i = 0; i < percents.size(); ++i)
            QCOMPARE(percents.at(i), i + 1);
    }

    void percentagesOfHugeSizes_data()
    {
        QTest::addColumn<qint64>("written");
        QTest::addColumn<qint64>("total");
        QTest::addColumn<int>("percent");
        QTest::newRow("just past 32-bit product") << qint64(42949673) << qint64(85899346) << 50;
        QTest::newRow("over 4 GiB") << qint64(3000000000LL) << qint64(6000000000LL) << 50;
        QTest::newRow("one byte short") << qint64(6000000000LL - 1) << qint64(6000000000LL) << 99;
        QTest::newRow("complete") << qint64(6000000000LL) << qint64(6000000000LL) << 100;
        QTest::newRow("more than announced") << qint64(11) << qint64(10) << 100;
        QTest::newRow("unknown size") << qint64(5) << qint64(0) << 0;
    }

    void percentagesOfHugeSizes()
    {
        QFETCH(qint64, written);
        QFETCH(qint64, total);
        QFETCH(int, percent);
        QCOMPARE(downloadPercent(written, total), percent);
    }

    void brokenTransferLeavesNoFile_data()
    {
        QTest::addColumn<TestHttpServer::Reply>("reply");
        TestHttpServer::Reply reply = generated(100000);
        reply.sendOnly = 40000;
        QTest::newRow("closed before the announced length") << reply;
        reply.chunked = true;
        QTest::newRow("chunked body without its last chunk") << reply;
        reply.chunked = false;
        reply.closeAfterSendOnly = false;
        QTest::newRow("silent in the middle of the body") << reply;
        reply = TestHttpServer::Reply();
        reply.hang = true;
        QTest::newRow("never answers") << reply;
        reply = TestHttpServer::Reply();
        reply.status = 404;
        reply.body = "missing";
        QTest::newRow("HTTP error status") << reply;
    }

    void brokenTransferLeavesNoFile()
    {
        QFETCH(TestHttpServer::Reply, reply);
        TestHttpServer server;
        server.serve("/files/broken.run", reply);
        QTemporaryDir folder;
        QList<int> percents;

        QElapsedTimer clock;
        clock.start();
        QVERIFY(!UpdateService(quickOptions(server.baseUrl()))
                     .downloadFileFromServer(server.url("/files/broken.run"), folder.filePath("broken.run"),
                                             [&percents](int percent) { percents.append(percent); }));

        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(filesIn(folder.path()), QStringList());
        QVERIFY(!percents.contains(100));
    }

    void failedDownloadKeepsEarlierFile()
    {
        TestHttpServer server;
        TestHttpServer::Reply reply = generated(100000);
        reply.sendOnly = 1000;
        server.serve("/files/cut.bin", reply);
        QTemporaryDir folder;
        const QString target = folder.filePath("fw.bin");
        QFile earlier(target);
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier image");
        earlier.close();
        UpdateService service(quickOptions(server.baseUrl()));

        QVERIFY(!service.downloadFileFromServerHeadphone(server.url("/files/cut.bin"), target));
        const QString deadUrl = QStringLiteral("http://127.0.0.1:%1/fw.bin").arg(TestHttpServer::closedPort());
        QVERIFY(!service.downloadFileFromServerHeadphone(deadUrl, target));

        QCOMPARE(readAll(target), QByteArray("earlier image"));
        QCOMPARE(filesIn(folder.path()), QStringList("fw.bin"));
    }

    void onlyHttpIsFollowed()
    {
        TestHttpServer server;
        server.serveBytes("/files/real.bin", "real body");
        server.redirect("/moved.bin", server.url("/files/real.bin").toUtf8());
        server.redirect("/to-local-file.bin", "file:///etc/hostname");
        QTemporaryDir folder;
        UpdateService service(quickOptions(server.baseUrl()));

        QVERIFY(service.downloadFileFromServerHeadphone(server.url("/moved.bin"), folder.filePath("a.bin")));
        QCOMPARE(readAll(folder.filePath("a.bin")), QByteArray("real body"));

        QVERIFY(!service.downloadFileFromServerHeadphone(server.url("/to-local-file.bin"), folder.filePath("b.bin")));
        QVERIFY(!service.downloadFileFromServerHeadphone("file:///etc/hostname", folder.filePath("c.bin")));
        QCOMPARE(filesIn(folder.path()), QStringList("a.bin"));
    }

    void unwritableTargetFailsWithoutNetwork()
    {
        TestHttpServer server;
        server.serveBytes("/files/x.bin", "x");
        QTemporaryDir folder;
        const QString target = folder.filePath("no-such-folder/x.bin");
        QVERIFY(!UpdateService(quickOptions(server.baseUrl())).downloadFileFromServerHeadphone(server.url("/files/x.bin"), target));
        QCOMPARE(server.requestCount(), 0);
    }
};

QTEST_GUILESS_MAIN(UpdateServiceTest)
#include "tst_update_service.moc"
