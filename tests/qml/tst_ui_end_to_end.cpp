// The window on the real workers and the virtual devices: the graphics card and headset pages
// are opened, an effect and an equaliser band are changed from the pages, and the new state is
// looked for in the virtual card's lighting controller and the virtual DTS component; the
// monitor's history is saved from the virtual card's samples, and a preset file goes through
// a custom slot of the virtual headset and back out.
#include "app/launch_options.h"
#include "app/qml_types.h"
#include "core/device_setup.h"
#include "core/talvorin.h"
#include "devices/headset/preset_file.h"
#include "listeners/background_listening.h"
#include "listeners/keyboard_hook.h"
#include "sim/headset/virtual_dts_component.h"
#include "util/json_files.h"

#include <QFile>
#include <QJSValue>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

QJSValue jsProperty(QObject* object, const char* name)
{
    return object->property(name).value<QJSValue>();
}

QStringList readLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class UiEndToEnd : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void breathingFromTheGraphicsCardPage();
    void equaliserBandFromTheHeadsetPage();
    void monitorHistorySavedAsCsv();
    void presetFileThroughACustomSlot();

private:
    QObject* openPage(int deviceType);
    int indexOfType(int deviceType) const;

    QTemporaryDir m_dir;
    QString m_trace;
    DeviceSetup m_setup;
    std::unique_ptr<TALVORIN> m_worker;
    std::unique_ptr<BACKGROUND_LISTENING> m_listener;
    std::unique_ptr<KEYBOARD_HOOK> m_hook;
    std::unique_ptr<QQmlApplicationEngine> m_engine;
    QObject* m_window = nullptr;
};

void UiEndToEnd::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_trace = m_dir.filePath(QStringLiteral("i2c-trace.txt"));
    qputenv("TALVORIN_ADLX_SIM_TRACE", m_trace.toUtf8());
    qputenv("TALVORIN_DATA_DIR", m_dir.filePath(QStringLiteral("data")).toUtf8());
    QDir().mkpath(m_dir.filePath(QStringLiteral("data")));

    m_setup.virtualDevices = true;
    m_setup.headsetFilesDir = QStringLiteral(HEADSET_FILES_DIR);
    configureGpu(m_setup);
    configureMouse(m_setup);
    configureHeadset(m_setup);

    registerQmlTypes();
    m_worker = std::make_unique<TALVORIN>(m_setup, m_dir.filePath(QStringLiteral("data")));
    m_listener = std::make_unique<BACKGROUND_LISTENING>(m_setup);
    m_hook = std::make_unique<KEYBOARD_HOOK>();
    m_engine = std::make_unique<QQmlApplicationEngine>();
    LaunchOptions* options = LaunchOptions::fromArguments({QStringLiteral("talvorin"), QStringLiteral("--page"),
                                                           QStringLiteral("home")}, m_engine.get());
    publishWorkers(m_engine->rootContext(), *m_worker, *m_listener, *m_hook, options);
    m_engine->load(QUrl(QStringLiteral("qrc:/main.qml")));
    QCOMPARE(m_engine->rootObjects().size(), 1);
    m_window = m_engine->rootObjects().first();
    m_worker->start();
    // Discovery of the virtual card, mouse and headset, with the pauses between them.
    QTRY_VERIFY_WITH_TIMEOUT(m_window->property("discovered").toBool(), 20000);
}

void UiEndToEnd::cleanupTestCase()
{
    if (m_listener)
        m_listener->stopThread();
    if (m_worker) {
        m_worker->stopThread();
        m_worker->wait(5000);
    }
    m_engine.reset();
}

int UiEndToEnd::indexOfType(int deviceType) const
{
    const QJSValue entries = jsProperty(m_window, "deviceEntries");
    const int count = entries.property(QStringLiteral("length")).toInt();
    for (int i = 0; i < count; ++i) {
        if (entries.property(quint32(i)).property(QStringLiteral("deviceType")).toInt() == deviceType)
            return i;
    }
    return -1;
}

QObject* UiEndToEnd::openPage(int deviceType)
{
    const int index = indexOfType(deviceType);
    if (index < 0)
        return nullptr;
    QMetaObject::invokeMethod(m_window, "openDevice", Q_ARG(QVariant, index));
    QObject* loader = m_window->findChild<QObject*>(QStringLiteral("pageLoader"));
    return loader ? loader->property("item").value<QObject*>() : nullptr;
}

