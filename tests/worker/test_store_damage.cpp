// Damaged store files: every owner reads one as its defaults, a file far larger than any real
// one is never read in, and the damaged bytes are kept beside the file as "<file>.broken"
// before the owner's next save replaces it.
#include "core/game_map_file.h"
#include "core/macro_store.h"
#include "core/mouse_settings_file.h"
#include "core/profile_names.h"
#include "devices/gpu/favourites_store.h"
#include "devices/mouse/battery_settings.h"
#include "util/files.h"
#include "util/json_files.h"
#include "util/store_reading.h"
#include "worker_harness.h"

#include <QJsonDocument>
#include <QtTest>
#include <functional>

namespace {

// Reads the file the way its owner does; true when the owner fell back to its defaults.
using OwnerRead = std::function<bool(const QString& path)>;
// Saves fresh content the way its owner does.
using OwnerSave = std::function<bool(const QString& path)>;

struct StoreFileOwner {
    QString relativePath;
    OwnerRead read;
    OwnerSave save;
};

QMap<QString, StoreFileOwner> owners()
{
    QMap<QString, StoreFileOwner> all;
    all.insert("game map", {"/Mouse/UserGameMap.json",
                            [](const QString& p) { GameMap games; return !loadGameMapFile(p, games) && games.isEmpty(); },
                            [](const QString& p) { return saveGameMapFile(p, {}); }});
    all.insert("favourites", {"/GPU/userFavoriteData.json",
                              [](const QString& p) { return loadFavourites(p).isEmpty(); },
                              [](const QString& p) { return saveFavourites(p, {QVariantMap{{"name", "1 Rainbow"}}}); }});
    all.insert("GPU control data", {"/GPU/userControlData.json",
                                    [](const QString& p) { return loadJsonList(p).isEmpty(); },
                                    [](const QString& p) { return saveJsonList({QVariantMap{{"selectedMode", 1}}}, p); }});
    all.insert("headset settings", {"/Headphone/userSettingsData_Headphone.json",
                                    [](const QString& p) { return loadJsonList(p).isEmpty(); },
                                    [](const QString& p) { return saveJsonList({QVariantMap{{"getlastAction", 2}}}, p); }});
    all.insert("battery levels", {"/Mouse/BatteryLevelSettings.json",
                                  [](const QString& p) { return !loadBatteryThresholds(p).has_value(); },
                                  [](const QString& p) {
                                      return saveJsonList({QVariantMap{{"BatteryLevel_First", 20}, {"BatteryLevel_Second", 50}}}, p);
                                  }});
    all.insert("profile names", {"/Mouse/ABC123/UserProfileName.json",
                                 [](const QString& p) { return !loadProfileNames(p).hasProfileName(); },
                                 [](const QString& p) {
                                     ProfileNames names;
                                     names.names[0] = "Work";
                                     return saveProfileNames(p, names);
                                 }});
    all.insert("macros", {"/Mouse/UserMacroKeyData.json", [](const QString& p) { return loadMacros(p).isEmpty(); },
                          [](const QString& p) {
                              return saveMacro(p, {{"macroName", "m1"}, {"mkAction", QVariantList()}}) == MacroStoreResult::Done;
                          }});
    // The mouse settings are read and saved in one step.
    all.insert("mouse settings", {"/Mouse/ABC123/userSettingData.json", [](const QString&) { return true; },
                                  [](const QString& p) { return recordMouseSettings(p, 3, {{"Control", 2}}); }});
    all.insert("start at login", {"/startApp.txt", [](const QString& p) { return readIntFromFile(p) == -1; },
                                  [](const QString& p) { return writeIntToFile(p, 1); }});
    return all;
}

QByteArray oversized()
{
    // Valid JSON, so only the size makes it unusable.
    QByteArray bytes = "[" + QByteArray(int(kMaxStoreFileBytes), ' ') + "]";
    return bytes;
}

} // namespace

class StoreDamageTest : public QObject {
    Q_OBJECT

private slots:
    void damagedFileIsKeptBeforeItIsReplaced_data()
    {
        QTest::addColumn<QString>("owner");
        QTest::addColumn<QByteArray>("damage");
        for (const QString& name : owners().keys()) {
            QTest::newRow(qPrintable(name + ": not JSON")) << name << QByteArray("{ \"cut off");
            QTest::newRow(qPrintable(name + ": oversized")) << name << oversized();
        }
    }

    void damagedFileIsKeptBeforeItIsReplaced()
    {
        QFETCH(QString, owner);
        QFETCH(QByteArray, damage);
        const StoreFileOwner file = owners().value(owner);
        QTemporaryDir store;
        const QString path = store.path() + file.relativePath;
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        writeWholeFile(path, damage);

        QVERIFY(file.read(path));
        QVERIFY(file.save(path));

        QCOMPARE(readWholeFile(path + ".broken"), damage);
        QVERIFY(readWholeFile(path).size() < 1000);
        QVERIFY(readWholeFile(path) != damage);
        // Read again, the saved file is the owner's and the kept copy is left as it was.
        QVERIFY(owner == "mouse settings" || !file.read(path));
        QCOMPARE(readWholeFile(path + ".broken"), damage);
    }

    void fileAtTheLimitIsRead()
    {
        QTemporaryDir store;
        const QString path = store.filePath("list.json");
        QByteArray bytes = R"([{"a": 1}])";
        bytes.append(QByteArray(int(kMaxStoreFileBytes) - bytes.size(), ' '));
        writeWholeFile(path, bytes);
        QCOMPARE(loadJsonList(path).size(), 1);
        writeWholeFile(path, bytes + " ");
        QCOMPARE(loadJsonList(path).size(), 0);
        QVERIFY(!QFile::exists(path));
        QCOMPARE(QFileInfo(path + ".broken").size(), kMaxStoreFileBytes + 1);
    }

    void sameDamageIsKeptOnce()
    {
        QTemporaryDir store;
        const QString path = store.filePath("list.json");
        writeWholeFile(path, "[1, 2");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("is kept as .*list.json.broken"));
        QVERIFY(loadJsonList(path).isEmpty());
        const QDateTime kept = QFileInfo(path + ".broken").lastModified();
        QTest::qWait(30);
        QVERIFY(loadJsonList(path).isEmpty());
        QCOMPARE(QFileInfo(path + ".broken").lastModified(), kept);
        // Other damage replaces the older copy.
        writeWholeFile(path, "[3, 4");
        QVERIFY(loadJsonList(path).isEmpty());
        QCOMPARE(readWholeFile(path + ".broken"), QByteArray("[3, 4"));
    }
};

QTEST_GUILESS_MAIN(StoreDamageTest)
#include "test_store_damage.moc"
