#include "devices/headset/dts_control_names.h"

namespace {

const QString kStereoMode = QStringLiteral("Eagle-Stereo Mode");

QStringList bandGainNames()
{
    QStringList names;
    for (int band = 0; band < 10; ++band)
        names << QStringLiteral("Eagle-GEQ Band%1 Gain").arg(band);
    return names;
}

} // namespace

const QStringList& textControlNames()
{
    static const QStringList names{
        kStereoMode,
        QStringLiteral("Eagle-HPEQ Blob 44k"),
        QStringLiteral("Eagle-HPEQ Blob 48k"),
        QStringLiteral("Eagle-Headphone Name"),
        QStringLiteral("Eagle-I3DA Room Index"),
        QStringLiteral("Eagle-LC Preset"),
        QStringLiteral("Eagle-MBHL Mode"),
        QStringLiteral("Eagle-PEREQ Hearing Test"),
        QStringLiteral("Eagle-PEREQ MODE"),
        QStringLiteral("Eagle-TBHDX Mode"),
    };
    return names;
}

const QStringList& integerControlNames()
{
    static const QStringList names = QStringList{
        QStringLiteral("Eagle-AEQ Enable"),
        QStringLiteral("Eagle-DE Enable"),
        QStringLiteral("Eagle-DE Level"),
        QStringLiteral("Eagle-DE Max Level"),
        QStringLiteral("Eagle-DE Min Level"),
        QStringLiteral("Eagle-GEQ Enable"),
    } + bandGainNames() + QStringList{
        QStringLiteral("Eagle-HPF Enable"),
        QStringLiteral("Eagle-HPF Freq"),
        QStringLiteral("Eagle-HPF Order"),
        QStringLiteral("Eagle-I3DA Enable"),
        QStringLiteral("Eagle-I3DA Output Gain"),
        QStringLiteral("Eagle-LC Enable"),
        QStringLiteral("Eagle-LC Loudness"),
        QStringLiteral("Eagle-MBHL Anticlip Enable"),
        QStringLiteral("Eagle-MBHL Anticlip Level"),
        QStringLiteral("Eagle-MBHL Boost"),
        QStringLiteral("Eagle-MBHL Comp Attack"),
        QStringLiteral("Eagle-MBHL Comp High Decay"),
        QStringLiteral("Eagle-MBHL Comp Low Decay"),
        QStringLiteral("Eagle-MBHL Comp Mid Decay"),
        QStringLiteral("Eagle-MBHL Custom Low Cross"),
        QStringLiteral("Eagle-MBHL Custom Mid Cross"),
        QStringLiteral("Eagle-MBHL Distortion Preventable"),
        QStringLiteral("Eagle-MBHL Enable"),
        QStringLiteral("Eagle-MBHL High Makeup Gain"),
        QStringLiteral("Eagle-MBHL High Ratio"),
        QStringLiteral("Eagle-MBHL High Thresh"),
        QStringLiteral("Eagle-MBHL Low Cross"),
        QStringLiteral("Eagle-MBHL Low Makeup Gain"),
        QStringLiteral("Eagle-MBHL Low Ratio"),
        QStringLiteral("Eagle-MBHL Low Thresh"),
        QStringLiteral("Eagle-MBHL Mid Cross"),
        QStringLiteral("Eagle-MBHL Mid Makeup Gain"),
        QStringLiteral("Eagle-MBHL Mid Ratio"),
        QStringLiteral("Eagle-MBHL Mid Thresh"),
        QStringLiteral("Eagle-MBHL Output Gain"),
        QStringLiteral("Eagle-PEREQ MV DOWNSTREAM FLAG"),
        QStringLiteral("Eagle-PreDownMixer Enable"),
        QStringLiteral("Eagle-TBHDX Bass Level"),
        QStringLiteral("Eagle-TBHDX Bass Max Level"),
        QStringLiteral("Eagle-TBHDX Bass Min Level"),
        QStringLiteral("Eagle-TBHDX Dynamics"),
        QStringLiteral("Eagle-TBHDX Enable"),
        QStringLiteral("Eagle-TBHDX Extended Bass"),
        QStringLiteral("Eagle-TBHDX HP Ratio"),
        QStringLiteral("Eagle-TBHDX HRM Level"),
        QStringLiteral("Eagle-TBHDX Input Gain"),
        QStringLiteral("Eagle-TBHDX Speaker Custom Size"),
        QStringLiteral("Eagle-Treble Enable"),
        QStringLiteral("Eagle-Treble Level"),
    };
    return names;
}

QString operatingModeKey(const QString& controlName)
{
    if (controlName == kStereoMode)
        return controlName;
    return QStringLiteral("SFX:") + controlName;
}

bool isTextControl(const QString& controlName)
{
    for (const QString& text : textControlNames()) {
        if (controlName.contains(text, Qt::CaseInsensitive))
            return true;
    }
    return false;
}
