// Synthesises the game's four sound files: a wooden click for a piece set
// down, a low buzz for a refused command, a chime for the version box and a
// calm pentatonic tune that loops as background music. Writes 16-bit PCM WAV
// files, 22050 Hz mono, into the folder given (default: sound).
// The output is the same on every run: all noise comes from a fixed seed.
//
//   gen_sounds [OUTPUT_DIR]

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int Rate = 22050;
constexpr double Pi = std::numbers::pi;
constexpr double TwoPi = 2 * Pi;

using Signal = std::vector<double>;

int samples_for(double seconds) { return static_cast<int>(std::lround(seconds * Rate)); }

// Deterministic white noise in [-1, 1].
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed) {}
    double next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_ / 2147483647.5 - 1.0;
    }

private:
    std::uint32_t state_;
};

// Raised-cosine ramp from 0 to 1 over `length` seconds.
double ramp(double t, double length) {
    if (t <= 0) return 0;
    if (t >= length) return 1;
    return 0.5 - 0.5 * std::cos(Pi * t / length);
}

// Fades the last `seconds` of a sound down to exact silence.
void fade_out_tail(Signal& s, double seconds) {
    const int n = std::min<int>(samples_for(seconds), static_cast<int>(s.size()));
    for (int i = 0; i < n; ++i) s[s.size() - 1 - i] *= ramp(static_cast<double>(i) / Rate, seconds);
}

// Fades the first `seconds` of a sound up from exact silence.
void fade_in_head(Signal& s, double seconds) {
    const int n = std::min<int>(samples_for(seconds), static_cast<int>(s.size()));
    for (int i = 0; i < n; ++i) s[i] *= ramp(static_cast<double>(i) / Rate, seconds);
}

void remove_dc(Signal& s) {
    double mean = 0;
    for (double x : s) mean += x;
    mean /= static_cast<double>(s.size());
    for (double& x : s) x -= mean;
}

void normalise(Signal& s, double peak) {
    double highest = 0;
    for (double x : s) highest = std::max(highest, std::abs(x));
    if (highest > 0)
        for (double& x : s) x *= peak / highest;
}

void put_le(std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

bool write_wav(const std::string& path, const Signal& s) {
    std::ofstream out(path, std::ios::binary);
    if (!out) return false;
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(s.size() * 2);
    out.write("RIFF", 4);
    put_le(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    put_le(out, 16, 4);        // fmt chunk size
    put_le(out, 1, 2);         // PCM
    put_le(out, 1, 2);         // mono
    put_le(out, Rate, 4);      // sample rate
    put_le(out, Rate * 2, 4);  // bytes per second
    put_le(out, 2, 2);         // block align
    put_le(out, 16, 2);        // bits per sample
    out.write("data", 4);
    put_le(out, dataBytes, 4);
    for (double x : s) {
        const long v = std::lround(std::clamp(x, -1.0, 1.0) * 32767.0);
        put_le(out, static_cast<std::uint32_t>(static_cast<std::int16_t>(v)) & 0xFFFF, 2);
    }
    return static_cast<bool>(out);
}

// ---- 駒打音: a piece set down on a wooden board ----

Signal make_click() {
    // Damped resonances of the board and the piece: frequency (Hz), level, decay (s).
    struct Mode {
        double freq, level, decay;
    };
    static constexpr Mode modes[] = {
        {310, 0.55, 0.045}, {870, 1.00, 0.028}, {1390, 0.55, 0.020}, {2240, 0.40, 0.012}, {3410, 0.25, 0.007},
    };
    Signal s(samples_for(0.15));
    Noise noise(0x5EED01);
    double lowpassed = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / Rate;
        double v = 0;
        for (const Mode& m : modes) v += m.level * std::exp(-t / m.decay) * std::sin(TwoPi * m.freq * t);
        // The hard contact itself: a few milliseconds of softened noise.
        lowpassed += 0.45 * (noise.next() - lowpassed);
        v += 0.9 * lowpassed * std::exp(-t / 0.0025);
        s[i] = v * ramp(t, 0.0006);
    }
    fade_out_tail(s, 0.02);
    remove_dc(s);
    normalise(s, 0.85);
    fade_in_head(s, 0.0005);
    fade_out_tail(s, 0.002);
    return s;
}

// ---- 禁止: a short low buzz ----

Signal make_buzz() {
    Signal s(samples_for(0.3));
    const double voices[] = {110.0, 110.0 * 1.011};  // a slight detune makes it growl
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / Rate;
        double v = 0;
        for (double f : voices)
            for (int k = 1; k * f < 3000; ++k) v += std::sin(TwoPi * k * f * t) / k * std::exp(-k / 9.0);
        const double envelope = ramp(t, 0.01) * (1 - ramp(t - 0.22, 0.08));
        s[i] = v * envelope;
    }
    remove_dc(s);
    normalise(s, 0.7);
    fade_in_head(s, 0.002);
    fade_out_tail(s, 0.002);
    return s;
}

