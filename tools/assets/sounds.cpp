#include "sounds.h"

#include <algorithm>
#include <cmath>

#include "relief.h"
#include "state/random.h"

namespace tavrine::assets {

namespace {

/// White noise in [-1, 1] from the game's generator.
float Noise(Random& random) { return static_cast<float>(random.Next()) / 2147483648.f - 1.f; }

/// A one-pole low-pass filter; `cutoff` in Hz.
class LowPass {
public:
    explicit LowPass(float cutoff) : a_(1.f - std::exp(-2.f * kPi * cutoff / kSoundRate)) {}
    float operator()(float x) { return y_ += a_ * (x - y_); }

private:
    float a_;
    float y_ = 0.f;
};

}  // namespace

std::vector<std::int16_t> Normalise(const std::vector<float>& signal, float peak) {
    float loudest = 1e-9f;
    for (float s : signal) loudest = std::max(loudest, std::abs(s));
    const float gain = peak / loudest;
    const std::size_t fade = std::min<std::size_t>(signal.size(), kSoundRate / 50);
    std::vector<std::int16_t> out(signal.size());
    for (std::size_t i = 0; i < signal.size(); ++i) {
        float s = signal[i] * gain;
        if (i + fade >= signal.size()) s *= static_cast<float>(signal.size() - 1 - i) / static_cast<float>(fade);
        out[i] = static_cast<std::int16_t>(std::lround(std::clamp(s, -1.f, 1.f) * 32767.f));
    }
    return out;
}

Sound ExplosionSound(std::uint64_t seed) {
    Random random(seed);
    const int n = kSoundRate * 13 / 10;
    std::vector<float> signal(static_cast<std::size_t>(n));
    LowPass body(900.f), deep(180.f), crackle(3000.f);
    float phase = 0.f;
    for (int i = 0; i < n; ++i) {
        const float t = static_cast<float>(i) / kSoundRate;
        const float white = Noise(random);
        // The crack of the blast, then a roar that darkens as it dies away.
        const float attack = std::min(1.f, t / 0.004f);
        const float crack = white * std::exp(-t / 0.025f) * 0.8f;
        const float roar = body(white) * std::exp(-t / 0.32f) * 2.2f;
        const float rumble = deep(white) * std::exp(-t / 0.6f) * 6.f;
        // A low thump falling in pitch.
        const float freq = 35.f + 65.f * std::exp(-t / 0.12f);
        phase += 2.f * kPi * freq / kSoundRate;
        const float thump = std::sin(phase) * std::exp(-t / 0.22f) * 0.9f;
        // Debris: sparse crackles in the tail.
        float debris = 0.f;
        if (t > 0.08f && t < 0.9f && random(400) == 0) debris = 0.6f * std::exp(-t / 0.4f);
        debris = crackle(debris * (random(2) ? 1.f : -1.f)) * 3.f;
        signal[static_cast<std::size_t>(i)] = attack * (crack + roar + rumble + thump + debris);
    }
    return {"EXPLOSION", kSoundRate, Normalise(signal, 0.89f)};
}

Sound ShotSound(std::uint64_t seed) {
    Random random(seed);
    const int n = kSoundRate * 45 / 100;
    std::vector<float> signal(static_cast<std::size_t>(n));
    LowPass bright(5000.f), body(1400.f), tail(400.f);
    float phase = 0.f;
    for (int i = 0; i < n; ++i) {
        const float t = static_cast<float>(i) / kSoundRate;
        const float white = Noise(random);
        const float attack = std::min(1.f, t / 0.0015f);
        const float snap = bright(white) * std::exp(-t / 0.012f) * 1.4f;
        const float blast = body(white) * std::exp(-t / 0.06f) * 1.8f;
        const float echo = tail(white) * std::exp(-t / 0.16f) * 2.5f;
        const float freq = 60.f + 110.f * std::exp(-t / 0.03f);
        phase += 2.f * kPi * freq / kSoundRate;
        const float boom = std::sin(phase) * std::exp(-t / 0.07f) * 0.8f;
        signal[static_cast<std::size_t>(i)] = attack * (snap + blast + echo + boom);
    }
    return {"SHOT", kSoundRate, Normalise(signal, 0.85f)};
}

void AddSounds(ContentLibrary& library, std::uint64_t seed) {
    library.Sounds.push_back(ExplosionSound(seed));
    library.Sounds.push_back(ShotSound(seed + 1));
}

}  // namespace tavrine::assets
