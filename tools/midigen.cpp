// Writes the game's music: five game tracks and one ending track, composed here by rules (a chord
// progression per section, a melody walking the scale around the chord tones, a bass line and a
// drum pattern), as standard MIDI files of format 1.
//   midigen OUT_DIR

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int Ppq = 480;
constexpr int Bar = 4 * Ppq;
constexpr int Eighth = Ppq / 2;
constexpr int Sixteenth = Ppq / 4;
constexpr int DrumChannel = 9;

class Random {
public:
    explicit Random(uint32_t seed) : state_(seed * 2654435761u + 1) {}
    int Below(int n)
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<int>(state_ % static_cast<uint32_t>(n));
    }
    bool Chance(int percent) { return Below(100) < percent; }

private:
    uint32_t state_;
};

struct Event {
    int tick;
    int order; // note-offs sort before note-ons at the same tick
    std::vector<uint8_t> bytes;
};

class Track {
public:
    void Program(int channel, int program, int volume, int pan, int reverb)
    {
        Add(0, 0, {static_cast<uint8_t>(0xC0 | channel), static_cast<uint8_t>(program)});
        Control(channel, 7, volume);
        Control(channel, 10, pan);
        Control(channel, 91, reverb);
    }
    void Control(int channel, int number, int value)
    {
        Add(0, 0,
            {static_cast<uint8_t>(0xB0 | channel), static_cast<uint8_t>(number),
             static_cast<uint8_t>(value)});
    }
    void Note(int channel, int tick, int length, int pitch, int velocity)
    {
        if (pitch < 0 || pitch > 127 || length <= 0)
            return;
        const auto p = static_cast<uint8_t>(pitch);
        Add(tick, 1,
            {static_cast<uint8_t>(0x90 | channel), p, static_cast<uint8_t>(std::clamp(velocity, 1, 127))});
        Add(tick + length, 0, {static_cast<uint8_t>(0x80 | channel), p, 0});
    }
    void Meta(int tick, uint8_t type, std::vector<uint8_t> data)
    {
        std::vector<uint8_t> bytes{0xFF, type, static_cast<uint8_t>(data.size())};
        bytes.insert(bytes.end(), data.begin(), data.end());
        Add(tick, 2, bytes);
    }
    // The chunk, ending at endTick exactly so that a replay starts on the beat.
    std::string Chunk(int endTick)
    {
        std::stable_sort(events_.begin(), events_.end(), [](const Event& a, const Event& b) {
            return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
        });
        std::string body;
        int last = 0;
        for (const Event& e : events_) {
            const int tick = std::min(e.tick, endTick);
            VarLen(body, tick - last);
            last = tick;
            body.append(e.bytes.begin(), e.bytes.end());
        }
        VarLen(body, endTick - last);
        body += "\xFF\x2F";
        body.push_back('\0');
        std::string chunk = "MTrk";
        Be(chunk, static_cast<uint32_t>(body.size()), 4);
        return chunk + body;
    }

    static void Be(std::string& out, uint32_t value, int bytes)
    {
        for (int i = bytes - 1; i >= 0; --i)
            out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }

private:
    void Add(int tick, int order, std::vector<uint8_t> bytes)
    {
        events_.push_back({tick, order, std::move(bytes)});
    }
    static void VarLen(std::string& out, int value)
    {
        std::string rev;
        auto v = static_cast<uint32_t>(value);
        rev.push_back(static_cast<char>(v & 0x7F));
        while ((v >>= 7) != 0)
            rev.push_back(static_cast<char>((v & 0x7F) | 0x80));
        out.append(rev.rbegin(), rev.rend());
    }

    std::vector<Event> events_;
};

enum class Feel { Straight, Shuffle, LazySixteenths };
enum class Comping { Sustain, OffbeatStabs, Arpeggio, MarchChops, Broken };
enum class BassLine { RootFifth, Walking, Octaves, Pedal, Whole };

// A chord is a scale degree (0 = tonic) and how many stacked thirds it carries (3 = triad, 4 = 7th).
struct Chord {
    int degree;
    int notes;
};

