// The files the mouse branch keeps under /Mouse and the answers it builds from them:
// profiles, names, launch actions, macros, settings, battery levels, resets.
#include "log_capture.h"
#include "mouse_branch_fixture.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QtTest>

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QVariantMap launchCommand(int button, int launch, const QString& program, const QString& web = QString())
{
    return {{"runFunction", 40}, {"currentButton", button}, {"launch", launch}, {"software_path", program},
            {"webside_path", web}, {"keyFunctionSingleKey", ""}};
}

} // namespace

class TestMouseBranchFiles : public QObject {
    Q_OBJECT

private slots:
    void profileSwitchReadsNamesAndLaunchDataBack()
    {
        MouseBranchFixture f;
        QVERIFY(f.succeeds({{"runFunction", 1}, {"profileNo", 2}}));
        QCOMPARE(f.state.currentMouseUuid, kSimUuid);
        QCOMPARE(f.state.currentMouseProfile, 2);
        QVERIFY(f.succeeds(launchCommand(4, 2, "/opt/game/run.sh")));
        QVERIFY(f.succeeds({{"runFunction", 41}, {"profileName", QVariantList{"Work", "Aim", "", "", "Rest"}}}));

        QVERIFY(f.succeeds({{"runFunction", 1}, {"profileNo", 3}}));
        QCOMPARE(int(f.sim.state().saved.mouse.profile), 3);
        const QVariantMap back = f.run({{"runFunction", 1}, {"profileNo", 2}});
        QCOMPARE(back.value("RESULTS").toInt(), 1);
        QCOMPARE(back.value("runFunction").toInt(), 1);
        QCOMPARE(back.value("ProfileNo").toInt(), 2);
        QCOMPARE(back.value("profileName").toString(), QString("Aim"));
        QCOMPARE(back.value("hasProfileName").toBool(), true);
        QCOMPARE(back.value("LaunchData_listSize").toInt(), 1);
        const QVariantMap launch = back.value("LaunchData").toList().value(0).toMap();
        QCOMPARE(launch.value("currentButton").toInt(), 4);
        QCOMPARE(launch.value("software_path").toString(), QString("/opt/game/run.sh"));
        QCOMPARE(launch.value("launchName").toString(), QString("run"));

        // The listener reads the launch file as a plain list of button entries.
        const QJsonArray onDisk = f.json(f.mouseFile(kSimUuid + "/profile_2/UserLaunchData.json")).array();
        QCOMPARE(onDisk.size(), 1);
        QCOMPARE(onDisk.at(0).toObject().value("launch").toInt(), 2);
        // The mouse reports the launch button to the host.
        QCOMPARE(int(f.sim.state().live.buttons[1].codes[3]), 64);
        QCOMPARE(int(f.sim.state().live.buttons[1].redefined[9]), 2);
    }

    void profilesOutsideOneToFiveNeverReachTheMouse_data()
    {
        QTest::addColumn<int>("runFunction");
        QTest::addColumn<QVariant>("profile");
        QTest::newRow("switch to 0 (an unlinked game)") << 1 << QVariant(0);
        QTest::newRow("switch to 6") << 1 << QVariant(6);
        QTest::newRow("switch to 259") << 1 << QVariant(259);
        QTest::newRow("switch to text") << 1 << QVariant("two");
        QTest::newRow("defaults of 0") << 16 << QVariant(0);
    }
    void profilesOutsideOneToFiveNeverReachTheMouse()
    {
        QFETCH(int, runFunction);
        QFETCH(QVariant, profile);
        MouseBranchFixture f;
        LogCapture log;
        QCOMPARE(f.run({{"runFunction", runFunction}, {"profileNo", profile}}).value("RESULTS").toInt(), -1);
        QVERIFY(f.sim.bus->writes(f.sim.device).empty());
        QCOMPARE(f.state.currentMouseProfile, 3);
        QVERIFY(log.contains("profileNo out of range (1 to 5)"));
    }

    void buttonFunctionsKeepTheProfileFileInStep()
    {
        MouseBranchFixture f;
        f.state.currentMouseUuid = kSimUuid;
        f.state.currentMouseProfile = 1;
        QVERIFY(f.succeeds(launchCommand(3, 3, "", "example.org")));
        QVERIFY(f.succeeds(launchCommand(5, 2, "/usr/bin/true")));
        // Button 3 is disabled: its launch action goes, button 5 keeps its own.
        QVERIFY(f.succeeds({{"runFunction", 2}, {"profileButtonsData0", 3}, {"profileButtonsData1", 0}}));
        const QJsonArray buttons = f.json(f.mouseFile(kSimUuid + "/profile_1.json")).array();
        QCOMPARE(buttons.size(), 2);
        QCOMPARE(buttons.at(0).toObject().value("Disable_Button").toBool(), true);
        QCOMPARE(buttons.at(0).toObject().value("launch").toInt(), 0);
        const QJsonArray launches = f.json(f.mouseFile(kSimUuid + "/profile_1/UserLaunchData.json")).array();
        QCOMPARE(launches.size(), 1);
        QCOMPARE(launches.at(0).toObject().value("currentButton").toInt(), 5);
        // The full information read reports the disabled button from the same file.
        const QVariantMap info = f.run({{"runFunction", 6}});
        QCOMPARE(info.value("Disable_Button").toList(), QVariantList{3});

        QCOMPARE(f.run(launchCommand(5, 7, "/usr/bin/true")).value("RESULTS").toInt(), -1); // no launch kind 7
    }

