// Steam's files on disk: app manifests, the library folder list and manifest file names.
#include "core/steam_manifest.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), int(size));
    parseAppManifest(text);
    parseLibraryFolders(text);
    appIdFromManifestFileName(text);
    return 0;
}
