// A mouse button set to press a single key: the key reaches the focused window of another X
// client as a real key press and release.
#include "listener_rig.h"
#include "x11_test_client.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QtTest>

class BackgroundListeningX11Test : public QObject {
    Q_OBJECT

private slots:
    void singleKeyLaunchPressesTheKey()
    {
        X11TestClient other;
        QVERIFY(other.showFocusedWindow());
        ListenerRig rig;
        rig.writeLaunchData(QJsonDocument(QJsonArray{QJsonObject{{QStringLiteral("currentButton"), 6},
                                                                 {QStringLiteral("launch"), 4},
                                                                 {QStringLiteral("keyFunctionSingleKey"), QStringLiteral("a")}}}));
        QVERIFY(rig.listening());
        rig.bus->sendButtonEvent(rig.device, 10, 0xB0);
        QTRY_COMPARE(other.receivedKeys(), (QStringList{"press a", "release a"}));
    }
};

QTEST_GUILESS_MAIN(BackgroundListeningX11Test)
#include "tst_background_listening_x11.moc"
