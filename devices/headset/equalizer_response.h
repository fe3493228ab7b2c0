#pragma once
// What the equaliser does to the sound: the ten bands, bass and dialogue enhancement as
// second-order filters, and the magnitude of their chain at any frequency. Pure arithmetic.
#include <array>
#include <vector>

namespace headset {

constexpr int kEqualizerBands = 10;
// Centre frequencies of the bands in Hz, one octave apart.
constexpr std::array<double, kEqualizerBands> kBandFrequencies{32, 64, 125, 250, 500, 1000, 2000, 4000, 8000, 16000};
constexpr double kSampleRate = 48000;

enum class FilterKind { Peaking, LowShelf, HighShelf };

struct FilterSpec {
    FilterKind kind = FilterKind::Peaking;
    double frequency = 1000; // Hz: centre of a peak, corner of a shelf
    double q = 1;            // peak: centre frequency / bandwidth; shelf: slope (1 = steepest without overshoot)
    double gainDb = 0;
};

struct EqualizerShape {
    std::array<double, kEqualizerBands> gainsDb{};
    bool dialogue = false;
    bool bass = false;
};

// The filters in the order they process the sound: the ten bands, then the bass shelf and the
// dialogue peak when they are on.
std::vector<FilterSpec> equalizerFilters(const EqualizerShape& shape);

// Gain in dB of one filter, and of the whole chain, at a frequency (Hz, below half the
// sample rate).
double filterGainDb(const FilterSpec& filter, double frequency, double sampleRate = kSampleRate);
double responseDb(const EqualizerShape& shape, double frequency, double sampleRate = kSampleRate);

struct ResponsePoint {
    double frequency;
    double gainDb;
};

// The response at count frequencies spaced evenly on a logarithmic scale from low to high.
std::vector<ResponsePoint> responseCurve(const EqualizerShape& shape, double low, double high, int count);

} // namespace headset
