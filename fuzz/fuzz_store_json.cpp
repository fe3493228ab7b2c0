// The store's readers on whatever a file holds: each reads it or falls back to its defaults,
// and a file it cannot read is either left alone or kept aside, never lost.
#include "core/game_map_file.h"
#include "core/macro_store.h"
#include "core/profile_names.h"
#include "devices/gpu/favourites_store.h"
#include "fuzz_support.h"
#include "util/files.h"
#include "util/json_files.h"
#include "util/store_reading.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    const QString path = writeScratchFile(QStringLiteral("store.json"), data, size);
    const QString aside = path + QStringLiteral(".broken");
    QFile::remove(aside);

    loadJsonList(path);
    QVariantMap object;
    loadJsonObject(path, object);
    GameMap games;
    loadGameMapFile(path, games);
    loadProfileNames(path);
    loadMacros(path);
    loadFavourites(path);
    readIntFromFile(path);
    readFlagFromFile(path);
    readFirstLineFromFile(path);

    QFile kept(aside);
    const bool keptAside = kept.open(QIODevice::ReadOnly);
    if (qint64(size) > kMaxStoreFileBytes) {
        // Too large to read: moved aside whole by the first reader.
        require(!QFile::exists(path) && keptAside && kept.size() == qint64(size), "an oversized file was not kept aside");
        return 0;
    }
    QFile still(path);
    require(still.open(QIODevice::ReadOnly) && still.readAll() == bytes, "a reader changed the file it read");
    require(!keptAside || kept.readAll() == bytes, "the copy kept aside differs from the file");
    return 0;
}