// ---- その他: a two-note chime ----

// A struck bell bar: slightly stretched partials that die away faster the higher they are.
void add_bell(Signal& s, double start, double freq, double level) {
    struct Partial {
        double ratio, level, decay;
    };
    static constexpr Partial partials[] = {
        {1.0, 1.0, 0.45}, {2.0, 0.35, 0.25}, {3.01, 0.15, 0.14}, {4.16, 0.08, 0.08}, {0.5, 0.12, 0.5},
    };
    const int first = samples_for(start);
    for (int i = first; i < static_cast<int>(s.size()); ++i) {
        const double t = static_cast<double>(i - first) / Rate;
        double v = 0;
        for (const Partial& p : partials)
            v += p.level * std::exp(-t / p.decay) * std::sin(TwoPi * freq * p.ratio * t);
        s[i] += level * v * ramp(t, 0.002);
    }
}

Signal make_chime() {
    Signal s(samples_for(1.0));
    add_bell(s, 0.0, 880.0, 0.8);     // A5
    add_bell(s, 0.14, 1318.5, 0.7);   // E6
    add_bell(s, 0.28, 1760.0, 0.35);  // A6, a soft echo of the first
    fade_out_tail(s, 0.25);
    remove_dc(s);
    normalise(s, 0.75);
    return s;
}

// ---- BGM: a calm tune in D major pentatonic, 72 beats a minute, 12 bars ----

constexpr double Eighth = 60.0 / 72.0 / 2.0;
constexpr int EighthsPerBar = 8;
constexpr int Bars = 12;

double midi_frequency(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

// One plucked string of a zither (guzheng-like): harmonics with their own
// decay, a soft attack, and vibrato that grows on long notes. Rendered into a
// loop: what rings past the end of the tune sounds at its beginning.
void add_pluck(Signal& loop, double start, double held, int note, double level) {
    const double f = midi_frequency(note);
    const double decay1 = 1.3 * std::pow(220.0 / f, 0.3);
    const double release = held + 0.15;
    const int length = samples_for(release + 1.2);
    double phase[10] = {};
    const int first = samples_for(start);
    for (int i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / Rate;
        const double vibrato =
            held >= 4 * Eighth ? 0.004 * ramp(t - 0.35, 0.4) * std::sin(TwoPi * 5.0 * t) : 0.0;
        const double fade = t < release ? 1.0 : std::exp(-(t - release) / 0.22);
        double v = 0;
        for (int k = 1; k <= 10; ++k) {
            const double fk = k * f * std::sqrt(1 + 0.00008 * k * k);
            if (fk > 8000) break;
            phase[k - 1] += TwoPi * fk * (1 + vibrato) / Rate;
            const double strength = std::abs(std::sin(Pi * k * 0.18)) / std::pow(k, 1.2);
            v += strength * std::exp(-t * (1 + 0.5 * (k - 1)) / decay1) * std::sin(phase[k - 1]);
        }
        loop[(first + i) % loop.size()] += level * v * fade * ramp(t, 0.002);
    }
}

// A soft sustained chord that swells in and fades out within its bar.
void add_pad(Signal& loop, double start, double length, const std::vector<int>& notes, double level) {
    const int first = samples_for(start);
    const int count = samples_for(length + 1.2);
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / Rate;
        const double envelope = ramp(t, 1.0) * (1 - ramp(t - (length - 0.2), 1.2));
        double v = 0;
        for (int note : notes) {
            const double f = midi_frequency(note);
            v += std::sin(TwoPi * f * t) + 0.2 * std::sin(TwoPi * 2 * f * t + 0.7);
        }
        loop[(first + i) % loop.size()] += level * envelope * v;
    }
}

struct Note {
    int note;     // MIDI note number, 0 for a rest
    int eighths;  // length
};

