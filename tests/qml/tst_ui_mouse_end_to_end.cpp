// The mouse page on the real workers and the simulated mouse behind its receiver: each change
// made from the page is looked for in the mouse's firmware state and in the data files, and
// what the mouse reports by itself (a battery reading) is looked for on the page.
#include "app/launch_options.h"
#include "app/qml_types.h"
#include "core/device_setup.h"
#include "core/talvorin.h"
#include "fake_keyboard_hook.h"
#include "listeners/background_listening.h"
#include "listeners/keyboard_hook.h"
#include "sim/mouse/sim_hid_backend.h"
#include "util/json_files.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJSValue>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQmlExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

const int kA = 0x41, kScanA = 30;
const int kB = 0x42, kScanB = 48;
const int kF7 = 0x76, kScanF7 = 65;
const int kAnswerMs = 15000;

QJsonObject jsonObject(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

} // namespace

class UiMouseEndToEnd : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void switchProfile();
    void renameProfile();
    void dpiStageAndColour();
    void pollingRate();
    void dpiCycleOnAButton();
    void recordMacroAndAssignIt();
    void lightingSetAndReadBack();
    void batteryReportedByTheMouse();
    void linkAnApplication();

private:
    // Runs JavaScript in the page's scope (its functions and properties by name).
    QVariant eval(const QString& script);
    int pageInt(const QString& expression) { return eval(expression).toInt(); }
    // Waits until the page has no command waiting for an answer.
    bool pageIdle();
    SimMouseSettings liveMouse() const { return m_sim->firmwareState().live.mouse; }
    int profileIndex() const { return int(m_sim->firmwareState().live.mouse.profile) - 1; }
    QString mouseFolder() const;

    QTemporaryDir m_dir;
    DeviceSetup m_setup;
    std::shared_ptr<SimHidBackend> m_sim;
    std::shared_ptr<FakeKeyboard> m_keyboard = std::make_shared<FakeKeyboard>();
    std::unique_ptr<TALVORIN> m_worker;
    std::unique_ptr<BACKGROUND_LISTENING> m_listener;
    std::unique_ptr<KEYBOARD_HOOK> m_hook;
    std::unique_ptr<QQmlApplicationEngine> m_engine;
    QObject* m_window = nullptr;
    QObject* m_page = nullptr;
};

void UiMouseEndToEnd::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QString data = m_dir.filePath(QStringLiteral("data"));
    QDir().mkpath(data);
    qputenv("TALVORIN_DATA_DIR", data.toUtf8());
    m_setup = makeDeviceSetup(true);
    m_sim = std::dynamic_pointer_cast<SimHidBackend>(m_setup.hid);
    QVERIFY(m_sim);

    registerQmlTypes();
    m_worker = std::make_unique<TALVORIN>(m_setup, data);
    m_listener = std::make_unique<BACKGROUND_LISTENING>(m_setup);
    auto keyboard = m_keyboard;
    m_hook = std::make_unique<KEYBOARD_HOOK>([keyboard] { return std::make_unique<FakeKeyboardHook>(keyboard); });
    m_engine = std::make_unique<QQmlApplicationEngine>();
    LaunchOptions* options = LaunchOptions::fromArguments({QStringLiteral("talvorin"), QStringLiteral("--page"),
                                                           QStringLiteral("mouse")}, m_engine.get());
    publishWorkers(m_engine->rootContext(), *m_worker, *m_listener, *m_hook, options);
    m_engine->load(QUrl(QStringLiteral("qrc:/main.qml")));
    QCOMPARE(m_engine->rootObjects().size(), 1);
    m_window = m_engine->rootObjects().first();
    m_worker->start();

    // "--page mouse" opens the page as soon as the discovery has found the mouse.
    QObject* loader = m_window->findChild<QObject*>(QStringLiteral("pageLoader"));
    QVERIFY(loader);
    QTRY_VERIFY_WITH_TIMEOUT(loader->property("item").value<QObject*>() != nullptr, 20000);
    m_page = loader->property("item").value<QObject*>();
    QCOMPARE(m_page->objectName(), QStringLiteral("pageMouse"));
    QTRY_VERIFY_WITH_TIMEOUT(m_page->property("infoRead").toBool() && !m_page->property("busy").toBool(), kAnswerMs);
    QVERIFY(pageIdle());
    QCOMPARE(m_page->property("profile").toInt(), int(liveMouse().profile));
    // The listener runs for the mouse the page opened.
    QTRY_VERIFY(m_listener->isRunning());
}

void UiMouseEndToEnd::cleanupTestCase()
{
    if (m_hook)
        m_hook->stopThread();
    if (m_listener)
        m_listener->stopThread();
    if (m_worker) {
        m_worker->stopThread();
        m_worker->wait(5000);
    }
    m_engine.reset();
}

