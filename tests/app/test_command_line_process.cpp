// The command line with the real executable on the virtual devices: run without a window when
// no instance runs, handed to the running instance through its socket when one does, and that
// socket kept from other users.
#include "process_runner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct CliRun {
    int status = -1;
    QString out;
    QString err;
};

class CommandLineRig {
public:
    CommandLineRig()
    {
        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert("TALVORIN_DATA_DIR", m_data.path());
        m_env.insert("TMPDIR", m_temp.path());
        m_env.insert("XDG_RUNTIME_DIR", m_temp.path());
        m_env.insert("XDG_CONFIG_HOME", m_temp.path());
        m_env.insert("TALVORIN_DEVICES", "virtual");
        m_env.insert("TALVORIN_ADLX_SIM_TRACE", trace());
        m_env.insert("TALVORIN_UPDATE_SERVER", "http://127.0.0.1:1");
    }

    QString trace() const { return m_temp.filePath("gpu-trace.txt"); }
    QString socketPath() const { return m_temp.filePath("talvorin/control"); }
    QStringList gpuWrites() const
    {
        QFile file(trace());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts).filter(QRegularExpression("^write "));
    }

    CliRun run(const QStringList& arguments)
    {
        QProcess process;
        process.setProcessEnvironment(m_env);
        process.start(QStringLiteral(TALVORIN_EXECUTABLE), arguments);
        CliRun result;
        if (!process.waitForFinished(60000))
            return result;
        result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.out = QString::fromUtf8(process.readAllStandardOutput());
        result.err = QString::fromUtf8(process.readAllStandardError());
        return result;
    }

    std::unique_ptr<TalvorinProcess> startInstance()
    {
        auto instance = std::make_unique<TalvorinProcess>(m_data.path(), m_temp.path());
        instance->setEnvironment("TALVORIN_DEVICES", "virtual");
        instance->setEnvironment("TALVORIN_ADLX_SIM_TRACE", trace());
        instance->start();
        if (!instance->waitForLog("Control socket"))
            qWarning().noquote() << instance->log();
        return instance;
    }

    // SIGTERM: the instance quits in order and gives its single-instance key back. A killed
    // one would leave its key behind after this test's folders are gone, in the way of later
    // starts whose key happens to be the same.
    static void stop(TalvorinProcess& instance)
    {
        instance.signal(SIGTERM);
        instance.waitForExit();
    }

private:
    QTemporaryDir m_data;
    QTemporaryDir m_temp;
    QProcessEnvironment m_env;
};

// connect() to the socket as another user (nobody), in a child process; the child's errno.
int connectAsOtherUser(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(250);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        struct sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, native.constData(), sizeof(address.sun_path) - 1);
        if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0)
            ::_exit(0);
        ::_exit(errno & 0xFF);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

class CommandLineProcessTest : public QObject {
    Q_OBJECT

private slots:
    void withoutInstanceItRunsItselfAndExits()
    {
        CommandLineRig rig;
        CliRun list = rig.run({"--list-devices"});
        QCOMPARE(list.status, 0);
        // Results alone on standard output; the worker's own lines go to standard error.
        QVERIFY2(list.out.startsWith("GPU 0: ") && list.out.contains("\nMouse: ") && list.out.contains("\nHeadset: "),
                 qPrintable(list.out));
        QVERIFY2(!list.out.contains("TALVORIN"), qPrintable(list.out));
        QVERIFY(list.err.contains("run() TALVORIN for the command line"));

        CliRun effect = rig.run({"--gpu-effect", "rainbow", "--color", "123456"});
        QCOMPARE(effect.status, 0);
        QVERIFY2(rig.gpuWrites().filter("register=0x30 bytes=12 34 56").size() == 1, qPrintable(effect.err));

        CliRun wrong = rig.run({"--mouse-profile", "9"});
        QCOMPARE(wrong.status, 2);
        QVERIFY(wrong.out.isEmpty());
        QVERIFY(wrong.err.contains("--mouse-profile takes 1 to 5"));

        CliRun help = rig.run({"--help"});
        QCOMPARE(help.status, 0);
        QVERIFY(help.out.contains("--headset-mode MODE"));
    }

