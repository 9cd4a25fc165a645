// Writes sound.dat: the game's six effects, synthesised here, as complete RIFF wave images (8-bit
// mono PCM, 11025 Hz) of the fixed sizes the game reads, one after the other.
//   sounddat OUT_FILE

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int SampleRate = 11025;
constexpr int HeaderSize = 44;
constexpr double Nyquist = SampleRate / 2.0;
constexpr double TwoPi = 2.0 * std::numbers::pi;

using Signal = std::vector<double>;

double Seconds(size_t sample)
{
    return static_cast<double>(sample) / SampleRate;
}

// A note of additive partials (multiples of freq with their levels); partials at or above the
// Nyquist limit are left out so that nothing aliases into a whine.
struct Tone {
    double freq;
    std::vector<double> partials;
};

double ToneSample(const Tone& tone, double phaseTime, double vibratoDepth = 0.0)
{
    const double vibrato = vibratoDepth * std::sin(TwoPi * 5.5 * phaseTime);
    double sum = 0.0;
    for (size_t k = 0; k < tone.partials.size(); ++k) {
        const double f = tone.freq * static_cast<double>(k + 1);
        if (f >= Nyquist * 0.9)
            break;
        sum += tone.partials[k] * std::sin(TwoPi * f * phaseTime * (1.0 + vibrato));
    }
    return sum;
}

// Soft attack, then exponential decay; smooth at both ends.
double Envelope(double t, double attack, double decay)
{
    if (t < 0.0)
        return 0.0;
    if (t < attack)
        return 0.5 - 0.5 * std::cos(std::numbers::pi * t / attack);
    return std::exp(-(t - attack) / decay);
}

void AddNote(Signal& out, double start, double length, const Tone& tone, double level, double attack,
             double decay, double vibrato = 0.0)
{
    const double release = 0.02;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = Seconds(i) - start;
        if (t < 0.0 || t > length)
            continue;
        double env = Envelope(t, attack, decay);
        if (t > length - release)
            env *= (length - t) / release;
        out[i] += level * env * ToneSample(tone, t, vibrato);
    }
}

double Note(int midi)
{
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

// A small deterministic noise source.
class Noise {
public:
    double Next()
    {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<double>(state_ >> 8) / static_cast<double>(1u << 24) * 2.0 - 1.0;
    }

private:
    uint32_t state_ = 0x2545F491u;
};

// Band-pass noise (a biquad recomputed every sample) whose centre and loudness follow the given
// curves.
template <typename Centre, typename Level>
void AddFilteredNoise(Signal& out, double start, double length, double q, Centre centre, Level level)
{
    Noise noise;
    double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = Seconds(i) - start;
        if (t < 0.0 || t > length)
            continue;
        const double w = TwoPi * std::min(centre(t), Nyquist * 0.85) / SampleRate;
        const double alpha = std::sin(w) / (2.0 * q);
        const double a0 = 1.0 + alpha;
        const double x = noise.Next();
        const double y = (alpha * x - alpha * x2 + 2.0 * std::cos(w) * y1 - (1.0 - alpha) * y2) / a0;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        out[i] += level(t) * y;
    }
}

// Scales to the given peak and fades the last few milliseconds so that no image ends on a step.
void Finish(Signal& signal, double peak)
{
    double max = 0.0;
    for (double v : signal)
        max = std::max(max, std::abs(v));
    if (max > 0.0)
        for (double& v : signal)
            v *= peak / max;
    const size_t fade = std::min<size_t>(signal.size(), SampleRate / 100);
    for (size_t i = 0; i < fade; ++i)
        signal[signal.size() - 1 - i] *= static_cast<double>(i) / static_cast<double>(fade);
}

Signal Blank(size_t imageSize)
{
    return Signal(imageSize - HeaderSize, 0.0);
}

Tone Bell(double f)
{
    return {f, {1.0, 0.35, 0.12, 0.05}};
}

// Effect 1: two bell notes a fifth apart, ringing out: "yes, that's chosen".
Signal ConfirmChime()
{
    Signal s = Blank(11124);
    AddNote(s, 0.00, 0.95, Bell(Note(84)), 0.8, 0.004, 0.22);
    AddNote(s, 0.08, 0.92, Bell(Note(91)), 0.9, 0.004, 0.28);
    Finish(s, 0.85);
    return s;
}

// Effect 2: a dry, high wooden tick, over in a few hundredths of a second.
Signal CursorTick()
{
    Signal s = Blank(4152);
    AddNote(s, 0.0, 0.06, {1900.0, {1.0, 0.2}}, 1.0, 0.0015, 0.012);
    AddFilteredNoise(
        s, 0.0, 0.03, 2.0, [](double) { return 3000.0; },
        [](double t) { return 0.6 * Envelope(t, 0.001, 0.005); });
    Finish(s, 0.6);
    return s;
}