struct Style {
    std::string name;
    int tonic;                // MIDI note of the key's tonic, around middle C
    std::array<int, 7> scale; // semitones above the tonic
    int bpm;
    Feel feel;
    std::vector<Chord> verse;  // one chord per bar, 8 bars
    std::vector<Chord> bridge; // one chord per bar, 8 bars
    std::string form;          // sections after the two-bar intro: 'A' verse, 'B' bridge
    int leadProgram, chordProgram, bassProgram;
    Comping comping;
    BassLine bass;
    std::array<std::string, 4> drums; // kick, snare, hat, extra: 16 steps per bar, 'x' loud, 'o' soft
    int extraDrum;
    int melodyDensity; // percent of rhythm slots that sound
    int leadOctave;    // semitones the melody sits above the key's own octave
    uint32_t seed;
};

constexpr std::array<int, 7> Major{0, 2, 4, 5, 7, 9, 11};
constexpr std::array<int, 7> Minor{0, 2, 3, 5, 7, 8, 10};
constexpr std::array<int, 7> Dorian{0, 2, 3, 5, 7, 9, 10};

class Composer {
public:
    explicit Composer(const Style& style) : s_(style), rng_(style.seed) {}

    std::string Compose()
    {
        std::vector<Chord> chords(2, s_.verse.front());
        for (char section : s_.form) {
            const auto& part = section == 'A' ? s_.verse : s_.bridge;
            chords.insert(chords.end(), part.begin(), part.end());
        }
        const int bars = static_cast<int>(chords.size());

        Track meta;
        const uint32_t tempo = 60000000u / static_cast<uint32_t>(s_.bpm);
        meta.Meta(0, 0x51,
                  {static_cast<uint8_t>(tempo >> 16), static_cast<uint8_t>(tempo >> 8),
                   static_cast<uint8_t>(tempo)});
        meta.Meta(0, 0x58, {4, 2, 24, 8});
        meta.Meta(0, 0x03, std::vector<uint8_t>(s_.name.begin(), s_.name.end()));

        Track lead, harmony, bass, drums;
        lead.Program(0, s_.leadProgram, 100, 64, 50);
        harmony.Program(1, s_.chordProgram, 72, 44, 60);
        bass.Program(2, s_.bassProgram, 96, 64, 20);
        drums.Program(DrumChannel, 0, 80, 64, 30);

        std::map<char, std::vector<MelodyNote>> themes;
        for (int bar = 0; bar < bars; ++bar) {
            const int start = bar * Bar;
            Harmony(harmony, start, chords[static_cast<size_t>(bar)]);
            Bass(bass, start, chords[static_cast<size_t>(bar)],
                 chords[static_cast<size_t>((bar + 1) % bars)]);
            Drums(drums, start, bar == 2, bar < 2);
        }
        int bar = 2;
        for (char section : s_.form) {
            const auto& part = section == 'A' ? s_.verse : s_.bridge;
            // A section heard again brings back its tune, so the piece has something to remember.
            if (!themes.contains(section))
                themes[section] = Melody(part, section == 'B' ? 2 : 0);
            for (const MelodyNote& n : themes[section])
                lead.Note(0, Swing(bar * Bar + n.tick), n.length, n.pitch, n.velocity);
            bar += static_cast<int>(part.size());
        }

        const int end = bars * Bar;
        std::string file = "MThd";
        Track::Be(file, 6, 4);
        Track::Be(file, 1, 2);
        Track::Be(file, 5, 2);
        Track::Be(file, Ppq, 2);
        for (Track* t : {&meta, &lead, &harmony, &bass, &drums})
            file += t->Chunk(end);
        return file;
    }

private:
    struct MelodyNote {
        int tick, length, pitch, velocity;
    };

    // Pitch of scale step `step` (0 = tonic; 7 = the octave above).
    int Step(int step) const
    {
        const int octave = step >= 0 ? step / 7 : (step - 6) / 7;
        const int index = step - octave * 7;
        return s_.tonic + 12 * octave + s_.scale[static_cast<size_t>(index)];
    }
    std::vector<int> ChordSteps(const Chord& c) const
    {
        std::vector<int> steps;
        for (int i = 0; i < c.notes; ++i)
            steps.push_back(c.degree + 2 * i);
        return steps;
    }
    bool IsChordStep(const Chord& c, int step) const
    {
        for (int s : ChordSteps(c))
            if (((step - s) % 7 + 7) % 7 == 0)
                return true;
        return false;
    }