    void withInstanceTheRequestGoesToIt()
    {
        CommandLineRig rig;
        auto instance = rig.startInstance();
        QVERIFY(instance->log().contains("Control socket listening"));
        QVERIFY(instance->waitForLog("Discovery answer received"));

        CliRun run = rig.run({"--mouse-profile", "2", "--headset-mode", "voice", "--gpu-effect", "blink", "--color",
                              "0000ff", "--gpu", "0"});
        QCOMPARE(run.status, 0);
        QVERIFY2(run.out.contains("Mouse: profile 2 selected\n"), qPrintable(run.out + run.err));
        QVERIFY(run.out.contains("Headset: mode voice selected\n"));
        QVERIFY(run.out.contains("Blink #0000FF set\n"));
        // The running instance did the work; the command line's process ran no worker.
        QVERIFY2(!run.err.contains("run() TALVORIN"), qPrintable(run.err));
        QVERIFY(instance->waitForLog("run() TALVORIN for the command line"));
        QVERIFY(rig.gpuWrites().contains(
            "write gpu=0 line=1 speed=100 address=0x44 register=0x30 bytes=00 00 FF code=0"));

        CliRun refused = rig.run({"--mouse-dpi-stage", "6"});
        QCOMPARE(refused.status, 2);

        // A killed instance leaves its socket file behind; nobody answers there, so the next
        // command line runs by itself.
        instance->signal(SIGKILL);
        QVERIFY(instance->waitForExit());
        QVERIFY(QFileInfo::exists(rig.socketPath()));
        CliRun after = rig.run({"--list-devices"});
        QCOMPARE(after.status, 0);
        QVERIFY(after.err.contains("run() TALVORIN for the command line"));

        // The next instance takes the place over (and clears the killed one's key).
        auto next = rig.startInstance();
        QVERIFY2(next->log().contains("Control socket listening"), qPrintable(next->log()));
        QCOMPARE(rig.run({"--mouse-profile", "3"}).status, 0);
        CommandLineRig::stop(*next);
    }

    void socketIsTheUsersOwn()
    {
        CommandLineRig rig;
        auto instance = rig.startInstance();
        QVERIFY(instance->log().contains("Control socket listening"));
        struct stat folder = {};
        QCOMPARE(::stat(QFile::encodeName(QFileInfo(rig.socketPath()).path()).constData(), &folder), 0);
        QCOMPARE(int(folder.st_mode & 0777), 0700);
        struct stat socket = {};
        QCOMPARE(::stat(QFile::encodeName(rig.socketPath()).constData(), &socket), 0);
        QVERIFY(S_ISSOCK(socket.st_mode));
        QCOMPARE(int(socket.st_mode & 077), 0);

        // Bad requests get an answer and leave the instance serving.
        QLocalSocket garbage;
        garbage.connectToServer(rig.socketPath());
        QVERIFY(garbage.waitForConnected(2000));
        garbage.write("this is not a request\n");
        QTRY_VERIFY(garbage.canReadLine() || garbage.waitForReadyRead(100));
        QCOMPARE(garbage.readLine().trimmed(),
                 QByteArray("{\"output\":\"talvorin: the request could not be read\\n\",\"status\":2}"));
        QLocalSocket flood;
        flood.connectToServer(rig.socketPath());
        QVERIFY(flood.waitForConnected(2000));
        flood.write(QByteArray(70 * 1024, 'x'));
        QTRY_COMPARE_WITH_TIMEOUT(flood.state(), QLocalSocket::UnconnectedState, 6000);
        QVERIFY(instance->log().contains("Control socket: request too long"));
        QCOMPARE(rig.run({"--list-devices"}).status, 0);

        const bool root = ::getuid() == 0;
        if (root)
            QCOMPARE(connectAsOtherUser(rig.socketPath()), EACCES);
        CommandLineRig::stop(*instance);
        if (!root)
            QSKIP("opening the socket as another user needs root to become that user");
    }

    void foreignFolderIsNotUsed()
    {
        // A folder in the socket's place that others may enter is refused: the command line
        // runs by itself rather than talk to whatever listens there.
        CommandLineRig rig;
        QVERIFY(QDir().mkpath(QFileInfo(rig.socketPath()).path()));
        QVERIFY(QFile::setPermissions(QFileInfo(rig.socketPath()).path(),
                                      QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                          | QFileDevice::ExeOther | QFileDevice::ReadOther));
        CliRun run = rig.run({"--list-devices"});
        QCOMPARE(run.status, 0);
        QVERIFY2(run.err.contains("can be entered by other users"), qPrintable(run.err));
    }
};

QTEST_GUILESS_MAIN(CommandLineProcessTest)
#include "test_command_line_process.moc"
