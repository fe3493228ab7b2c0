// GNOME on Wayland: Mutter tells no other program which window has the focus; a Shell
// extension can. Ours calls our object on the session bus. The program puts the extension
// into the user's extension folder; turning it on is the user's decision, so we only say
// once, plainly, how.
#include "platform/foreground_dbus.h"
#include "platform/linux/foreground_dbus_receiver.h"
#include "platform/linux/foreground_readers.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <atomic>

namespace platform {

namespace {

const char kTag[] = "[Monitor]";
const char kExtensionsPath[] = "/org/gnome/Shell";
const char kExtensionsInterface[] = "org.gnome.Shell.Extensions";
const int kCallTimeoutMs = 3000;
// The extension states GNOME Shell reports: 1 is enabled (called "active" from 45 on).
const int kExtensionEnabled = 1;
// The first GNOME Shell that loads extensions as ES modules.
const int kFirstModuleShell = 45;

std::atomic<bool> g_unavailableLogged{false};

const char kEnableNotice[] =
    "To switch mouse profiles for the program in front, Talvorin needs its GNOME Shell extension "
    "\"Talvorin foreground window\". Turn it on in the Extensions app, or run: "
    "gnome-extensions enable talvorin-foreground@talvorin.org. If the extension is not listed, "
    "log out and back in once first.";

QString extensionFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/gnome-shell/extensions/") + QLatin1String(kGnomeExtensionUuid);
}

QString noticeMarkerFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/talvorin/gnomeExtensionNotice.txt");
}

class GnomeForegroundReader : public ForegroundWindowReader {
public:
    bool start(ForegroundHandler handler) override;

private:
    QDBusMessage callShell(const QString& interface, const QString& method, const QVariantList& arguments);
    int extensionState();
    int shellMajorVersion();
    bool installExtension();
    void tellUserOnce();

    QDBusConnection m_bus = QDBusConnection::sessionBus();
    std::unique_ptr<ForegroundDbusReceiver> m_receiver;
};

QDBusMessage GnomeForegroundReader::callShell(const QString& interface, const QString& method,
                                              const QVariantList& arguments)
{
    QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(kGnomeShellService),
                                                       QLatin1String(kExtensionsPath), interface, method);
    call.setArguments(arguments);
    return m_bus.call(call, QDBus::Block, kCallTimeoutMs);
}

// -1 when the Shell does not know the extension (not installed, or installed after the Shell
// started, which a Wayland session only sees after the next login).
int GnomeForegroundReader::extensionState()
{
    const QDBusMessage reply = callShell(QLatin1String(kExtensionsInterface), QStringLiteral("GetExtensionInfo"),
                                         {QString::fromLatin1(kGnomeExtensionUuid)});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return -1;
    const QVariantMap info = qdbus_cast<QVariantMap>(reply.arguments().first());
    return info.contains(QStringLiteral("state")) ? int(info.value(QStringLiteral("state")).toDouble()) : -1;
}

int GnomeForegroundReader::shellMajorVersion()
{
    const QDBusMessage reply =
        callShell(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
                  {QString::fromLatin1(kGnomeShellService), QStringLiteral("ShellVersion")});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return 0;
    const QString version = qdbus_cast<QDBusVariant>(reply.arguments().first()).variant().toString();
    return version.section(QLatin1Char('.'), 0, 0).toInt();
}

bool GnomeForegroundReader::installExtension()
{
    const int major = shellMajorVersion();
    const QString variant = major != 0 && major < kFirstModuleShell ? QStringLiteral("gnome-legacy")
                                                                    : QStringLiteral("gnome-modules");
    const QString folder = extensionFolder();
    if (!QDir().mkpath(folder)) {
        qWarning() << kTag << "cannot create" << folder;
        return false;
    }
    for (const char* name : {"extension.js", "metadata.json"}) {
        const QString fileName = QLatin1String(name);
        if (!writeForegroundScript(variant + QLatin1Char('/') + fileName, folder + QLatin1Char('/') + fileName))
            return false;
    }
    qDebug() << kTag << "the GNOME Shell extension is in" << folder;
    return true;
}

void GnomeForegroundReader::tellUserOnce()
{
    qWarning().noquote() << kTag << kEnableNotice;
    const QString marker = noticeMarkerFile();
    if (QFile::exists(marker))
        return;
    QDir().mkpath(QFileInfo(marker).path());
    QSaveFile file(marker);
    if (file.open(QIODevice::WriteOnly)) {
        file.write("1");
        file.commit();
    }
    QDBusMessage notify = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    notify.setArguments({QStringLiteral("Talvorin"), 0u, QString(),
                         QStringLiteral("Talvorin: turn on its GNOME Shell extension"),
                         QString::fromLatin1(kEnableNotice), QStringList(), QVariantMap(), -1});
    m_bus.call(notify, QDBus::NoBlock);
}

bool GnomeForegroundReader::start(ForegroundHandler handler)
{
    if (!m_bus.isConnected() || !m_bus.interface()->isServiceRegistered(QLatin1String(kGnomeShellService)).value()) {
        if (!g_unavailableLogged.exchange(true))
            qWarning() << kTag << "GNOME Shell is not on the session bus: its extension cannot report the window in front";
        return false;
    }
    // In place before the extension is: once the user turns it on, its calls are heard.
    m_receiver = std::make_unique<ForegroundDbusReceiver>(QLatin1String(kGnomeShellService), std::move(handler));
    if (!m_receiver->registerOn(m_bus))
        return false;
    const int state = extensionState();
    if (state == kExtensionEnabled) {
        qDebug() << kTag << "the GNOME Shell extension reports the window in front";
        return true;
    }
    if (state < 0 || !QFile::exists(extensionFolder() + QStringLiteral("/extension.js")))
        installExtension();
    tellUserOnce();
    return false;
}

} // namespace

std::unique_ptr<ForegroundWindowReader> createGnomeForegroundReader()
{
    return std::make_unique<GnomeForegroundReader>();
}

} // namespace platform
