// The headset's operating-mode XML, as it is read at start.
#include "fuzz_support.h"
#include "util/xml_modes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    loadOperatingModesFromXml(writeScratchFile(QStringLiteral("modes.xml"), data, size));
    return 0;
}
