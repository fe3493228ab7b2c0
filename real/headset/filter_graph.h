#pragma once
// The sound of the headset's active operating mode as one chain of biquad filters: the ten
// equaliser bands, a low shelf for bass enhancement and a presence peak for dialogue
// enhancement. Pure: from the mode's controls to filter gains, and from gains to the
// filter-chain module's arguments and the node's control names.
#include "devices/headset/model/dts_component_state.h"

#include <QList>
#include <QPair>
#include <QString>
#include <array>

constexpr int kEqualiserBands = 10;

struct FilterGains {
    std::array<float, kEqualiserBands> bands{}; // dB
    float bass = 0;                             // dB of the low shelf
    float dialogue = 0;                         // dB of the presence peak

    bool operator==(const FilterGains& other) const
    {
        return bands == other.bands && bass == other.bass && dialogue == other.dialogue;
    }
};

// Centre frequencies of the equaliser bands, in Hz (octaves from 31.25 Hz).
const std::array<float, kEqualiserBands>& equaliserFrequencies();

// The gains of a mode: its band gains while its equaliser is on, the bass shelf and the
// presence peak at the mode's levels while their switches are on. A mode whose processing is
// off (the off mode) is flat: every gain 0 dB, which a biquad passes unchanged.
FilterGains filterGainsForMode(const DtsMode& mode);

// Control names of the running node with their values, in graph order ("eq_band_0:Gain" ...).
QList<QPair<QString, float>> filterControls(const FilterGains& gains);

// Names of the filter's nodes: the sink the sound is played into and the stream that plays
// the processed sound on the headset.
QString filterSinkName();
QString filterOutputName();

// Arguments of libpipewire-module-filter-chain for these gains, in front of the sink named
// `headsetNodeName`, with `description` as the name desktops show for the filter's sink.
QString filterChainArguments(const FilterGains& gains, const QString& headsetNodeName, const QString& description);
