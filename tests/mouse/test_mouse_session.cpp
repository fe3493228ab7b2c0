// A whole mouse-page session through the real worker on the simulated mouse, then a restart
// of the worker: the mouse and the files must tell the same story afterwards.
#include "core/device_setup.h"
#include "sim/mouse/sim_hid_backend.h"
#include "worker/worker_harness.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {

const QString kUuid = QStringLiteral("3A910C5E77124BD08F26E1039C44B76A");

QJsonObject jsonObject(const QString& path)
{
    return QJsonDocument::fromJson(readWholeFile(path)).object();
}

} // namespace

class TestMouseSession : public QObject {
    Q_OBJECT

    QVariantMap command(WorkerHarness& h, QVariantMap c)
    {
        const int from = h.answers().size();
        c.insert("Control", 2);
        h.send(c);
        return h.waitForAnswer(2, 20000, from);
    }

    // What the page sends when it opens the mouse.
    QVariantMap openMouse(WorkerHarness& h, const QString& path)
    {
        return command(h, {{"runFunction", 6}, {"currentHID_Path", path}, {"Vendor_ID", "2DBF"},
                           {"Product_ID", "5036"}, {"Usage_Page", "FF00"}, {"Usage", "0001"}});
    }

private slots:
    void sessionSurvivesARestart()
    {
        WorkerHarness h;
        qputenv("TALVORIN_DATA_DIR", h.dataFolder().toUtf8());
        const DeviceSetup setup = makeDeviceSetup(true);
        const auto sim = std::dynamic_pointer_cast<SimHidBackend>(setup.hid);
        QVERIFY(sim);
        const QString path = QString::fromStdString(sim->vendorPath(0));
        h.create(setup);
        h.start();

        QVariantMap a = openMouse(h, path);
        QCOMPARE(a.value("RESULTS").toInt(), 1);
        QCOMPARE(a.value("qStr_MCU_UUID").toString(), kUuid);
        QCOMPARE(command(h, {{"runFunction", 1}, {"profileNo", 2}}).value("RESULTS").toInt(), 1);
        QCOMPARE(command(h, {{"runFunction", 41}, {"profileName", QVariantList{"Work", "Aim"}}}).value("RESULTS").toInt(), 1);

        QVariantMap dpi{{"runFunction", 10}, {"DPI_Quantity", 4}, {"DPI_Level", 1}, {"Update_DPI", 1}};
        for (int s = 1; s <= 5; ++s) {
            dpi.insert(QString("DPI%1_X").arg(s), 500 * s);
            dpi.insert(QString("DPI%1_Y").arg(s), 500 * s);
            dpi.insert(QString("DPI%1_LED_G").arg(s), 40 * s);
        }
        QCOMPARE(command(h, dpi).value("RESULTS").toInt(), 1);

        const QVariantList actions{QVariantMap{{"deviceText", "Keystroke"}, {"actionText", "Press"}, {"key", "R"}},
                                   QVariantMap{{"deviceText", "Keystroke"}, {"actionText", "Release"}, {"key", "R"}}};
        QCOMPARE(command(h, {{"runFunction", 7}, {"macroName", "Reload"}, {"Actions", actions}, {"selectMacrokey", 0},
                             {"macro_F", 3}, {"b_length", 60}, {"Data_1", 1}, {"profileButtonsData0", 5},
                             {"profileButtonsData1", 34}})
                     .value("RESULTS").toInt(),
                 1);
        QCOMPARE(command(h, {{"runFunction", 32}, {"brightness", 6}, {"ARGB_mode", 3}, {"ARGB_function", 129},
                             {"ARGB_cycleTime", 2}, {"R_Color", 0}, {"G_Color", 128}, {"B_Color", 255}})
                     .value("RESULTS").toInt(),
                 1);
        QCOMPARE(command(h, {{"runFunction", 40}, {"currentButton", 4}, {"launch", 3}, {"webside_path", "example.org"}})
                     .value("RESULTS").toInt(),
                 1);

        h.stop();
        h.create(setup);
        h.start();
        a = openMouse(h, path);

        // The mouse kept (and saved) what the session set, and the page sees it again.
        const SimFirmwareState state = sim->firmwareState();
        QCOMPARE(int(state.saved.mouse.profile), 2);
        QCOMPARE(int(state.saved.mouse.dpiQuantity), 4);
        QCOMPARE(int(state.saved.mouse.stages[3].x), 2000);
        QCOMPARE(int(state.saved.buttons[1].codes[4]), 34);
        QCOMPARE(int(state.saved.macros[33].bytes[0]), 2);
        QCOMPARE(int(state.live.lighting[1][1]), 3);
        QCOMPARE(a.value("ProfileNo").toInt(), 2);
        QCOMPARE(a.value("DPI_Quantity").toInt(), 4);
        QCOMPARE(a.value("DPI3_LED_G").toInt(), 120);
        QCOMPARE(a.value("CurrentProfileButtons_DATA4").toInt(), 34);
        QCOMPARE(a.value("Get_ARGB_DATA13").toInt(), 3);
        QCOMPARE(a.value("profileName").toString(), QString("Aim"));
        QCOMPARE(a.value("LaunchData_listSize").toInt(), 1);
        QCOMPARE(a.value("LaunchData").toList().value(0).toMap().value("webside_path").toString(), QString("example.org"));
        QCOMPARE(a.value("mk_ListSize").toInt(), 1);

        const QString folder = h.file("/Mouse/" + kUuid);
        const QJsonObject settings = jsonObject(folder + "/userSettingData.json").value("commands").toObject();
        for (const char* code : {"1", "6", "7", "10", "32", "40"})
            QVERIFY2(settings.contains(code), code);
        QVERIFY(!settings.contains("41"));
        const QJsonObject profileSettings = jsonObject(folder + "/profile_2/userSettingData.json").value("commands").toObject();
        QCOMPARE(profileSettings.keys(), (QStringList{"32", "40", "7"}));
        QCOMPARE(jsonObject(folder + "/UserProfileName.json").value("userData").toArray().at(1).toObject().value("profileName").toString(),
                 QString("Aim"));

        // A program nobody linked comes to the front: the worker switches the mouse to profile 1.
        h.worker().launchQueue().push(LaunchEvent{"Editor", 42, "/usr/bin/editor", "editor", {}, {}});
        const QVariantMap switched = h.waitForAnswer(2, 20000, h.answers().size());
        QCOMPARE(switched.value("runFunction").toInt(), 1);
        QCOMPARE(switched.value("profileName").toString(), QString("Work"));
        QCOMPARE(int(sim->firmwareState().live.mouse.profile), 1);
        h.stop();
    }
};

QTEST_MAIN(TestMouseSession)
#include "test_mouse_session.moc"
