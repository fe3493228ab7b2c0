// The foreground monitor on a real X server: an X server and window manager of the test's own,
// and test programs with real windows.
#include "core/foreground_monitor.h"
#include "log_capture.h"
#include "private_x_server.h"
#include "worker/worker_harness.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <memory>
#include <mutex>

namespace {

// A program with one window per title.
class WindowProgram {
public:
    WindowProgram(const QString& program, const QStringList& titles)
    {
        m_process.start(program, titles);
        while (m_windows.size() < titles.size() && m_process.waitForReadyRead(5000)) {
            while (m_process.canReadLine())
                m_windows.append(m_process.readLine().trimmed().toUInt());
        }
    }
    ~WindowProgram()
    {
        m_process.closeWriteChannel(); // the program ends when its input closes
        if (!m_process.waitForFinished(3000)) {
            m_process.kill();
            m_process.waitForFinished(3000);
        }
    }
    quint32 window(int i) const { return i < m_windows.size() ? m_windows.at(i) : 0; }
    qint64 pid() const { return m_process.processId(); }

private:
    QProcess m_process;
    QList<quint32> m_windows;
};

// Passes the real reader's reports on and remembers the last title it reported.
class WatchedReader : public platform::ForegroundWindowReader {
public:
    WatchedReader(std::unique_ptr<platform::ForegroundWindowReader> real, std::mutex& mutex, QString& lastTitle)
        : m_real(std::move(real)), m_mutex(mutex), m_lastTitle(lastTitle) {}
    bool start(platform::ForegroundHandler handler) override
    {
        return m_real->start([this, handler](const platform::ForegroundWindow& window) {
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_lastTitle = window.title;
            }
            handler(window);
        });
    }

private:
    std::unique_ptr<platform::ForegroundWindowReader> m_real;
    std::mutex& m_mutex;
    QString& m_lastTitle;
};

QJsonObject record(const QString& id, const QString& installDir, int profile)
{
    return {{"AppID", id},    {"GameName", id},         {"InstallDir", installDir}, {"ACFPath", ""},
            {"IconPath", ""}, {"GameProfile", profile}, {"Checked", false},         {"OpacityVisible", false}};
}

} // namespace

class ForegroundX11Test : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<PrivateXServer> m_x;
    std::unique_ptr<WindowProgram> m_alpha; // two windows of one process
    std::unique_ptr<WindowProgram> m_beta;
    QTemporaryDir m_otherFolder;
    QString m_otherProgram;
    LogCapture m_log;

    bool lastTitleIs(std::mutex& mutex, const QString& lastTitle, const QString& expected)
    {
        std::lock_guard<std::mutex> lock(mutex);
        return lastTitle == expected;
    }