void UiEndToEnd::breathingFromTheGraphicsCardPage()
{
    QObject* page = openPage(1);
    QVERIFY2(page, "no graphics card discovered on the virtual devices");
    QVERIFY(page->property("rgbSupported").toBool());
    // The opening command (favourites) has been answered when the command map is free again.
    QTest::qWait(500);
    QFile::remove(m_trace);

    QMetaObject::invokeMethod(page, "chooseEffect", Q_ARG(QVariant, 3));
    QTRY_COMPARE_WITH_TIMEOUT(jsProperty(page, "lighting").property(QStringLiteral("mode")).toInt(), 3, 10000);

    // Breathing is mode code 0x02 at full brightness and wire speed 80 - 80 on the mode register.
    const QStringList trace = readLines(m_trace);
    bool modeWritten = false;
    for (const QString& line : trace)
        modeWritten = modeWritten || (line.contains(QStringLiteral("register=0x01"))
                                      && line.contains(QStringLiteral("bytes=02 FF 00"))
                                      && line.contains(QStringLiteral("code=0")));
    QVERIFY2(modeWritten, qPrintable(trace.join(QLatin1Char('\n'))));

    // And the worker kept it as the last lighting command, which the page starts from next time.
    const QList<QVariantMap> saved = loadJsonList(m_dir.filePath(QStringLiteral("data/GPU/userControlData.json")));
    QCOMPARE(saved.size(), 1);
    QCOMPARE(saved.first().value(QStringLiteral("selectedMode")).toInt(), 3);
    QCOMPARE(saved.first().value(QStringLiteral("RESULTS")).toInt(), 1);
    QMetaObject::invokeMethod(m_window, "closeDevicePage");
}

