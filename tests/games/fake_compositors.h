#pragma once
// Stand-ins for the compositors' side of the session bus, each on a bus connection of its
// own (so its calls come from its own unique name, as the real compositor's would):
// - FakeKWin owns org.kde.KWin and offers KWin's scripting interface. A script it is asked to
//   run is evaluated in a JavaScript engine with a workspace of test windows, and its callDBus
//   converts arguments the way KWin does, so the shipped script itself is what talks to us.
// - FakeGnomeShell owns org.gnome.Shell and answers the extension state and Shell version; the
//   test plays the extension by calling our object from this connection.
// - FakeNotifications owns org.freedesktop.Notifications and records what it is shown.
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QJSEngine>
#include <QJSValue>
#include <QMutex>
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <memory>

class FakeWindow : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString caption MEMBER caption CONSTANT)
    // A string for KWin 6, bytes for KWin 5.
    Q_PROPERTY(QVariant resourceClass MEMBER resourceClass CONSTANT)
    Q_PROPERTY(int pid MEMBER pid CONSTANT)
public:
    FakeWindow(const QString& title, const QVariant& windowClass, int processId)
        : caption(title), resourceClass(windowClass), pid(processId) {}
    QString caption;
    QVariant resourceClass;
    int pid = 0;
};

// KWin 6 names: windowActivated, activeWindow.
class KWin6Workspace : public QObject {
    Q_OBJECT
    Q_PROPERTY(QObject* activeWindow READ activeWindow NOTIFY windowActivated)
public:
    QObject* activeWindow() const { return m_active; }
    void activate(FakeWindow* window)
    {
        m_active = window;
        emit windowActivated(window);
    }
signals:
    void windowActivated(QObject* window);

private:
    QObject* m_active = nullptr;
};

// KWin 5 names: clientActivated, activeClient.
class KWin5Workspace : public QObject {
    Q_OBJECT
    Q_PROPERTY(QObject* activeClient READ activeClient NOTIFY clientActivated)
public:
    QObject* activeClient() const { return m_active; }
    void activate(FakeWindow* window)
    {
        m_active = window;
        emit clientActivated(window);
    }
signals:
    void clientActivated(QObject* client);

private:
    QObject* m_active = nullptr;
};

// What a script's callDBus reaches: the call leaves over the stand-in's bus connection.
class ScriptDBusBridge : public QObject {
    Q_OBJECT
public:
    explicit ScriptDBusBridge(const QDBusConnection& bus) : m_bus(bus) {}
    Q_INVOKABLE void callDBus(const QString& service, const QString& path, const QString& interface,
                              const QString& method, const QJSValue& a1, const QJSValue& a2, const QJSValue& a3);
    int calls = 0;

private:
    QDBusConnection m_bus;
};

class FakeKWinScript;

class FakeKWin : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.kwin.Scripting")
public:
    // kwin5: KWin 5's workspace names and script object paths (/<id> instead of /Scripting/Script<id>).
    explicit FakeKWin(bool kwin5);
    ~FakeKWin() override;
    bool isUp() const { return m_up; }
    QObject* workspace() const { return m_workspace.get(); }
    void activate(FakeWindow* window);
    QObject* activeWindow() const { return m_active; }
    // A call made by KWin itself (from its own bus connection).
    QDBusMessage callFromKWin(const QDBusMessage& call) { return m_bus.call(call, QDBus::Block, 5000); }
    QStringList loadedNames() const { return m_loaded; }
    int loadCount = 0;
    int unloadCount = 0;
    int runs = 0;
    QString lastError;

public slots:
    Q_SCRIPTABLE int loadScript(const QString& filePath, const QString& pluginName);
    Q_SCRIPTABLE bool isScriptLoaded(const QString& pluginName);
    Q_SCRIPTABLE bool unloadScript(const QString& pluginName);
    Q_SCRIPTABLE void start();

private:
    friend class FakeKWinScript;
    void runScript(const QString& filePath);

    QString m_connectionName;
    QDBusConnection m_bus;
    bool m_kwin5 = false;
    bool m_up = false;
    std::unique_ptr<QObject> m_workspace;
    QObject* m_active = nullptr;
    QJSEngine m_engine;
    std::unique_ptr<ScriptDBusBridge> m_bridge;
    QStringList m_loaded;
    QList<FakeKWinScript*> m_scripts;
};

class FakeKWinScript : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.kwin.Script")
public:
    FakeKWinScript(FakeKWin& kwin, const QString& file) : m_kwin(kwin), m_file(file) {}
    bool running = false;
    QString file() const { return m_file; }
public slots:
    Q_SCRIPTABLE void run();

private:
    FakeKWin& m_kwin;
    QString m_file;
};

// Answers by message, from the bus's own thread: every field it touches is guarded.
class FakeGnomeShell : public QDBusVirtualObject {
public:
    FakeGnomeShell(int extensionState, const QString& shellVersion);
    ~FakeGnomeShell() override;
    bool isUp() const { return m_up; }
    QDBusConnection& bus() { return m_bus; }
    QString introspect(const QString&) const override { return QString(); }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    QString m_connectionName;
    QDBusConnection m_bus;
    int m_state;
    QString m_version;
    bool m_up = false;
};

class FakeNotifications : public QDBusVirtualObject {
public:
    FakeNotifications();
    ~FakeNotifications() override;
    QStringList bodies() const;
    QString introspect(const QString&) const override { return QString(); }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    QString m_connectionName;
    QDBusConnection m_bus;
    mutable QMutex m_mutex;
    QStringList m_bodies;
};

// A bus connection of its own that owns no well-known name: any other program on the bus.
QDBusConnection connectIntruder();