    int Swing(int tick) const
    {
        if (s_.feel == Feel::Shuffle && tick % Ppq == Eighth)
            return tick + Eighth / 3;
        if (s_.feel == Feel::LazySixteenths && tick % Eighth == Sixteenth)
            return tick + Sixteenth / 3;
        return tick;
    }
    int Humanize(int velocity) { return velocity + rng_.Below(9) - 4; }

    // Two-bar phrases: the first answers with a variation of itself, the last four bars of a
    // section cadence onto a chord tone held long, the tonic at the very end.
    std::vector<MelodyNote> Melody(const std::vector<Chord>& chords, int lift)
    {
        static const std::vector<std::vector<std::pair<int, int>>> rhythms{
            {{0, 2}, {2, 2}, {4, 1}, {5, 1}, {6, 2}},
            {{0, 3}, {3, 1}, {4, 2}, {6, 2}},
            {{0, 1}, {1, 1}, {2, 2}, {4, 4}},
            {{0, 2}, {3, 1}, {4, 1}, {5, 1}, {6, 2}},
            {{0, 4}, {4, 2}, {6, 2}},
            {{1, 1}, {2, 1}, {3, 1}, {4, 2}, {6, 2}},
        };
        const size_t count = rhythms.size();
        const std::array<size_t, 2> motif{static_cast<size_t>(rng_.Below(static_cast<int>(count))),
                                          static_cast<size_t>(rng_.Below(static_cast<int>(count)))};
        std::vector<MelodyNote> notes;
        int step = 7 + lift;
        const int low = 3 + lift;
        const int high = low + 9;
        for (size_t bar = 0; bar < chords.size(); ++bar) {
            const Chord& chord = chords[bar];
            const bool cadence = bar % 4 == 3;
            const auto& rhythm = cadence ? rhythms[4] : rhythms[motif[bar % 2]];
            for (size_t i = 0; i < rhythm.size(); ++i) {
                const auto [at, len] = rhythm[i];
                const bool strong = at % 4 == 0;
                if (!strong && !rng_.Chance(s_.melodyDensity))
                    continue;
                if (strong || cadence) {
                    // The nearest chord tone, now and then one a third away for a leap.
                    int best = step;
                    for (int d = 0; d <= 3; ++d) {
                        if (IsChordStep(chord, step + d)) {
                            best = step + d;
                            break;
                        }
                        if (IsChordStep(chord, step - d)) {
                            best = step - d;
                            break;
                        }
                    }
                    step = best + (rng_.Chance(25) ? (rng_.Chance(50) ? 2 : -2) : 0);
                } else {
                    step += rng_.Chance(50) ? 1 : -1;
                    if (rng_.Chance(15))
                        step += rng_.Chance(50) ? 1 : -1;
                }
                if (step < low)
                    step += 2;
                if (step > high)
                    step -= 2;
                if (cadence && bar + 1 == chords.size() && i + 1 == rhythm.size())
                    step = ((step - chord.degree + 3) / 7) * 7 + chord.degree;
                int length = len * Eighth;
                if (cadence && i + 1 == rhythm.size())
                    length = (8 - at) * Eighth;
                notes.push_back({at * Eighth, length - Sixteenth / 2, Step(step) - 12 + s_.leadOctave,
                                 Humanize(strong ? 96 : 84)});
            }
        }
        return notes;
    }

