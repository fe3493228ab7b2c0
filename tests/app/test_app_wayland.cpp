// The real executable on Qt's Wayland platform, under a Wayland compositor of the test's own
// (Weston, headless, on a socket in a runtime folder of the test's own; started and stopped by
// its process id): it starts without any X display, answers the discovery, shows the window
// when a second start asks for it, and quits in order.
#include "process_runner.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

class AppWaylandTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_runtime; // XDG_RUNTIME_DIR of the compositor and its clients (mode 0700)
    QTemporaryDir m_temp;
    QProcess m_compositor;
    const QString m_socket = QStringLiteral("talvorin-test-wayland");

    void onWayland(TalvorinProcess& process)
    {
        process.setEnvironment("QT_QPA_PLATFORM", "wayland");
        process.setEnvironment("WAYLAND_DISPLAY", m_socket);
        process.setEnvironment("XDG_RUNTIME_DIR", m_runtime.path());
        process.setEnvironment("XDG_SESSION_TYPE", "wayland");
        process.setEnvironment("DISPLAY", "");
        process.setEnvironment("TALVORIN_DEVICES", "virtual");
        process.setEnvironment("TALVORIN_SHOW_WINDOW", "1");
    }

private slots:
    void initTestCase()
    {
        const QString weston = QStandardPaths::findExecutable("weston");
        QVERIFY2(!weston.isEmpty(), "weston (package weston) is missing");
        QFile::setPermissions(m_runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", m_runtime.path());
        env.remove("WAYLAND_DISPLAY");
        env.remove("DISPLAY");
        m_compositor.setProcessEnvironment(env);
        m_compositor.setProcessChannelMode(QProcess::MergedChannels);
        m_compositor.start(weston, {"--backend=headless-backend.so", "--socket=" + m_socket, "--idle-time=0"});
        QVERIFY(m_compositor.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_runtime.filePath(m_socket)), 10000);
    }

    void cleanupTestCase()
    {
        if (m_compositor.state() != QProcess::NotRunning) {
            m_compositor.terminate(); // by its process id
            if (!m_compositor.waitForFinished(5000)) {
                m_compositor.kill();
                m_compositor.waitForFinished(5000);
            }
        }
    }

    void secondStartShowsTheWindowOnWayland()
    {
        QTemporaryDir data;
        TalvorinProcess first(data.path(), m_temp.path());
        onWayland(first);
        first.start();
        QVERIFY2(first.waitForLog("Discovery answer received"), qPrintable(first.log()));
        QTest::qWait(400); // the window flow has reached its standing request by now

        TalvorinProcess second(data.path(), m_temp.path());
        onWayland(second);
        second.start();
        QVERIFY(second.waitForExit());
        QCOMPARE(second.exitCode(), 0);

        QVERIFY2(first.waitForLog("Window requested by another start", 3000), qPrintable(first.log()));
        QVERIFY(first.running());
        QVERIFY2(!first.log().contains("xcb"), qPrintable(first.log())); // no X platform anywhere
        first.signal(SIGTERM);
        QVERIFY(first.waitForExit());
        QCOMPARE(first.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(AppWaylandTest)
#include "test_app_wayland.moc"