void UiEndToEnd::equaliserBandFromTheHeadsetPage()
{
    QObject* page = openPage(3);
    QVERIFY2(page, "no headset discovered on the virtual devices");
    QTRY_VERIFY_WITH_TIMEOUT(page->property("pendingFunction").toInt() == 0, 10000);
    QVERIFY(page->property("connected").toBool());

    // The first custom slot, then band 2 raised to +6 dB and applied.
    QMetaObject::invokeMethod(page, "selectOption", Q_ARG(QVariant, 5));
    QTRY_COMPARE_WITH_TIMEOUT(page->property("option").toInt(), 5, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(page->property("pendingFunction").toInt() == 0, 10000);
    QMetaObject::invokeMethod(page, "moveBand", Q_ARG(QVariant, 2), Q_ARG(QVariant, 6));
    QMetaObject::invokeMethod(page, "applyEqualizer");
    QTRY_COMPARE_WITH_TIMEOUT(jsProperty(page, "bands").property(2).toInt(), 6, 10000);

    auto component = std::static_pointer_cast<VirtualDtsComponent>(m_setup.dts);
    VirtualDtsState& state = component->state();
    QString customMode;
    for (const QString& name : state.headsetModeNames()) {
        if (name.contains(QStringLiteral("custom"), Qt::CaseInsensitive))
            customMode = name;
    }
    QVERIFY2(!customMode.isEmpty(), qPrintable(state.headsetModeNames().join(QLatin1Char(','))));
    QCOMPARE(state.headsetActiveMode(), customMode);
    QCOMPARE(state.headsetValue(customMode, QStringLiteral("SFX:Eagle-GEQ Band2 Gain")).value_or(-99), 6);
    QCOMPARE(state.headsetValue(customMode, QStringLiteral("SFX:Eagle-GEQ Band3 Gain")).value_or(-99), 0);
    QMetaObject::invokeMethod(m_window, "closeDevicePage");
}

void UiEndToEnd::monitorHistorySavedAsCsv()
{
    QObject* page = openPage(1);
    QVERIFY(page);
    QMetaObject::invokeMethod(page, "showTab", Q_ARG(QVariant, 2));
    QObject* panel = page->findChild<QObject*>(QStringLiteral("monitorPanel"));
    QVERIFY(panel);
    auto* history = panel->property("history").value<QObject*>();
    QVERIFY(history);
    // The listener samples the virtual card once a second.
    QTRY_VERIFY_WITH_TIMEOUT(history->property("count").toInt() >= 2, 10000);
    QMetaObject::invokeMethod(page, "showTab", Q_ARG(QVariant, 0));
    const int kept = history->property("count").toInt();

    const QString csv = m_dir.filePath(QStringLiteral("history.csv"));
    QMetaObject::invokeMethod(panel, "saveCsv", Q_ARG(QVariant, QUrl::fromLocalFile(csv)));
    QVERIFY2(panel->property("csvMessage").toString().startsWith(QStringLiteral("Saved")),
             qPrintable(panel->property("csvMessage").toString()));
    const QStringList lines = readLines(csv);
    QCOMPARE(lines.size(), kept + 1);
    QVERIFY(lines.first().startsWith(QStringLiteral("Time,GPU_Usage,")));
    const QVariantMap metrics = page->property("metrics").toMap();
    const QStringList last = lines.last().trimmed().split(QLatin1Char(','));
    QCOMPARE(last.value(1), metrics.value(QStringLiteral("GPU_Usage")).toString());
    QCOMPARE(last.value(7), metrics.value(QStringLiteral("GPU_Temperature")).toString());
    QMetaObject::invokeMethod(m_window, "closeDevicePage");
}

void UiEndToEnd::presetFileThroughACustomSlot()
{
    QObject* page = openPage(3);
    QVERIFY(page);
    QTRY_VERIFY_WITH_TIMEOUT(page->property("pendingFunction").toInt() == 0, 10000);
    SoundValues preset;
    preset.modeName = QStringLiteral("Traded");
    preset.dialogEnhance = 1;
    preset.bassControl = -1;
    preset.bands = {5, 4, 3, 2, 1, 0, -1, -2, -3, -4};
    const QString in = m_dir.filePath(QStringLiteral("traded.json"));
    QCOMPARE(headset::writePresetFile(in, preset), QString());

    QObject* files = page->findChild<QObject*>(QStringLiteral("presetFiles"));
    QVERIFY(files);
    QMetaObject::invokeMethod(files, "importFrom", Q_ARG(QVariant, QUrl::fromLocalFile(in)));
    QVERIFY(!files->property("failed").toBool());
    QMetaObject::invokeMethod(page, "saveAs", Q_ARG(QVariant, 6), Q_ARG(QVariant, QStringLiteral("Traded")));
    QTRY_COMPARE_WITH_TIMEOUT(page->property("option").toInt(), 6, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(page->property("pendingFunction").toInt() == 0, 10000);

    auto component = std::static_pointer_cast<VirtualDtsComponent>(m_setup.dts);
    VirtualDtsState& state = component->state();
    const QString mode = state.headsetActiveMode();
    QVERIFY(mode.contains(QStringLiteral("custom"), Qt::CaseInsensitive));
    QCOMPARE(state.headsetValue(mode, QStringLiteral("SFX:Eagle-GEQ Band0 Gain")).value_or(-99), 5);
    QCOMPARE(state.headsetValue(mode, QStringLiteral("SFX:Eagle-GEQ Band9 Gain")).value_or(-99), -4);
    QVERIFY(page->property("dialogOn").toBool());

    // What the slot now holds goes back out as the same preset.
    const QString out = m_dir.filePath(QStringLiteral("out.json"));
    QVariant toExport;
    QMetaObject::invokeMethod(page, "presetToExport", Q_RETURN_ARG(QVariant, toExport));
    files->setProperty("preset", toExport);
    QMetaObject::invokeMethod(files, "exportTo", Q_ARG(QVariant, QUrl::fromLocalFile(out)));
    const headset::PresetRead read = headset::readPresetFile(out);
    QVERIFY2(read.ok, qPrintable(read.reason));
    QCOMPARE(read.preset.modeName, QStringLiteral("Traded"));
    QVERIFY(read.preset.bands == preset.bands);
    QCOMPARE(read.preset.dialogEnhance, 1);
    QMetaObject::invokeMethod(m_window, "closeDevicePage");
}

QTEST_MAIN(UiEndToEnd)
#include "tst_ui_end_to_end.moc"
