#include "devices/headset/headset_options.h"

#include <QStringList>
#include <array>

namespace {

const std::array<HeadsetOption, 8> kOptions{{
    {1, L"game1", QStringLiteral("Gaming")},
    {2, L"music", QStringLiteral("Music")},
    {3, L"movie", QStringLiteral("Theater")},
    {4, L"voice", QStringLiteral("Voice")},
    {5, L"custom", QStringLiteral("Custom")},
    {6, L"custom", QStringLiteral("Custom")},
    {7, L"custom", QStringLiteral("Custom")},
    {8, L"APO4-Off", QStringLiteral("Off")},
}};

} // namespace

std::optional<HeadsetOption> headsetOptionFor(int option)
{
    for (const HeadsetOption& entry : kOptions) {
        if (entry.option == option)
            return entry;
    }
    return std::nullopt;
}

bool isCustomSlot(int option)
{
    return option >= 5 && option <= 7;
}

int customSlotNumber(int option)
{
    return isCustomSlot(option) ? option - 4 : 0;
}

QString displayNameForMode(const std::wstring& componentModeName)
{
    const QString mode = QString::fromStdWString(componentModeName);
    for (const HeadsetOption& entry : kOptions) {
        if (mode.contains(QString::fromStdWString(entry.modeName), Qt::CaseInsensitive))
            return entry.displayName;
    }
    return {};
}