    void Harmony(Track& t, int start, const Chord& c)
    {
        std::vector<int> pitches;
        for (int step : ChordSteps(c))
            pitches.push_back(Step(step) - 12);
        // Every chord in the same octave around middle C: the harmony stays put under the tune.
        for (int& p : pitches) {
            while (p > 64)
                p -= 12;
            while (p < 52)
                p += 12;
        }
        std::sort(pitches.begin(), pitches.end());
        switch (s_.comping) {
        case Comping::Sustain:
            for (int p : pitches)
                t.Note(1, start, Bar - 10, p, Humanize(64));
            break;
        case Comping::OffbeatStabs:
            for (int beat = 0; beat < 4; ++beat)
                for (int p : pitches)
                    t.Note(1, Swing(start + beat * Ppq + Eighth), Eighth - 20, p,
                           Humanize(beat % 2 ? 70 : 62));
            break;
        case Comping::Arpeggio:
            for (int i = 0; i < 16; ++i) {
                const int p = pitches[static_cast<size_t>(i) % pitches.size()] + 12 * ((i / 4) % 2);
                t.Note(1, start + i * Sixteenth, Sixteenth - 10, p, Humanize(i % 4 == 0 ? 70 : 56));
            }
            break;
        case Comping::MarchChops:
            for (int beat = 0; beat < 4; ++beat)
                for (int p : pitches)
                    t.Note(1, start + beat * Ppq, beat % 2 ? Eighth : Eighth + Sixteenth, p,
                           Humanize(beat == 0 ? 78 : 64));
            break;
        case Comping::Broken:
            for (size_t i = 0; i < pitches.size(); ++i)
                t.Note(1, Swing(start + static_cast<int>(i) * Eighth),
                       Bar - static_cast<int>(i) * Eighth - 20, pitches[i], Humanize(58));
            t.Note(1, Swing(start + 2 * Ppq + Eighth), Ppq + Eighth - 20, pitches.back() + 12, Humanize(50));
            break;
        }
    }

    void Bass(Track& t, int start, const Chord& c, const Chord& next)
    {
        const int root = Step(c.degree) - 24;
        const int fifth = Step(c.degree + 4) - 24;
        const int target = Step(next.degree) - 24;
        switch (s_.bass) {
        case BassLine::RootFifth:
            t.Note(2, start, Ppq + Eighth - 20, root, Humanize(96));
            t.Note(2, Swing(start + Ppq + Eighth), Eighth - 20, root, Humanize(76));
            t.Note(2, start + 2 * Ppq, Ppq - 20, fifth, Humanize(88));
            t.Note(2, start + 3 * Ppq, Ppq - 20, target > root ? target - 1 : target + 1, Humanize(80));
            break;
        case BassLine::Walking: {
            const int third = Step(c.degree + 2) - 24;
            const std::array<int, 4> walk{root, third, fifth, target > root ? target - 1 : target + 2};
            for (int beat = 0; beat < 4; ++beat)
                t.Note(2, start + beat * Ppq, Ppq - 30, walk[static_cast<size_t>(beat)],
                       Humanize(beat ? 80 : 92));
            break;
        }
        case BassLine::Octaves:
            for (int i = 0; i < 8; ++i)
                t.Note(2, start + i * Eighth, Eighth - 30, root + (i % 2) * 12, Humanize(i % 2 ? 72 : 90));
            break;
        case BassLine::Pedal:
            for (int beat = 0; beat < 4; ++beat)
                t.Note(2, start + beat * Ppq, Eighth + Sixteenth, beat % 2 ? fifth : root,
                       Humanize(beat ? 80 : 94));
            break;
        case BassLine::Whole:
            t.Note(2, start, 2 * Ppq + Ppq / 2, root, Humanize(78));
            t.Note(2, start + 3 * Ppq, Ppq - 20, fifth, Humanize(64));
            break;
        }
    }

    void Drums(Track& t, int start, bool crash, bool intro)
    {
        static constexpr std::array<int, 3> voices{36, 38, 42};
        for (size_t v = 0; v < 4; ++v) {
            const std::string& pattern = s_.drums[v];
            const int key = v < 3 ? voices[v] : s_.extraDrum;
            // The intro keeps only the pulse, so the full groove arrives with the tune.
            if (intro && v == 1)
                continue;
            for (int i = 0; i < static_cast<int>(pattern.size()); ++i) {
                const char c = pattern[static_cast<size_t>(i)];
                if (c == '.')
                    continue;
                t.Note(DrumChannel, Swing(start + i * Sixteenth), Sixteenth, key,
                       Humanize(c == 'x' ? 96 : 60));
            }
        }
        if (crash)
            t.Note(DrumChannel, start, Ppq, 49, 90);
    }

    const Style& s_;
    Random rng_;
};