    void defaultsClearTheProfilesFiles()
    {
        MouseBranchFixture f;
        f.state.currentMouseUuid = kSimUuid;
        f.state.currentMouseProfile = 1;
        QVERIFY(f.succeeds(launchCommand(4, 2, "/usr/bin/true")));
        QVERIFY(f.succeeds({{"runFunction", 41}, {"currentProfileName", "Mine"}}));
        const QVariantMap answer = f.run({{"runFunction", 16}, {"profileNo", 1}});
        QCOMPARE(answer.value("RESULTS").toInt(), 1);
        QCOMPARE(answer.value("LaunchData_listSize").toInt(), 0);
        QCOMPARE(answer.value("profileName").toString(), QString("Mine")); // names are the user's, not the mouse's
        QCOMPARE(int(f.sim.state().live.buttons[0].codes[3]), 255);
        QCOMPARE(f.json(f.mouseFile(kSimUuid + "/profile_1.json")).array().size(), 0);
    }

    void macroListSaveReplaceDelete()
    {
        MouseBranchFixture f;
        LogCapture log;
        const QString path = f.store.macroData();
        auto send = [&](const QString& name, int keys) {
            QVariantList actions;
            for (int i = 0; i < keys; ++i)
                actions.append(QVariantMap{{"deviceText", "Keystroke"}, {"actionText", "Press"}, {"key", "B"}});
            return f.succeeds({{"runFunction", 7}, {"macroName", name}, {"Actions", actions}, {"selectMacrokey", 0},
                               {"macro_F", 2}, {"b_length", 60}, {"profileButtonsData0", 4}, {"profileButtonsData1", 33}});
        };
        QVERIFY(send("Reload", 2));
        QVERIFY(send("Sprint", 1));
        QVERIFY(send("Reload", 5));
        QVERIFY(log.contains("Removed existing item with macroName:"));
        QJsonObject stored = f.json(path).object();
        QCOMPARE(stored.value("mk_ListSize").toInt(), 2);
        QCOMPARE(stored.value("mk_AllData").toArray().at(1).toObject().value("macroName").toString(), QString("Reload"));
        QCOMPARE(stored.value("mk_AllData").toArray().at(1).toObject().value("mkAction").toArray().size(), 5);

        const QVariantMap deleted = f.run({{"runFunction", 36}, {"macroName", "Reload"}, {"setDefault", false}});
        QCOMPARE(deleted.value("RESULTS").toInt(), 1);
        QCOMPARE(deleted.value("mk_ListSize").toInt(), 1);
        QCOMPARE(f.run({{"runFunction", 36}, {"macroName", "Reload"}}).value("RESULTS").toInt(), -1);
        QVERIFY(log.contains("WARN: macroName not found :"));
        QCOMPARE(f.run({{"runFunction", 36}, {"macroName", ""}}).value("RESULTS").toInt(), -1);
        QVERIFY(log.contains("ERROR: macroName is empty, abort delete."));

        // 37: the button goes back to its default and the macro leaves the list.
        QVERIFY(f.succeeds({{"runFunction", 37}, {"setDefault", true}, {"Item", "Sprint"}, {"profileButtonsData0", 4}}));
        QCOMPARE(f.json(path).object().value("mk_ListSize").toInt(), 0);
        QCOMPARE(int(f.sim.state().live.buttons[0].codes[3]), 255);
    }

