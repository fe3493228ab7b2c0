// Which foreground readers a desktop session gets, and how they fall back on one another.
#include "platform/foreground_report.h"
#include "platform/foreground_session.h"

#include <QtTest>

using platform::DesktopSession;
using platform::ForegroundReaderKind;
using Kinds = std::vector<ForegroundReaderKind>;

Q_DECLARE_METATYPE(Kinds)

namespace {

DesktopSession session(const QString& type, const QString& desktop, bool wayland, bool x11)
{
    DesktopSession s;
    s.sessionType = type;
    s.currentDesktop = desktop;
    s.hasWaylandDisplay = wayland;
    s.hasX11Display = x11;
    return s;
}

// Fails to follow or follows, and tells when it was started.
class RecordingReader : public platform::ForegroundWindowReader {
public:
    RecordingReader(bool follows, QStringList& started, const QString& name)
        : m_follows(follows), m_started(started), m_name(name) {}
    bool start(platform::ForegroundHandler handler) override
    {
        m_started.append(m_name);
        platform::ForegroundWindow window;
        window.title = m_name;
        handler(window); // a reader that cannot follow everything may still report
        return m_follows;
    }

private:
    bool m_follows;
    QStringList& m_started;
    QString m_name;
};

} // namespace

class ForegroundSessionTest : public QObject {
    Q_OBJECT

private slots:
    void readersForEachDesktop_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("desktop");
        QTest::addColumn<bool>("wayland");
        QTest::addColumn<bool>("x11");
        QTest::addColumn<Kinds>("expected");
        const Kinds x11 = {ForegroundReaderKind::X11};
        QTest::newRow("X11 Plasma") << "x11" << "KDE" << false << true << x11;
        QTest::newRow("X11 GNOME") << "x11" << "GNOME" << false << true << x11;
        QTest::newRow("Wayland Plasma") << "wayland" << "KDE" << true << true
                                        << Kinds{ForegroundReaderKind::KWin, ForegroundReaderKind::X11};
        QTest::newRow("Wayland Ubuntu GNOME") << "wayland" << "ubuntu:GNOME" << true << true
                                              << Kinds{ForegroundReaderKind::GnomeShell, ForegroundReaderKind::X11};
        QTest::newRow("Wayland GNOME Classic") << "wayland" << "GNOME-Classic:GNOME" << true << true
                                               << Kinds{ForegroundReaderKind::GnomeShell, ForegroundReaderKind::X11};
        QTest::newRow("desktop name in another case") << "Wayland" << "kde" << true << false
                                                      << Kinds{ForegroundReaderKind::KWin, ForegroundReaderKind::X11};
        QTest::newRow("sway") << "wayland" << "sway" << true << true
                              << Kinds{ForegroundReaderKind::Wlroots, ForegroundReaderKind::X11};
        QTest::newRow("Hyprland") << "wayland" << "Hyprland" << true << false
                                  << Kinds{ForegroundReaderKind::Wlroots, ForegroundReaderKind::X11};
        QTest::newRow("labwc") << "wayland" << "labwc:wlroots" << true << true
                               << Kinds{ForegroundReaderKind::Wlroots, ForegroundReaderKind::X11};
        QTest::newRow("unknown Wayland compositor") << "wayland" << "Weston" << true << true << x11;
        QTest::newRow("a name that only contains KDE") << "wayland" << "KDEish" << true << true << x11;
        QTest::newRow("no session type, only a Wayland display") << "" << "KDE" << true << false
                                                                 << Kinds{ForegroundReaderKind::KWin, ForegroundReaderKind::X11};
        QTest::newRow("no session type, both displays") << "" << "KDE" << true << true << x11;
        QTest::newRow("nothing set") << "" << "" << false << false << x11;
        QTest::newRow("tty") << "tty" << "" << false << false << x11;
    }

    void readersForEachDesktop()
    {
        QFETCH(QString, type);
        QFETCH(QString, desktop);
        QFETCH(bool, wayland);
        QFETCH(bool, x11);
        QFETCH(Kinds, expected);
        const Kinds kinds = platform::foregroundReadersFor(session(type.toLower(), desktop, wayland, x11));
        QCOMPARE(int(kinds.size()), int(expected.size()));
        for (size_t i = 0; i < kinds.size(); ++i)
            QCOMPARE(platform::foregroundReaderName(kinds[i]), platform::foregroundReaderName(expected[i]));
    }

    void sessionIsReadFromTheEnvironment()
    {
        qputenv("XDG_SESSION_TYPE", " Wayland ");
        qputenv("XDG_CURRENT_DESKTOP", "ubuntu:GNOME");
        qputenv("WAYLAND_DISPLAY", "wayland-0");
        qunsetenv("DISPLAY");
        const DesktopSession s = platform::desktopSessionFromEnvironment();
        QCOMPARE(s.sessionType, QString("wayland"));
        QVERIFY(s.hasWaylandDisplay);
        QVERIFY(!s.hasX11Display);
        QCOMPARE(platform::foregroundReadersFor(s).front(), ForegroundReaderKind::GnomeShell);
    }

    void fallbackStopsAtTheFirstReaderThatFollowsEverything()
    {
        QStringList started;
        std::vector<std::unique_ptr<platform::ForegroundWindowReader>> readers;
        readers.push_back(nullptr); // a kind this build has no reader for
        readers.push_back(std::make_unique<RecordingReader>(false, started, "extension not enabled"));
        readers.push_back(std::make_unique<RecordingReader>(true, started, "x11"));
        readers.push_back(std::make_unique<RecordingReader>(true, started, "never needed"));
        platform::FallbackForegroundReader fallback(std::move(readers));
        QStringList reported;
        QVERIFY(fallback.start([&](const platform::ForegroundWindow& w) { reported.append(w.title); }));
        QCOMPARE(started, QStringList({"extension not enabled", "x11"}));
        // Both started readers report into the one handler.
        QCOMPARE(reported, QStringList({"extension not enabled", "x11"}));

        std::vector<std::unique_ptr<platform::ForegroundWindowReader>> none;
        none.push_back(std::make_unique<RecordingReader>(false, started, "alone"));
        QVERIFY(!platform::FallbackForegroundReader(std::move(none)).start([](const platform::ForegroundWindow&) {}));
    }

    void reportArgumentsAsScriptEnginesSendThem()
    {
        // A JavaScript engine may hand a process id over as a whole double, a class as bytes.
        platform::ForegroundReport report = platform::readForegroundReport({QString("Game"), QByteArray("game"), 1234.0});
        QVERIFY2(report.valid, qPrintable(report.error));
        QCOMPARE(report.processId, qint64(1234));
        QCOMPARE(report.windowClass, QString("game"));
        report = platform::readForegroundReport({QString("Game"), QString("game"), qulonglong(77)});
        QVERIFY(report.valid);
        // Limits: the longest accepted caption and the first pid past the kernel's largest.
        QVERIFY(platform::readForegroundReport({QString(platform::kMaxReportedCaption, 'c'), QString(), 5}).valid);
        QVERIFY(!platform::readForegroundReport({QString(), QString(), platform::kMaxProcessId + 1}).valid);
        QVERIFY(!platform::readForegroundReport({QString(), QString(), std::numeric_limits<double>::infinity()}).valid);
        QVERIFY(!platform::readForegroundReport({QString(), QString(), std::numeric_limits<double>::quiet_NaN()}).valid);
    }
};

QTEST_GUILESS_MAIN(ForegroundSessionTest)
#include "tst_foreground_session.moc"
