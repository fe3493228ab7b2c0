// The update manifest and the firmware names taken from its links: whatever the server sends,
// a download is named by one plain file name, and a package unpacks into one plain folder.
#include "core/firmware_files.h"
#include "core/update_manifest.h"
#include "fuzz_support.h"

namespace {

void checkPlain(const QString& name)
{
    require(!name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')), "a name holds a separator");
    require(name != QLatin1String(".") && name != QLatin1String(".."), "a name climbs");
}

void checkLink(const QString& link)
{
    const QString file = firmwareFileNameFromLink(link);
    if (file.isEmpty())
        return;
    checkPlain(file);
    const QString folder = packageFolderName(file);
    require(!folder.isEmpty(), "a package has no folder");
    checkPlain(folder);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    QString error;
    const UpdateManifest manifest = parseManifest(bytes, &error);
    for (const QVariantList& category : manifest) {
        for (const QVariant& entry : category)
            checkLink(entry.toMap().value(QStringLiteral("downloadLink")).toString());
    }
    checkLink(QString::fromUtf8(bytes));
    return 0;
}