    void settingsFileIsRewrittenOnlyAfterQualifyingCommands()
    {
        MouseBranchFixture f;
        f.state.currentMouseUuid = kSimUuid;
        f.state.currentMouseProfile = 1;
        const QString path = f.mouseFile(kSimUuid + "/userSettingData.json");
        QVERIFY(f.succeeds({{"runFunction", 12}, {"LOD", 3}}));
        QCOMPARE(f.json(path).object().value("commands").toObject().value("12").toObject().value("LOD").toInt(), 3);
        QVERIFY(f.succeeds({{"runFunction", 32}, {"brightness", 8}, {"ARGB_mode", 1}, {"ARGB_function", 128}}));
        QCOMPARE(f.json(path).object().value("lastRunFunction").toInt(), 32);
        QVERIFY(QFile::exists(f.mouseFile(kSimUuid + "/profile_1/userSettingData.json")));
        const QByteArray before = contents(path);

        QVERIFY(f.succeeds({{"runFunction", 35}, {"BatteryLevel_First", 15}, {"BatteryLevel_Second", 40}}));
        QVERIFY(f.succeeds({{"runFunction", 41}, {"currentProfileName", "X"}}));
        f.run({{"runFunction", 1}, {"profileNo", 0}});  // refused
        f.run({{"runFunction", 0}});                     // not an operation
        f.run({{"runFunction", 12}, {"LOD", 9}});        // refused
        QCOMPARE(contents(path), before);

        // A malformed file is replaced by a good one on the next qualifying command.
        QFile broken(path);
        QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
        broken.write("{ not json");
        broken.close();
        QVERIFY(f.succeeds({{"runFunction", 8}}));
        QCOMPARE(f.json(path).object().value("lastRunFunction").toInt(), 8);
    }

    void batteryLevelsFileHoldsTheWholeCommand()
    {
        MouseBranchFixture f;
        const QVariantMap command{{"runFunction", 35}, {"BatteryLevel_First", 15}, {"BatteryLevel_Second", 40},
                                  {"Control", 2}};
        QVERIFY(f.succeeds(command));
        const QJsonDocument doc = f.json(f.store.batteryLevels());
        QVERIFY(doc.isArray());
        QCOMPARE(doc.array().size(), 1);
        QCOMPARE(doc.array().at(0).toObject().toVariantMap(), command);
        // The information read hands the new levels to the page.
        const QVariantMap info = f.run({{"runFunction", 6}});
        QCOMPARE(info.value("BatteryLevel_First").toInt(), 15);
        QCOMPARE(info.value("BatteryLevel_Second").toInt(), 40);
    }