QVariant UiMouseEndToEnd::eval(const QString& script)
{
    QQmlExpression expression(qmlContext(m_page), m_page, script);
    const QVariant value = expression.evaluate();
    if (expression.hasError())
        qWarning() << expression.error().toString();
    return value;
}

bool UiMouseEndToEnd::pageIdle()
{
    return QTest::qWaitFor([this] { return eval(QStringLiteral("pending === null && queue.length === 0")).toBool(); },
                           kAnswerMs);
}

QString UiMouseEndToEnd::mouseFolder() const
{
    return m_dir.filePath(QStringLiteral("data/Mouse/") + m_page->property("uuid").toString());
}

void UiMouseEndToEnd::switchProfile()
{
    eval(QStringLiteral("selectProfile(3)"));
    QTRY_COMPARE_WITH_TIMEOUT(m_page->property("profile").toInt(), 3, kAnswerMs);
    QCOMPARE(int(liveMouse().profile), 3);
    QCOMPARE(int(m_sim->firmwareState().saved.mouse.profile), 3);
}

void UiMouseEndToEnd::renameProfile()
{
    eval(QStringLiteral("renameProfile(3, 'Sniper')"));
    QTRY_COMPARE_WITH_TIMEOUT(eval(QStringLiteral("profileNames[2]")).toString(), QStringLiteral("Sniper"), kAnswerMs);
    const QJsonObject names = jsonObject(mouseFolder() + QStringLiteral("/UserProfileName.json"));
    QCOMPARE(names.value(QStringLiteral("userData")).toArray().at(2).toObject().value(QStringLiteral("profileName")).toString(),
             QStringLiteral("Sniper"));
    QCOMPARE(names.value(QStringLiteral("currentProfileName")).toString(), QStringLiteral("Sniper"));
}

void UiMouseEndToEnd::dpiStageAndColour()
{
    eval(QStringLiteral("setStageResolution(1, 1234, 1234)"));
    eval(QStringLiteral("setStageColor(1, 0, 128, 255)"));
    QVERIFY(pageIdle());
    QCOMPARE(pageInt(QStringLiteral("dpi.stages[1].x")), 1250);
    QCOMPARE(pageInt(QStringLiteral("dpi.stages[1].g")), 128);
    const SimDpiStage stage = liveMouse().stages[1];
    QCOMPARE(int(stage.x), 1250);
    QCOMPARE(int(stage.y), 1250);
    QCOMPARE(int(stage.red), 0);
    QCOMPARE(int(stage.green), 128);
    QCOMPARE(int(stage.blue), 255);
}

void UiMouseEndToEnd::pollingRate()
{
    eval(QStringLiteral("setReportRate(2000, 250)"));
    QVERIFY(pageIdle());
    QCOMPARE(m_page->property("usbRate").toInt(), 2000);
    QCOMPARE(int(liveMouse().wiredRateCode), 4);
    QCOMPARE(int(liveMouse().wirelessRateCode), 32);
}

void UiMouseEndToEnd::dpiCycleOnAButton()
{
    eval(QStringLiteral("setButtonFunction(4, 'DPI Cycle')"));
    QVERIFY(pageIdle());
    QCOMPARE(eval(QStringLiteral("buttonFunctions[3].name")).toString(), QStringLiteral("DPI Cycle"));
    QCOMPARE(int(m_sim->firmwareState().live.buttons[size_t(profileIndex())].codes[3]), 66);
}

void UiMouseEndToEnd::recordMacroAndAssignIt()
{
    QObject* editor = m_page->findChild<QObject*>(QStringLiteral("macroEditor"));
    QVERIFY(editor);
    QMetaObject::invokeMethod(editor, "openFor", Q_ARG(QVariant, 2));
    QMetaObject::invokeMethod(editor, "startRecording");
    QTRY_VERIFY(m_keyboard->installed);
    m_keyboard->tap(kA, kScanA);
    m_keyboard->tap(kB, kScanB);
    m_keyboard->press(kF7, kScanF7);
    QTRY_VERIFY_WITH_TIMEOUT(!editor->property("recording").toBool(), 5000);
    QTRY_VERIFY(!m_keyboard->installed);
    m_keyboard->release(kF7, kScanF7);
    QCOMPARE(editor->property("actions").value<QJSValue>().property(QStringLiteral("length")).toInt(), 4);
    // The release of A waits 42 ms, as edited in the list.
    QMetaObject::invokeMethod(editor, "setDelay", Q_ARG(QVariant, 1), Q_ARG(QVariant, QStringLiteral("42")));

    eval(QStringLiteral("saveMacro('AB', macroEditor.actions, 2)"));
    QTRY_COMPARE_WITH_TIMEOUT(eval(QStringLiteral("buttonFunctions[1].detail")).toString(), QStringLiteral("AB"), kAnswerMs);
    QVERIFY(pageIdle());

    // The first free macro key is 31; button 2 plays it, and the mouse holds the four strokes.
    const SimFirmwareState state = m_sim->firmwareState();
    QCOMPARE(int(state.live.buttons[size_t(profileIndex())].codes[1]), 31);
    const auto& bytes = state.live.macros[30].bytes;
    QCOMPARE(int(bytes[0]), 4);
    QCOMPARE(int(bytes[6 + 2]), 4);      // A pressed
    QCOMPARE(int(bytes[12 + 2]), 0);     // A released
    QCOMPARE(int(bytes[6 + 4]), 0);      // the first step does not wait
    QCOMPARE(int(bytes[12 + 4]), 42);    // the edited delay
    QCOMPARE(int(bytes[18 + 2]), 5);     // B pressed
    const QJsonArray macros = jsonObject(m_dir.filePath(QStringLiteral("data/Mouse/UserMacroKeyData.json")))
                                  .value(QStringLiteral("mk_AllData")).toArray();
    QCOMPARE(macros.size(), 1);
    QCOMPARE(macros.at(0).toObject().value(QStringLiteral("macroName")).toString(), QStringLiteral("AB"));
}