// The melody, bar by bar (A A' B phrases of four bars).
const std::vector<std::vector<Note>> Melody = {
    {{69, 2}, {71, 1}, {69, 1}, {66, 4}},          {{64, 2}, {66, 1}, {69, 1}, {71, 4}},
    {{74, 3}, {71, 1}, {69, 2}, {66, 2}},          {{64, 6}, {0, 2}},
    {{69, 2}, {71, 1}, {74, 1}, {76, 4}},          {{74, 2}, {71, 1}, {69, 1}, {71, 4}},
    {{69, 2}, {66, 1}, {64, 1}, {66, 2}, {69, 2}}, {{62, 6}, {0, 2}},
    {{78, 2}, {76, 1}, {74, 1}, {71, 4}},          {{74, 2}, {71, 1}, {69, 1}, {66, 4}},
    {{64, 2}, {66, 1}, {69, 1}, {71, 2}, {69, 2}}, {{62, 4}, {0, 4}},
};

// Root of each bar's harmony (MIDI, bass register).
constexpr int BarRoots[Bars] = {50, 47, 50, 45, 50, 47, 45, 50, 47, 50, 45, 50};

void add_melody(Signal& loop) {
    Noise touch(0x5EED02);  // small differences in how hard each string is plucked
    for (int bar = 0; bar < Bars; ++bar) {
        int eighth = bar * EighthsPerBar;
        for (const Note& n : Melody[bar]) {
            if (n.note != 0)
                add_pluck(loop, eighth * Eighth + 0.02, n.eighths * Eighth, n.note,
                          0.32 + 0.03 * touch.next());
            eighth += n.eighths;
        }
    }
}

void add_accompaniment(Signal& loop) {
    // Broken chord per bar: eighth offset and interval above the root.
    struct Step {
        int eighth, interval;
        double level;
    };
    static constexpr Step pattern[] = {{0, 0, 0.26}, {2, 7, 0.15}, {4, 12, 0.15}, {6, 7, 0.12}};
    for (int bar = 0; bar < Bars; ++bar) {
        const double barStart = bar * EighthsPerBar * Eighth;
        const int root = BarRoots[bar];
        const bool last = bar == Bars - 1;  // the last bar only rings out, so the loop joins in silence
        for (const Step& step : pattern) {
            if (last && step.eighth > 2) break;
            add_pluck(loop, barStart + step.eighth * Eighth + 0.02, 2 * Eighth,
                      root + step.interval - 12 * (step.eighth == 0), step.level);
        }
        if (!last) add_pad(loop, barStart, EighthsPerBar * Eighth, {root + 12, root + 19, root + 24}, 0.035);
    }
}

// A small room: four damped feedback combs and two allpasses. It runs over the
// loop twice and keeps the second pass, so the echo of the end fills the start.
void add_room(Signal& loop, double wet) {
    struct Comb {
        std::vector<double> line;
        std::size_t pos = 0;
        double store = 0;
    };
    struct Allpass {
        std::vector<double> line;
        std::size_t pos = 0;
    };
    std::vector<Comb> combs;
    for (int d : {557, 593, 641, 677}) combs.push_back({std::vector<double>(d)});
    std::vector<Allpass> allpasses;
    for (int d : {278, 220}) allpasses.push_back({std::vector<double>(d)});
    const Signal dry = loop;
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t i = 0; i < dry.size(); ++i) {
            double out = 0;
            for (Comb& c : combs) {
                const double delayed = c.line[c.pos];
                c.store = delayed * 0.7 + c.store * 0.3;  // damping: highs die sooner
                c.line[c.pos] = dry[i] + c.store * 0.8;
                c.pos = (c.pos + 1) % c.line.size();
                out += delayed;
            }
            for (Allpass& a : allpasses) {
                const double delayed = a.line[a.pos];
                a.line[a.pos] = out + delayed * 0.5;
                a.pos = (a.pos + 1) % a.line.size();
                out = delayed - out;
            }
            if (pass == 1) loop[i] = dry[i] + wet * out * 0.25;
        }
    }
}

Signal make_bgm() {
    Signal loop(samples_for(Bars * EighthsPerBar * Eighth));
    add_melody(loop);
    add_accompaniment(loop);
    add_room(loop, 0.9);
    remove_dc(loop);
    normalise(loop, 0.55);  // quieter than the effects, which play over it
    return loop;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : "sound";
    struct Output {
        const char* name;
        Signal (*make)();
    };
    const Output outputs[] = {
        {"駒打音.wav", make_click},
        {"禁止.wav", make_buzz},
        {"その他.wav", make_chime},
        {"BGM.wav", make_bgm},
    };
    for (const Output& o : outputs) {
        const Signal s = o.make();
        const std::string path = dir + "/" + o.name;
        if (!write_wav(path, s)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
        std::printf("%s: %.2f s\n", path.c_str(), static_cast<double>(s.size()) / Rate);
    }
    return 0;
}