private slots:
    void initTestCase()
    {
        m_log.install();
        m_x = std::make_unique<PrivateXServer>();
        QVERIFY2(m_x->error().isEmpty(), qPrintable(m_x->error()));
        qputenv("DISPLAY", m_x->display().toLatin1());
        qunsetenv("WAYLAND_DISPLAY");
        // beta is another program: the same file copied to a folder of its own.
        QVERIFY(m_otherFolder.isValid());
        m_otherProgram = m_otherFolder.path() + "/other/x11_window_helper";
        QVERIFY(QDir().mkpath(m_otherFolder.path() + "/other"));
        QVERIFY(QFile::copy(WINDOW_HELPER, m_otherProgram));
        m_alpha = std::make_unique<WindowProgram>(WINDOW_HELPER, QStringList{"alpha one", "alpha two"});
        m_beta = std::make_unique<WindowProgram>(m_otherProgram, QStringList{"beta"});
        QVERIFY(m_alpha->window(1) != 0);
        QVERIFY(m_beta->window(0) != 0);
        // Let the window manager take in every new window (it may give the last one mapped
        // the focus a moment later) before the tests move the focus themselves.
        QVERIFY(m_x->activate(m_beta->window(0)));
        QVERIFY(m_x->activate(m_alpha->window(0)));
        QTest::qWait(300);
    }

    void cleanupTestCase()
    {
        m_alpha.reset();
        m_beta.reset();
        m_x.reset();
    }

    void readerReportsEachChangeAndNothingElse()
    {
        QVERIFY(m_x->activate(m_alpha->window(1)));
        std::unique_ptr<platform::ForegroundWindowReader> reader = platform::createX11ForegroundReader();
        QList<platform::ForegroundWindow> reports;
        QVERIFY(reader->start([&](const platform::ForegroundWindow& window) { reports.append(window); }));
        // The window in front when the reader starts is reported at once.
        QCOMPARE(reports.size(), 1);
        QCOMPARE(reports.at(0).processId, m_alpha->pid());
        QCOMPARE(reports.at(0).title, QString("alpha two"));
        QCOMPARE(reports.at(0).executablePath, QFileInfo(WINDOW_HELPER).canonicalFilePath());

        // Nothing is read while nothing changes: the reader waits for the server's notice.
        QTest::qWait(400);
        QCOMPARE(reports.size(), 1);

        QVERIFY(m_x->activate(m_beta->window(0)));
        QTRY_VERIFY(!reports.isEmpty() && reports.last().processId == m_beta->pid());
        QCOMPARE(reports.last().title, QString("beta"));
        QCOMPARE(reports.last().executablePath, QFileInfo(m_otherProgram).canonicalFilePath());
    }

    void twoWindowsOfOneProcessGiveOneRecord()
    {
        QVERIFY(m_x->activate(m_alpha->window(0)));
        LaunchQueue queue;
        std::mutex mutex;
        QString lastTitle;
        ForegroundMonitor monitor(queue, [&] {
            return std::make_unique<WatchedReader>(platform::createForegroundWindowReader(), mutex, lastTitle);
        });
        monitor.start();
        QTRY_COMPARE(queue.size(), size_t(1));

        QVERIFY(m_x->activate(m_alpha->window(1)));
        QTRY_VERIFY(lastTitleIs(mutex, lastTitle, "alpha two"));
        QCOMPARE(queue.size(), size_t(1));

        QVERIFY(m_x->activate(m_beta->window(0)));
        QTRY_COMPARE(queue.size(), size_t(2));
        monitor.stop();

        LaunchEvent first;
        LaunchEvent second;
        QVERIFY(queue.tryTake(first));
        QVERIFY(queue.tryTake(second));
        QCOMPARE(first.processId, m_alpha->pid());
        QCOMPARE(first.windowTitle, QString("alpha one"));
        QCOMPARE(first.executableName, QFileInfo(WINDOW_HELPER).fileName());
        QCOMPARE(second.processId, m_beta->pid());
        QCOMPARE(second.windowTitle, QString("beta"));
        QCOMPARE(second.executablePath, QFileInfo(m_otherProgram).canonicalFilePath());
    }

    void linkedWindowInFrontSwitchesTheProfile()
    {
        // The folder of alpha's program is linked to profile 4; beta's is not.
        WorkerHarness worker;
        const QString folder = QFileInfo(QFileInfo(WINDOW_HELPER).canonicalFilePath()).dir().dirName();
        writeWholeFile(worker.file("/Mouse/UserGameMap.json"),
                       QJsonDocument(QJsonObject{{"app", record("app", "/" + folder.toUpper() + "/", 4)}}).toJson());
        const int switchesBefore = m_log.profileSwitches().size();
        QVERIFY(m_x->activate(m_beta->window(0)));
        worker.start();
        QVERIFY(!worker.waitForAnswer(0, 10000).isEmpty());
        QTRY_COMPARE(m_log.profileSwitches().mid(switchesBefore), QList<int>({1})); // unlinked in front

        QVERIFY(m_x->activate(m_alpha->window(1)));
        QTRY_COMPARE(m_log.profileSwitches().mid(switchesBefore), QList<int>({1, 4}));
        QVERIFY(m_x->activate(m_alpha->window(0))); // the same program's other window
        QTest::qWait(600);
        QCOMPARE(m_log.profileSwitches().mid(switchesBefore), QList<int>({1, 4}));
        QCOMPARE(worker.countAnswers(2), 2);
    }
};

QTEST_MAIN(ForegroundX11Test)
#include "tst_foreground_x11.moc"
