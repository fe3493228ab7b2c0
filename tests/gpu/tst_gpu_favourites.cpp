// The favourites file: adding, removing, reading, and what happens to missing or damaged files.
#include "devices/gpu/dev_gpu.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QVariantMap favourite(const QString& name, int brightness, int speed)
{
    return {{QStringLiteral("selectedMode"), 13}, {QStringLiteral("mode"), 3},
            {QStringLiteral("name"), name},       {QStringLiteral("gpuIndex"), 0},
            {QStringLiteral("brightness"), brightness}, {QStringLiteral("speed"), speed},
            {QStringLiteral("r_color"), 255},     {QStringLiteral("g_color"), 0},
            {QStringLiteral("b_color"), 0},       {QStringLiteral("hexColor"), QStringLiteral("#ff0000")},
            {QStringLiteral("Control"), 1},       {QStringLiteral("on_off"), 1}};
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

} // namespace

class TestGpuFavourites : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        m_path = m_dir->filePath(QStringLiteral("userFavoriteData.json"));
    }

    void addingToAMissingFileCreatesAOneElementArray()
    {
        DEV_GPU gpu(DeviceSetup{});
        QVERIFY(gpu.getUserFavoriteInfo(m_path).isEmpty());
        gpu.addNewUserFavorite(m_path, favourite(QStringLiteral("1 Breathing"), 200, 40));
        const QJsonDocument doc = QJsonDocument::fromJson(readBytes(m_path));
        QVERIFY(doc.isArray());
        QCOMPARE(doc.array().size(), 1);
        QCOMPARE(doc.array()[0].toObject().value(QStringLiteral("name")).toString(), QStringLiteral("1 Breathing"));
        // Indented, as the page's other files.
        QVERIFY(readBytes(m_path).contains("\n    "));
        const QVariantList list = gpu.getUserFavoriteInfo(m_path);
        QCOMPARE(list.size(), 1);
        QCOMPARE(list[0].toMap(), QVariantMap(QJsonObject::fromVariantMap(favourite(QStringLiteral("1 Breathing"), 200, 40)).toVariantMap()));
    }

    void favouritesKeepTheirOrder()
    {
        DEV_GPU gpu(DeviceSetup{});
        for (int i = 1; i <= 3; ++i)
            gpu.addNewUserFavorite(m_path, favourite(QStringLiteral("%1 Ripple").arg(i), 10 * i, i));
        gpu.removeUserFavoriteIndex(m_path, 1);
        const QVariantList list = gpu.getUserFavoriteInfo(m_path);
        QCOMPARE(list.size(), 2);
        QCOMPARE(list[0].toMap().value(QStringLiteral("name")).toString(), QStringLiteral("1 Ripple"));
        QCOMPARE(list[1].toMap().value(QStringLiteral("name")).toString(), QStringLiteral("3 Ripple"));
    }

    void removingAnInvalidIndexKeepsTheList()
    {
        DEV_GPU gpu(DeviceSetup{});
        gpu.addNewUserFavorite(m_path, favourite(QStringLiteral("1 Meteor"), 1, 2));
        gpu.addNewUserFavorite(m_path, favourite(QStringLiteral("2 Blink"), 3, 4));
        const QVariantList before = gpu.getUserFavoriteInfo(m_path);
        QTest::ignoreMessage(QtDebugMsg, "Invalid index to remove.");
        gpu.removeUserFavoriteIndex(m_path, 3);
        QTest::ignoreMessage(QtDebugMsg, "Invalid index to remove.");
        gpu.removeUserFavoriteIndex(m_path, -1);
        QCOMPARE(gpu.getUserFavoriteInfo(m_path), before);
    }

    void removingFromAMissingFileCreatesNothing()
    {
        DEV_GPU gpu(DeviceSetup{});
        gpu.removeUserFavoriteIndex(m_path, 0);
        QVERIFY(!QFile::exists(m_path));
    }

    void singleObjectFileIsOneFavourite()
    {
        writeBytes(m_path, QJsonDocument(QJsonObject::fromVariantMap(favourite(QStringLiteral("1 Rainbow"), 5, 6))).toJson());
        DEV_GPU gpu(DeviceSetup{});
        QCOMPARE(gpu.getUserFavoriteInfo(m_path).size(), 1);
        QTest::ignoreMessage(QtDebugMsg, "Invalid index to remove.");
        gpu.removeUserFavoriteIndex(m_path, 4);
        const QJsonDocument doc = QJsonDocument::fromJson(readBytes(m_path));
        QVERIFY(doc.isArray());
        QCOMPARE(doc.array().size(), 1);
        QCOMPARE(doc.array()[0].toObject().value(QStringLiteral("speed")).toInt(), 6);
    }

    void elementsThatAreNotObjectsAreSkipped()
    {
        writeBytes(m_path, "[ 1, \"text\", { \"name\": \"1 Blink\" }, null ]");
        DEV_GPU gpu(DeviceSetup{});
        const QVariantList list = gpu.getUserFavoriteInfo(m_path);
        QCOMPARE(list.size(), 1);
        QCOMPARE(list[0].toMap().value(QStringLiteral("name")).toString(), QStringLiteral("1 Blink"));
    }

    void damagedFileIsKeptAsideBeforeItIsReplaced()
    {
        const QByteArray damaged = "[ { \"name\": \"1 Blink\", ";
        writeBytes(m_path, damaged);
        DEV_GPU gpu(DeviceSetup{});
        QTest::ignoreMessage(QtDebugMsg, "Invalid JSON format.");
        QVERIFY(gpu.getUserFavoriteInfo(m_path).isEmpty());
        QCOMPARE(readBytes(m_path), damaged); // reading changes nothing
        gpu.addNewUserFavorite(m_path, favourite(QStringLiteral("1 Meteor"), 1, 2));
        QCOMPARE(gpu.getUserFavoriteInfo(m_path).size(), 1);
        QCOMPARE(readBytes(m_path + QStringLiteral(".broken")), damaged);
    }

    void unwritablePlaceIsLoggedAndLeftAlone()
    {
        DEV_GPU gpu(DeviceSetup{});
        // The folder of the file is a plain file: nothing can be written there.
        writeBytes(m_dir->filePath(QStringLiteral("blocked")), "not a folder");
        const QString unwritable = m_dir->filePath(QStringLiteral("blocked/userFavoriteData.json"));
        QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(QStringLiteral("^Failed to open file for writing:")));
        gpu.addNewUserFavorite(unwritable, favourite(QStringLiteral("1 Meteor"), 1, 2));
        QCOMPARE(readBytes(m_dir->filePath(QStringLiteral("blocked"))), QByteArray("not a folder"));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

QTEST_GUILESS_MAIN(TestGpuFavourites)
#include "tst_gpu_favourites.moc"