void UiMouseEndToEnd::lightingSetAndReadBack()
{
    eval(QStringLiteral("setEffect(4)"));
    eval(QStringLiteral("setLightColor(0, 255, 0)"));
    QVERIFY(pageIdle());
    const SimLighting written = m_sim->firmwareState().live.lighting[size_t(profileIndex())];
    QCOMPARE(int(written[1]), 4);
    QCOMPARE(int(written[2]), 129);
    QCOMPARE(int(written[5]), 255);

    // What the colour tab shows comes from the mouse: change it there and open the tab.
    m_sim->modifyFirmware([this](SimFirmwareState& state) {
        SimLighting& lighting = state.live.lighting[size_t(int(state.live.mouse.profile) - 1)];
        lighting[0] = 5;
        lighting[1] = 2;
        lighting[4] = 10;
        lighting[5] = 20;
        lighting[6] = 30;
    });
    eval(QStringLiteral("showTab(2)"));
    QVERIFY(pageIdle());
    QCOMPARE(pageInt(QStringLiteral("lighting.mode")), 2);
    QCOMPARE(pageInt(QStringLiteral("lighting.brightness")), 5);
    QCOMPARE(pageInt(QStringLiteral("lighting.b")), 30);
}

void UiMouseEndToEnd::batteryReportedByTheMouse()
{
    QSignalSpy warnings(m_page, SIGNAL(batteryWarning(QString,QString)));
    QTRY_VERIFY(m_listener->isRunning());
    m_sim->sendBatteryNotification(0, 17, 0);
    QTRY_COMPARE_WITH_TIMEOUT(m_page->property("battery").toInt(), 17, 5000);
    QCOMPARE(warnings.size(), 1);
    QCOMPARE(warnings.first().at(1).toString(), QStringLiteral("Mouse battery is running low (17%)"));
    m_sim->sendBatteryNotification(0, 65, 1);
    QTRY_VERIFY_WITH_TIMEOUT(m_page->property("charging").toBool(), 5000);
    QCOMPARE(m_page->property("battery").toInt(), 65);
}

void UiMouseEndToEnd::linkAnApplication()
{
    // A program of our own, so that the test owns what it adds.
    const QString program = m_dir.filePath(QStringLiteral("arena-game"));
    QFile file(program);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n");
    file.close();
    file.setPermissions(file.permissions() | QFileDevice::ExeOwner);

    eval(QStringLiteral("appDialog.openFor(profile)"));
    eval(QStringLiteral("addApplication('%1')").arg(program));
    QTRY_VERIFY_WITH_TIMEOUT(eval(QStringLiteral("games.some(function(g) { return g.GameName === 'arena-game' })")).toBool(),
                             kAnswerMs);
    QVERIFY(pageIdle());
    eval(QStringLiteral("appDialog.save()"));
    QVERIFY(pageIdle());
    const QString appId = eval(QStringLiteral("games.filter(function(g) { return g.GameName === 'arena-game' })[0].AppID")).toString();
    QVERIFY(!appId.isEmpty());
    QCOMPARE(eval(QStringLiteral("games.filter(function(g) { return g.AppID === '%1' })[0].ProfileNum").arg(appId)).toInt(), 3);
    const QJsonObject stored = jsonObject(m_dir.filePath(QStringLiteral("data/Mouse/UserGameMap.json"))).value(appId).toObject();
    QCOMPARE(stored.value(QStringLiteral("GameProfile")).toInt(), 3);
    QCOMPARE(stored.value(QStringLiteral("InstallDir")).toString(), QFileInfo(program).canonicalFilePath());
    QVERIFY(eval(QStringLiteral("appsPanel.linked.some(function(g) { return g.AppID === '%1' })").arg(appId)).toBool());
}

QTEST_MAIN(UiMouseEndToEnd)
#include "tst_ui_mouse_end_to_end.moc"