    // "All the settings will reset as default": the files, and what the mouse itself keeps.
    void resetAllEmptiesTheMouseFolderAndRestoresTheMouse()
    {
        MouseBranchFixture f;
        f.state.currentMouseUuid = kSimUuid;
        const SimSettings factory = f.sim.state().saved;
        QVERIFY(f.succeeds({{"runFunction", 41}, {"currentProfileName", "X"}}));
        QVERIFY(f.succeeds({{"runFunction", 35}, {"BatteryLevel_First", 15}, {"BatteryLevel_Second", 40}}));
        QVariantMap dpi{{"runFunction", 10}, {"DPI_Quantity", 2}, {"DPI_Level", 0}, {"Update_DPI", 1}};
        for (int s = 1; s <= 5; ++s) {
            dpi.insert(QString("DPI%1_X").arg(s), 1000 + s);
            dpi.insert(QString("DPI%1_Y").arg(s), 2000 + s);
            dpi.insert(QString("DPI%1_LED_G").arg(s), 7);
        }
        QVERIFY(f.succeeds(dpi));
        QVERIFY(f.succeeds({{"runFunction", 17}, {"usb_typeID", 32}, {"wifi_typeID", 16}}));
        QVERIFY(f.succeeds({{"runFunction", 12}, {"LOD", 3}}));
        QVERIFY(f.succeeds({{"runFunction", 2}, {"profileButtonsData0", 1}, {"profileButtonsData1", 0}}));
        QVERIFY(f.sim.state().saved.mouse.liftOff != factory.mouse.liftOff);

        QVERIFY(f.succeeds({{"runFunction", 999}}));
        QVERIFY(QDir(f.store.mouseFolder()).exists());
        QVERIFY(QDir(f.store.mouseFolder()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
        const SimSettings saved = f.sim.state().saved;
        QCOMPARE(int(saved.mouse.dpiQuantity), int(factory.mouse.dpiQuantity));
        QCOMPARE(int(saved.mouse.dpiStage), int(factory.mouse.dpiStage));
        for (int s = 0; s < 5; ++s) {
            QCOMPARE(int(saved.mouse.stages[s].x), int(factory.mouse.stages[s].x));
            QCOMPARE(int(saved.mouse.stages[s].y), int(factory.mouse.stages[s].y));
            QCOMPARE(int(saved.mouse.stages[s].green), int(factory.mouse.stages[s].green));
        }
        QCOMPARE(int(saved.mouse.wiredRateCode), int(factory.mouse.wiredRateCode));
        QCOMPARE(int(saved.mouse.wirelessRateCode), int(factory.mouse.wirelessRateCode));
        QCOMPARE(int(saved.mouse.liftOff), int(factory.mouse.liftOff));
        QCOMPARE(saved.buttons[0].codes, factory.buttons[0].codes);
    }

    // The page's X-Y choice rides with the stage table and comes back with the mouse's
    // information.
    void separateAxesChoiceComesBackWithTheInformation()
    {
        MouseBranchFixture f;
        QVERIFY(!f.run({{"runFunction", 6}}).contains("XY_DPI"));
        QVariantMap dpi{{"runFunction", 10}, {"DPI_Quantity", 5}, {"DPI_Level", 1}, {"Update_DPI", 1}, {"XY_DPI", 1}};
        for (int s = 1; s <= 5; ++s) {
            dpi.insert(QString("DPI%1_X").arg(s), 400 * s);
            dpi.insert(QString("DPI%1_Y").arg(s), 400 * s);
        }
        QVERIFY(f.succeeds(dpi));
        QCOMPARE(f.run({{"runFunction", 6}}).value("XY_DPI").toInt(), 1);
        dpi.insert("XY_DPI", 0);
        QVERIFY(f.succeeds(dpi));
        QCOMPARE(f.run({{"runFunction", 6}}).value("XY_DPI").toInt(), 0);
    }

    void resetAllSaysWhatTheMouseDidNotTake()
    {
        MouseBranchFixture f;
        f.state.currentHidPath = QStringLiteral("/dev/hidraw-gone");
        const QVariantMap answer = f.run({{"runFunction", 999}});
        QCOMPARE(answer.value("RESULTS").toInt(), -1);
        QVERIFY(answer.value("failureCause").toString().contains("polling rate"));
    }

    void desktopMouseSettings()
    {
        MouseBranchFixture f;
        LogCapture log;
        const QByteArray oldPath = qgetenv("PATH");
        const QString bin = f.dir.path() + "/bin";
        QDir().mkpath(bin);
        const QString marker = f.dir.path() + "/opened";
        QFile tool(bin + "/xfce4-mouse-settings");
        QVERIFY(tool.open(QIODevice::WriteOnly));
        tool.write(QString("#!/bin/sh\necho opened > '%1'\n").arg(marker).toUtf8());
        tool.close();
        tool.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        qputenv("PATH", QFile::encodeName(f.dir.path() + "/nothing-here"));
        const QVariantMap refused = f.run({{"runFunction", 39}});
        QCOMPARE(refused.value("RESULTS").toInt(), -1);
        // The page shows why under its notice.
        QCOMPARE(refused.value("failureCause").toString(), QString("No mouse settings program found"));
        QVERIFY(log.contains("Open_Windows_System_Setting failed:"));

        qputenv("PATH", QFile::encodeName(bin));
        const QVariantMap opened = f.run({{"runFunction", 39}});
        QCOMPARE(opened.value("RESULTS").toInt(), 1);
        QVERIFY(!opened.contains("failureCause"));
        qputenv("PATH", oldPath);
        QTRY_VERIFY(QFile::exists(marker));
    }

    void identityReads()
    {
        MouseBranchFixture f;
        f.sim.bus->modifyFirmware([](SimFirmwareState& s) {
            s.batteryPercent = 55;
            s.charging = 1;
            s.live.mouse.ecoMinutes = 9;
        });
        QVariantMap a = f.run({{"runFunction", 19}});
        QCOMPARE(a.value("BTL_Percent").toInt(), 55);
        QCOMPARE(a.value("charging_STA").toInt(), 1);
        a = f.run({{"runFunction", 20}});
        QCOMPARE(a.value("name").toString(), QString("ORVENA RM20"));
        a = f.run({{"runFunction", 44}});
        QCOMPARE(a.value("Read_ECO").toInt(), 9);
        QVERIFY(f.succeeds({{"runFunction", 25}, {"SerialNumber", "RM20B0009999"}}));
        QCOMPARE(f.run({{"runFunction", 24}}).value("SerialNumber").toString(), QString("RM20B0009999"));
        f.state.firmwareByName.insert("Mouse-NXP", {{"name", "Mouse-NXP"}, {"version", "v8"}});
        a = f.run({{"runFunction", 45}});
        QCOMPARE(a.value("NXP_FW_L").toInt(), 7);
        QCOMPARE(a.value("Mouse_FW_Update").toInt(), 1);
        // Unplugged: the reads answer ERROR instead of zeros passed off as values.
        f.sim.bus->unplug(f.sim.device);
        QCOMPARE(f.run({{"runFunction", 19}}).value("RESULTS").toInt(), -1);
        QCOMPARE(f.run({{"runFunction", 13}}).value("RESULTS").toInt(), -1);
    }
};

QTEST_GUILESS_MAIN(TestMouseBranchFiles)
#include "test_mouse_branch_files.moc"
