// KDE Plasma on Wayland: KWin knows every window, X or Wayland, but tells only its scripts.
// We hand KWin a small script over its D-Bus scripting interface; the script calls our
// object on the session bus each time a window is activated.
#include "platform/foreground_dbus.h"
#include "platform/linux/foreground_dbus_receiver.h"
#include "platform/linux/foreground_readers.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <atomic>

static void initForegroundScripts()
{
    Q_INIT_RESOURCE(foreground_scripts);
}

namespace platform {

namespace {

const char kTag[] = "[Monitor]";
const char kScriptingPath[] = "/Scripting";
const char kScriptingInterface[] = "org.kde.kwin.Scripting";
const char kScriptInterface[] = "org.kde.kwin.Script";
// KWin answers at once; a compositor that does not is not waited for long.
const int kCallTimeoutMs = 3000;

std::atomic<bool> g_unavailableLogged{false};

void logUnavailable(const QString& why)
{
    if (!g_unavailableLogged.exchange(true))
        qWarning().noquote() << kTag << "KWin cannot report the window in front:" << why;
}

class KWinForegroundReader : public ForegroundWindowReader {
public:
    ~KWinForegroundReader() override;
    bool start(ForegroundHandler handler) override;

private:
    QDBusMessage callScripting(const char* method, const QVariantList& arguments);
    bool loadScript(const QString& scriptFile);
    bool runScript(int id);

    QDBusConnection m_bus = QDBusConnection::sessionBus();
    std::unique_ptr<ForegroundDbusReceiver> m_receiver;
    bool m_scriptLoaded = false;
};

KWinForegroundReader::~KWinForegroundReader()
{
    if (!m_scriptLoaded)
        return;
    // Not waited for: the program may be on its way out. A script that stays loaded only
    // calls a name nobody owns, and the next start unloads it before loading its own.
    QDBusMessage unload = QDBusMessage::createMethodCall(QLatin1String(kKWinService), QLatin1String(kScriptingPath),
                                                         QLatin1String(kScriptingInterface), QStringLiteral("unloadScript"));
    unload.setArguments({QString::fromLatin1(kKWinScriptName)});
    m_bus.send(unload);
}

QDBusMessage KWinForegroundReader::callScripting(const char* method, const QVariantList& arguments)
{
    QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(kKWinService), QLatin1String(kScriptingPath),
                                                       QLatin1String(kScriptingInterface), QLatin1String(method));
    call.setArguments(arguments);
    return m_bus.call(call, QDBus::Block, kCallTimeoutMs);
}

bool KWinForegroundReader::start(ForegroundHandler handler)
{
    if (!m_bus.isConnected()) {
        logUnavailable(QStringLiteral("there is no session bus"));
        return false;
    }
    if (!m_bus.interface()->isServiceRegistered(QLatin1String(kKWinService)).value()) {
        logUnavailable(QStringLiteral("KWin is not on the session bus"));
        return false;
    }
    m_receiver = std::make_unique<ForegroundDbusReceiver>(QLatin1String(kKWinService), std::move(handler));
    if (!m_receiver->registerOn(m_bus))
        return false;
    // A folder of the user's own, which KWin (running as the same user) can read.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    const QString scriptFile = folder + QStringLiteral("/talvorin-kwin-foreground.js");
    if (!writeForegroundScript(QStringLiteral("kwin_foreground.js"), scriptFile) || !loadScript(scriptFile))
        return false;
    qDebug() << kTag << "KWin reports the window in front";
    return true;
}

bool KWinForegroundReader::loadScript(const QString& scriptFile)
{
    const QString name = QString::fromLatin1(kKWinScriptName);
    // One left behind by an earlier run that ended without unloading it would report twice.
    const QDBusMessage loaded = callScripting("isScriptLoaded", {name});
    if (loaded.type() == QDBusMessage::ReplyMessage && loaded.arguments().value(0).toBool())
        callScripting("unloadScript", {name});
    const QDBusMessage reply = callScripting("loadScript", {scriptFile, name});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        logUnavailable(QStringLiteral("KWin did not load the script: %1").arg(reply.errorMessage()));
        return false;
    }
    const int id = reply.arguments().first().toInt();
    if (id < 0) {
        logUnavailable(QStringLiteral("KWin refused the script %1").arg(scriptFile));
        return false;
    }
    m_scriptLoaded = true;
    return runScript(id);
}

bool KWinForegroundReader::runScript(int id)
{
    // KWin 6 places a loaded script at /Scripting/Script<id>, KWin 5 at /<id>.
    const QStringList paths = {QStringLiteral("/Scripting/Script%1").arg(id), QStringLiteral("/%1").arg(id)};
    for (const QString& path : paths) {
        const QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(kKWinService), path,
                                                                 QLatin1String(kScriptInterface), QStringLiteral("run"));
        if (m_bus.call(call, QDBus::Block, kCallTimeoutMs).type() == QDBusMessage::ReplyMessage)
            return true;
    }
    // Both layouts also start every loaded script that is not running yet.
    const QDBusMessage reply = callScripting("start", {});
    if (reply.type() == QDBusMessage::ReplyMessage)
        return true;
    logUnavailable(QStringLiteral("KWin did not run the script: %1").arg(reply.errorMessage()));
    return false;
}

} // namespace

bool writeForegroundScript(const QString& resourceName, const QString& path)
{
    initForegroundScripts();
    QFile source(QStringLiteral(":/foreground/") + resourceName);
    if (!source.open(QIODevice::ReadOnly)) {
        qWarning() << kTag << "the script" << resourceName << "is missing from the program";
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(source.readAll()) < 0 || !file.commit()) {
        qWarning() << kTag << "cannot write" << path << ":" << file.errorString();
        return false;
    }
    return true;
}

std::unique_ptr<ForegroundWindowReader> createKWinForegroundReader()
{
    return std::make_unique<KWinForegroundReader>();
}

} // namespace platform
