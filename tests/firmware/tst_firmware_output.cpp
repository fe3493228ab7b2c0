// What the flashing tools' output means, and which names a manifest may give firmware files.
#include "core/firmware_files.h"
#include "core/firmware_output.h"

#include <QtTest>

namespace {

QList<int> statusesOf(const QString& piece)
{
    QList<int> statuses;
    for (const ToolStatus& s : headsetToolStatuses(piece))
        statuses.append(s.status);
    return statuses;
}

FlashRunVerdict::Verdict lastVerdict(const QStringList& pieces)
{
    FlashRunVerdict verdict;
    FlashRunVerdict::Verdict last = FlashRunVerdict::Verdict::None;
    for (const QString& piece : pieces) {
        const FlashRunVerdict::Verdict v = verdict.take(piece);
        if (v != FlashRunVerdict::Verdict::None)
            last = v;
    }
    return last;
}

} // namespace

class FirmwareOutputTest : public QObject {
    Q_OBJECT

private slots:
    void headsetPiecesReportTheirStatusesInOrder()
    {
        const QString both = "OTA read device info success\r\nupdating 12%\r\n";
        const QList<ToolStatus> statuses = headsetToolStatuses(both);
        QCOMPARE(statuses.size(), 2);
        QCOMPARE(statuses.at(0), (ToolStatus{1, "OTA read device info success"}));
        QCOMPARE(statuses.at(1), (ToolStatus{4, both}));
        QCOMPARE(headsetToolStatuses("Read device info FAIL"), QList<ToolStatus>({{2, "OTA read device info fail"}}));
        QCOMPARE(statusesOf("Please hold the power off button"), QList<int>({3}));
        QCOMPARE(statusesOf("waiting for hold the power off button timeout"), QList<int>({6}));
        // Success and time-out in one piece: success only.
        QCOMPARE(statusesOf("OTA SUCCESS waiting for hold the power off button timeout"), QList<int>({5}));
        QCOMPARE(statusesOf("mptool version 1.0.3\n"), QList<int>());
    }

    void returnCodeIsTheNumberAfterTheLabel()
    {
        QCOMPARE(returnCodeInPiece("flash step 3 return code: 0"), std::optional<int>(0));
        QCOMPARE(returnCodeInPiece("return code:1"), std::optional<int>(1));
        QCOMPARE(returnCodeInPiece("return code: 10"), std::optional<int>(10)); // not its last digit 0
        QCOMPARE(returnCodeInPiece("return code: 0 Completed."), std::optional<int>(0));
        QCOMPARE(returnCodeInPiece("return code: ?"), std::optional<int>(-1));
        QCOMPARE(returnCodeInPiece("return code:"), std::optional<int>(-1));
        QCOMPARE(returnCodeInPiece("return code: 99999999999999"), std::optional<int>(-1));
        QCOMPARE(returnCodeInPiece("Completed."), std::nullopt);
    }

    void completedSucceedsOnlyAfterAZeroReturnCode()
    {
        using V = FlashRunVerdict::Verdict;
        QCOMPARE(lastVerdict({"Erasing", "return code: 0", "Writing", "Completed."}), V::Succeeded);
        QCOMPARE(lastVerdict({"return code: 1", "Completed."}), V::Failed);
        QCOMPARE(lastVerdict({"return code: x", "Completed."}), V::Failed);
        QCOMPARE(lastVerdict({"Completed."}), V::Failed);
        QCOMPARE(lastVerdict({"return code: 0"}), V::None);
        QCOMPARE(lastVerdict({"return code: 0 Completed."}), V::Succeeded);
        QCOMPARE(withoutLineBreaks("return code: 0\r\n"), QString("return code: 0"));
    }

    void firmwareFileNamesArePlainNames()
    {
        QCOMPARE(firmwareFileNameFromLink("https://dl.example/Qel/fw/RM20_FW_v1.2.zip"), QString("RM20_FW_v1.2.zip"));
        QCOMPARE(firmwareFileNameFromLink("https://dl.example/fw/head.bin?sig=abc/def"), QString("head.bin"));
        QCOMPARE(firmwareFileNameFromLink("https://dl.example/fw/My%20FW%20%26%20more.zip"), QString("My FW & more.zip"));
        QCOMPARE(firmwareFileNameFromLink("https://dl.example/fw/%2E%2E"), QString());
        QCOMPARE(firmwareFileNameFromLink("https://dl.example/fw/.."), QString());
        QCOMPARE(firmwareFileNameFromLink("https://dl.example/fw/a%5Cb.zip"), QString());
        QCOMPARE(firmwareFileNameFromLink("https://dl.example/fw/a%00b.zip"), QString());
        QCOMPARE(firmwareFileNameFromLink("https://dl.example/"), QString());
        QCOMPARE(firmwareFileNameFromLink(""), QString());
        // An escaped separator is a separator: only the last part is the name.
        QCOMPARE(firmwareFileNameFromLink("https://dl.example/fw/..%2F..%2Fevil.zip"), QString("evil.zip"));
    }

    void packageFoldersStayInsideTheMouseFolder()
    {
        QCOMPARE(packageFolderName("RM20_FW.zip"), QString("RM20_FW"));
        QCOMPARE(packageFolderName("RM20_FW.ZIP"), QString("RM20_FW"));
        QCOMPARE(packageFolderName("pkg.tar.gz"), QString("pkg"));
        QCOMPARE(packageFolderName("..zip"), QString("..zip.unpacked"));
        QCOMPARE(packageFolderName(".zip"), QString(".zip.unpacked"));
        QCOMPARE(packageFolderName("firmware"), QString("firmware.unpacked"));
    }
};

QTEST_GUILESS_MAIN(FirmwareOutputTest)
#include "tst_firmware_output.moc"
