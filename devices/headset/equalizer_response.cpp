#include "devices/headset/equalizer_response.h"

#include <cmath>
#include <complex>

namespace headset {

namespace {

// One octave per band: Q = sqrt(2^N) / (2^N - 1) with N = 1.
constexpr double kBandQ = 1.4142;
// Bass enhancement lifts everything below about 100 Hz; dialogue enhancement lifts the
// presence range where speech is understood.
constexpr FilterSpec kBassShelf{FilterKind::LowShelf, 100, 1.0, 6.0};
constexpr FilterSpec kDialoguePeak{FilterKind::Peaking, 2500, 0.8, 4.0};
constexpr double kPi = 3.14159265358979323846;

struct Coefficients {
    double b0, b1, b2, a0, a1, a2;
};

// The audio-EQ cookbook biquads (bilinear transform, frequency pre-warped at the centre or
// corner): the gain at that frequency is exactly the one asked for.
Coefficients coefficientsOf(const FilterSpec& f, double sampleRate)
{
    const double a = std::pow(10.0, f.gainDb / 40.0);
    const double w0 = 2 * kPi * f.frequency / sampleRate;
    const double cosw = std::cos(w0);
    const double sinw = std::sin(w0);
    if (f.kind == FilterKind::Peaking) {
        const double alpha = sinw / (2 * f.q);
        return {1 + alpha * a, -2 * cosw, 1 - alpha * a, 1 + alpha / a, -2 * cosw, 1 - alpha / a};
    }
    const double alpha = sinw / 2 * std::sqrt((a + 1 / a) * (1 / f.q - 1) + 2);
    const double twoRootAAlpha = 2 * std::sqrt(a) * alpha;
    if (f.kind == FilterKind::LowShelf)
        return {a * ((a + 1) - (a - 1) * cosw + twoRootAAlpha), 2 * a * ((a - 1) - (a + 1) * cosw),
                a * ((a + 1) - (a - 1) * cosw - twoRootAAlpha), (a + 1) + (a - 1) * cosw + twoRootAAlpha,
                -2 * ((a - 1) + (a + 1) * cosw), (a + 1) + (a - 1) * cosw - twoRootAAlpha};
    return {a * ((a + 1) + (a - 1) * cosw + twoRootAAlpha), -2 * a * ((a - 1) + (a + 1) * cosw),
            a * ((a + 1) + (a - 1) * cosw - twoRootAAlpha), (a + 1) - (a - 1) * cosw + twoRootAAlpha,
            2 * ((a - 1) - (a + 1) * cosw), (a + 1) - (a - 1) * cosw - twoRootAAlpha};
}

} // namespace

std::vector<FilterSpec> equalizerFilters(const EqualizerShape& shape)
{
    std::vector<FilterSpec> filters;
    for (int band = 0; band < kEqualizerBands; ++band)
        filters.push_back({FilterKind::Peaking, kBandFrequencies[size_t(band)], kBandQ, shape.gainsDb[size_t(band)]});
    if (shape.bass)
        filters.push_back(kBassShelf);
    if (shape.dialogue)
        filters.push_back(kDialoguePeak);
    return filters;
}

double filterGainDb(const FilterSpec& filter, double frequency, double sampleRate)
{
    if (filter.gainDb == 0)
        return 0;
    const Coefficients c = coefficientsOf(filter, sampleRate);
    const std::complex<double> z1 = std::polar(1.0, -2 * kPi * frequency / sampleRate);
    const std::complex<double> z2 = z1 * z1;
    const double magnitude = std::abs(c.b0 + c.b1 * z1 + c.b2 * z2) / std::abs(c.a0 + c.a1 * z1 + c.a2 * z2);
    return 20 * std::log10(magnitude);
}

double responseDb(const EqualizerShape& shape, double frequency, double sampleRate)
{
    double total = 0;
    for (const FilterSpec& filter : equalizerFilters(shape))
        total += filterGainDb(filter, frequency, sampleRate);
    return total;
}

std::vector<ResponsePoint> responseCurve(const EqualizerShape& shape, double low, double high, int count)
{
    std::vector<ResponsePoint> points;
    if (count < 2 || low <= 0 || high <= low)
        return points;
    const double step = std::log(high / low) / (count - 1);
    for (int i = 0; i < count; ++i) {
        const double frequency = low * std::exp(step * i);
        points.push_back({frequency, responseDb(shape, frequency)});
    }
    return points;
}

} // namespace headset
