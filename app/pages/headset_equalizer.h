#pragma once
// The headset page's equaliser helpers: the response curve of the settings being edited, and
// custom presets written to and read from JSON files.
#include <QObject>
#include <QUrl>
#include <QVariantList>
#include <QVariantMap>

class HeadsetEqualizer : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // [{ "frequency": Hz, "gain": dB }, ...] for count frequencies from 20 Hz to 20 kHz.
    Q_INVOKABLE QVariantList responseCurve(const QVariantList& gains, bool dialogue, bool bass, int count) const;
    // The band centre frequencies in Hz.
    Q_INVOKABLE QVariantList bandFrequencies() const;

    // preset: "ModeName", "dialogEnhance", "bassControl", "GEQ_Band0" ... "GEQ_Band9" (the
    // keys of a custom slot). Answers "" when the file was written, else why not.
    Q_INVOKABLE QString exportPreset(const QUrl& file, const QVariantMap& preset) const;
    // The preset under the same keys, or { "error": why the file was refused }.
    Q_INVOKABLE QVariantMap importPreset(const QUrl& file) const;
};