std::vector<Style> Styles()
{
    return {
        {"Afternoon Shuffle",
         65,
         Major,
         96,
         Feel::Shuffle,
         {{0, 4}, {5, 4}, {1, 4}, {4, 4}, {0, 4}, {5, 4}, {1, 4}, {4, 3}},
         {{3, 4}, {2, 4}, {5, 4}, {0, 4}, {3, 4}, {2, 4}, {1, 4}, {4, 4}},
         "ABA",
         11,
         4,
         32,
         Comping::OffbeatStabs,
         BassLine::Walking,
         {"x.......x.o.....", "....x.......x...", "x.x.x.x.x.x.x.x.", "................"},
         42,
         70,
         0,
         11},
        {"Sunny Board",
         67,
         Major,
         120,
         Feel::Straight,
         {{0, 3}, {4, 3}, {5, 3}, {3, 3}, {0, 3}, {4, 3}, {5, 3}, {3, 3}},
         {{3, 3}, {4, 3}, {2, 3}, {5, 3}, {3, 3}, {4, 3}, {0, 3}, {4, 3}},
         "AABA",
         73,
         1,
         34,
         Comping::Arpeggio,
         BassLine::RootFifth,
         {"x.....x.x.......", "....x.......x..o", "x.x.x.x.x.x.x.x.", "..............x."},
         46,
         80,
         0,
         22},
        {"Night Thread",
         69,
         Dorian,
         78,
         Feel::LazySixteenths,
         {{0, 4}, {3, 4}, {6, 4}, {2, 4}, {0, 4}, {3, 4}, {5, 4}, {4, 4}},
         {{5, 4}, {4, 4}, {2, 4}, {0, 4}, {5, 4}, {4, 4}, {3, 4}, {4, 4}},
         "AB",
         26,
         5,
         35,
         Comping::Broken,
         BassLine::Whole,
         {"x......x..x.....", "....o.......o...", "x.o.x.o.x.o.x.oo", "..........x....."},
         75,
         55,
         0,
         33},
        {"Parade of Posts",
         70,
         Major,
         112,
         Feel::Straight,
         {{0, 3}, {3, 3}, {0, 3}, {4, 3}, {0, 3}, {3, 3}, {4, 3}, {0, 3}},
         {{4, 3}, {0, 3}, {4, 3}, {0, 3}, {3, 3}, {0, 3}, {4, 3}, {0, 3}},
         "ABA",
         56,
         61,
         58,
         Comping::MarchChops,
         BassLine::Pedal,
         {"x...x...x...x...", "..o.x.oox.o.x.ox", "................", "o..............."},
         57,
         75,
         0,
         44},
        {"Pixel Rush",
         64,
         Minor,
         140,
         Feel::Straight,
         {{0, 3}, {5, 3}, {2, 3}, {6, 3}, {0, 3}, {5, 3}, {2, 3}, {6, 3}},
         {{3, 3}, {6, 3}, {2, 3}, {5, 3}, {3, 3}, {6, 3}, {4, 3}, {4, 3}},
         "AABB",
         80,
         81,
         38,
         Comping::Arpeggio,
         BassLine::Octaves,
         {"x.......x.x.....", "....x.......x...", "x.x.x.x.x.x.x.x.", "................"},
         42,
         90,
         0,
         55},
        {"Thread Complete",
         60,
         Major,
         68,
         Feel::Straight,
         {{0, 3}, {2, 3}, {3, 3}, {4, 3}, {5, 3}, {3, 3}, {1, 4}, {4, 3}},
         {{3, 4}, {4, 3}, {2, 4}, {5, 3}, {3, 4}, {4, 3}, {1, 4}, {0, 3}},
         "AB",
         0,
         48,
         42,
         Comping::Sustain,
         BassLine::Whole,
         {"o...............", "................", "................", "..o...o...o...o."},
         51,
         45,
         12,
         66},
    };
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: midigen OUT_DIR\n";
        return 2;
    }
    const std::array<std::string, 6> names{"game1", "game2", "game3", "game4", "game5", "ending"};
    const std::vector<Style> styles = Styles();
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string path = std::string(argv[1]) + "/" + names[i] + ".mid";
        const std::string bytes = Composer(styles[i]).Compose();
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!file) {
            std::cerr << "midigen: cannot write " << path << '\n';
            return 1;
        }
    }
    return 0;
}