// Effect 3: a quick rising major arpeggio into a held, shimmering chord: the game begins.
Signal StartFlourish()
{
    Signal s = Blank(14892);
    const Tone brass{0.0, {1.0, 0.55, 0.35, 0.2, 0.1}};
    const std::array<int, 4> run{72, 76, 79, 84};
    for (size_t i = 0; i < run.size(); ++i) {
        Tone t = brass;
        t.freq = Note(run[i]);
        AddNote(s, 0.07 * static_cast<double>(i), 0.16, t, 0.55, 0.008, 0.12);
    }
    for (int note : {72, 76, 79, 84}) {
        Tone t = brass;
        t.freq = Note(note);
        AddNote(s, 0.30, 1.04, t, 0.4, 0.02, 0.45, 0.004);
    }
    AddFilteredNoise(
        s, 0.28, 0.5, 4.0, [](double) { return 4200.0; },
        [](double t) { return 0.15 * Envelope(t, 0.01, 0.12); });
    Finish(s, 0.85);
    return s;
}

// Effect 4: a card sliding out (noise sweeping upward) and landing with a soft snap.
Signal CardSwish()
{
    Signal s = Blank(2930);
    AddFilteredNoise(
        s, 0.0, 0.2, 1.5, [](double t) { return 700.0 + 16000.0 * t; },
        [](double t) { return std::sin(std::numbers::pi * std::min(t / 0.2, 1.0)) * 0.7; });
    AddFilteredNoise(
        s, 0.185, 0.07, 1.2, [](double) { return 2400.0; },
        [](double t) { return 1.2 * Envelope(t, 0.001, 0.008); });
    AddNote(s, 0.185, 0.07, {160.0, {1.0}}, 0.5, 0.002, 0.015);
    Finish(s, 0.8);
    return s;
}

// Effect 5: a bright run up the major chord to a sparkling top note: something good happened.
Signal PositiveJingle()
{
    Signal s = Blank(15180);
    const std::vector<double> bright{1.0, 0.45, 0.3, 0.15};
    const std::array<int, 4> run{79, 84, 88, 91};
    for (size_t i = 0; i < run.size(); ++i)
        AddNote(s, 0.09 * static_cast<double>(i), 0.14, {Note(run[i]), bright}, 0.6, 0.004, 0.1);
    AddNote(s, 0.36, 1.0, {Note(96), bright}, 0.65, 0.005, 0.3, 0.003);
    AddNote(s, 0.36, 1.0, {Note(88), bright}, 0.35, 0.005, 0.3);
    AddNote(s, 0.36, 1.0, {Note(91), bright}, 0.35, 0.005, 0.3);
    Finish(s, 0.85);
    return s;
}

// Effect 6: two low, rough, falling buzzes: something bad happened.
Signal NegativeBuzz()
{
    Signal s = Blank(11846);
    std::vector<double> saw;
    for (int k = 1; k <= 30; ++k)
        saw.push_back(1.0 / std::pow(k, 1.2));
    const double lengths[] = {0.28, 0.6};
    const double starts[] = {0.0, 0.36};
    const double pitches[] = {Note(45), Note(41)};
    for (int n = 0; n < 2; ++n) {
        AddNote(s, starts[n], lengths[n], {pitches[n], saw}, 0.6, 0.01, 0.5);
        AddNote(s, starts[n], lengths[n], {pitches[n] * 1.012, saw}, 0.45, 0.01, 0.5);
    }
    Finish(s, 0.8);
    return s;
}

void PutLe(std::string& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::string WaveImage(const Signal& signal)
{
    const auto dataSize = static_cast<uint32_t>(signal.size());
    std::string out = "RIFF";
    PutLe(out, dataSize + HeaderSize - 8, 4);
    out += "WAVEfmt ";
    PutLe(out, 16, 4);
    PutLe(out, 1, 2);
    PutLe(out, 1, 2);
    PutLe(out, SampleRate, 4);
    PutLe(out, SampleRate, 4);
    PutLe(out, 1, 2);
    PutLe(out, 8, 2);
    out += "data";
    PutLe(out, dataSize, 4);
    for (double v : signal) {
        const long sample = std::lround(128.0 + 127.0 * std::clamp(v, -1.0, 1.0));
        out.push_back(static_cast<char>(std::clamp<long>(sample, 0, 255)));
    }
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: sounddat OUT_FILE\n";
        return 2;
    }
    const std::array<Signal, 6> effects{ConfirmChime(), CursorTick(),     StartFlourish(),
                                        CardSwish(),    PositiveJingle(), NegativeBuzz()};
    std::string bytes;
    for (const Signal& effect : effects)
        bytes += WaveImage(effect);
    std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        std::cerr << "sounddat: cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
