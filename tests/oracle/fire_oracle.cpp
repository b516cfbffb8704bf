#include "oracle/fire_oracle.h"

#include <cmath>

namespace cindral::oracle {

namespace {

float rnd(fire::Rnd& r) { return r.Next(); }

// Int(v): the largest whole number not above v.
double Int(double v) { return std::floor(v); }
float IntF(float v) { return std::floor(v); }
// Nearest(v): ties to even.
double Nearest(double v) { return std::nearbyint(v); }

long long WrapAngle(long long a) {
    if (a < 0 || a > 360) a = ((a % 360) + 360) % 360;
    return a;
}

float BezierX(float p0, float p1, float p2, float p3, float tf) {
    const double t = tf;
    const double x = (1 - t) * (1 - t) * (1 - t) * p0 + 3 * t * (1 - t) * (1 - t) * p1 +
                     3 * t * t * (1 - t) * p2 + t * t * t * p3;
    return static_cast<float>(x);
}

}  // namespace

FireOracle::FireOracle(fire::Rnd& r, std::function<std::uint32_t()> tickMs, int W, int H)
    : rnd_(r), tickMs_(std::move(tickMs)), W_(W < 0 ? 0 : W), H_(H < 0 ? 0 : H) {}

void FireOracle::ChooseAndParse(std::int16_t& fireKind, int secondsSinceMidnight) {
    ParseOptions(fire::ChoosePreset(fireKind, secondsSinceMidnight, rnd_));
}

void FireOracle::ParseOptions(std::string_view options) {
    params_ = fire::FireParams{};
    params_.decay = 0.2f;
    params_.decayJitter = 0;
    params_.clearEachFrame = false;
    params_.spawnJitter = 0;
    fire::ParseFireOptions(options, params_);
}

void FireOracle::AllocateParticles() {
    particles_.clear();
    if (params_.particleCount >= 0)
        particles_.resize(static_cast<std::size_t>(params_.particleCount) + 1);
}

bool FireOracle::InitPalette() { return OracleInitpal(params_.paletteKind, palette_); }

void FireOracle::AllocateFireBuffer() {
    fb_.W = W_;
    fb_.H = H_;
    fb_.cells.assign(static_cast<std::size_t>(W_ + 1) * static_cast<std::size_t>(H_ + 1), 0);
    for (int c = 0; c <= W_; ++c) {
        for (int r = 0; r <= H_; ++r) {
            fb_.at(c, r) = static_cast<std::uint8_t>(Int(static_cast<double>(rnd(rnd_)) * 255));
        }
    }
}

void FireOracle::ConvertPalette(int displayBitsPerPixel) {
    if (displayBitsPerPixel != 16) return;
    for (int i = 0; i <= 255; ++i) palette_[i] = OracleColorTo565(palette_[i]);
}

void FireOracle::InitParticles() {
    Initpart();
    InitTrigo();
}

bool FireOracle::Load(std::int16_t& fireKind, int secondsSinceMidnight, int displayBitsPerPixel) {
    ChooseAndParse(fireKind, secondsSinceMidnight);
    return BuildParsedFire(displayBitsPerPixel);
}

bool FireOracle::LoadOptions(std::string_view options, int displayBitsPerPixel) {
    ParseOptions(options);
    return BuildParsedFire(displayBitsPerPixel);
}

bool FireOracle::BuildParsedFire(int displayBitsPerPixel) {
    AllocateParticles();
    if (!InitPalette()) return false;
    AllocateFireBuffer();
    ConvertPalette(displayBitsPerPixel);
    InitParticles();
    return true;
}

void FireOracle::Initpart() {
    for (auto& p : particles_) {
        p.x = 1000;
        p.y = 1000;
    }
}

void FireOracle::InitTrigo() {
    for (int i = 0; i <= 360; ++i) {
        const double angle = i / 180.0 * 3.1415;
        sinTable_[i] = static_cast<float>(std::sin(angle));
        cosTable_[i] = static_cast<float>(std::cos(angle));
    }
}

void FireOracle::Frame(display::Surface& back) {
    animPart();
    if (params_.windEnabled) AnimWind();
    DrawPart();
    ClearEdge();
    for (int i = 1; i <= params_.blurPasses; ++i) BlurOnce();
    render(back);
}

void FireOracle::animPart() {
    // Motion.
    for (auto& p : particles_) {
        p.vy = p.vy + params_.gravity;
        p.x = p.x + p.vx;
        p.y = p.y + p.vy;
        if (p.heat >= 1) {
            if (p.decay > p.heat) {
                p.heat = 0;
            } else {
                p.heat = p.heat - p.decay;
            }
        }
    }

    // Emission.
    if (params_.emitEnabled) {
        const int mode = params_.emitterMode;
        if (mode == 1 || mode == 3) {
            emitY_ = static_cast<std::int32_t>(Nearest(H_ * 0.9));
        } else if (mode == 2) {
            emitX_ = static_cast<std::int32_t>(Int(static_cast<double>(rnd(rnd_)) * (W_ - 10)) + 5);
            emitY_ = static_cast<std::int32_t>(Int(static_cast<double>(rnd(rnd_)) * (H_ - 10)) + 5);
        }
        const float r = rnd(rnd_);
        const long long count =
            static_cast<long long>(Int(static_cast<double>(r) * params_.spawnJitter * 2)) -
            params_.spawnJitter + params_.spawnCount;
        for (long long k = 1; k <= count; ++k) {
            if (mode == 1) {
                emitX_ =
                    static_cast<std::int32_t>(Int(static_cast<double>(rnd(rnd_)) * (W_ - 10)) + 5);
            } else if (mode == 3) {
                emitX_ =
                    static_cast<std::int32_t>(Int(static_cast<double>(rnd(rnd_)) * (W_ - 50)) + 25);
            }
            nextSlot_ = static_cast<std::int32_t>(
                static_cast<long long>(nextSlot_) + 1 > params_.particleCount ? 0 : nextSlot_ + 1);
            const long long a =
                WrapAngle(static_cast<long long>(
                              Int(static_cast<double>(rnd(rnd_)) * params_.emitAngleSpan)) +
                          params_.emitAngleStart);
            const float s = rnd(rnd_) * params_.speedSpan + params_.speedMin;
            const float vx = s * cosTable_[a];
            const float vy = s * sinTable_[a];
            const float heat = static_cast<float>(
                Int(static_cast<double>(rnd(rnd_)) * params_.heatSpan) + params_.heatStart);
            const float rd = rnd(rnd_);
            const float decay =
                IntF(rd * params_.decayJitter * 2) - params_.decayJitter + params_.decay;
            if (static_cast<std::size_t>(nextSlot_) < particles_.size()) {
                fire::Particle& p = particles_[static_cast<std::size_t>(nextSlot_)];
                p.vx = vx;
                p.vy = vy;
                p.x = static_cast<float>(emitX_);
                p.y = static_cast<float>(emitY_);
                p.heat = heat;
                p.decay = decay;
            }
        }
    }

    // Scroll.
    if (params_.scrollEnabled && params_.scrollRows >= 0 && !fb_.cells.empty()) {
        const long long n =
            static_cast<long long>(Nearest(static_cast<double>(H_) - params_.scrollRows));
        for (long long r = 0; r <= n; ++r) {
            for (int c = 0; c <= W_; ++c) {
                fb_.at(c, static_cast<int>(r)) =
                    fb_.at(c, static_cast<int>(r + params_.scrollRows));
            }
        }
    }
}

void FireOracle::AnimWind() {
    const std::uint32_t now = tickMs_ ? tickMs_() : 0;
    if (now - windLastTick_ >= windPeriod_) {
        windPeriod_ = static_cast<std::uint32_t>(Int(static_cast<double>(rnd(rnd_)) * 1000) + 1000);
        windLastTick_ = now;
        for (int k = 0; k <= 5; ++k) {
            const float a = rnd(rnd_) * params_.windStrength - params_.windStrength / 2;
            const float b = rnd(rnd_) * params_.windStrength - params_.windStrength / 2;
            for (int j = 0; j <= 39; ++j) {
                const float t = static_cast<float>(j) / 39;
                windTable_[k * 40 + j] = BezierX(a, a, b, b, t);
            }
        }
    }
    for (auto& p : particles_) {
        if (p.y >= 0 && p.y <= 240) {
            p.x = p.x + windTable_[static_cast<int>(Nearest(p.y))];
        }
    }
}

void FireOracle::DrawPart() {
    if (fb_.cells.empty()) return;
    if (params_.clearEachFrame) {
        for (int c = 0; c <= W_ - 1; ++c) {
            for (int r = 0; r <= H_ - 1; ++r) fb_.at(c, r) = 0;
        }
    }
    for (const auto& p : particles_) {
        if (p.x > 0 && p.x < W_ && p.y > 0 && p.y < H_) {
            const double heat = Nearest(p.heat);
            if (!(heat >= 0 && heat <= 255)) return;
            fb_.at(static_cast<int>(Nearest(p.x)), static_cast<int>(Nearest(p.y))) =
                static_cast<std::uint8_t>(heat);
        }
    }
}

void FireOracle::ClearEdge() {
    if (!fb_.cells.empty()) OracleClearEdge(fb_);
}

void FireOracle::BlurOnce() {
    if (!fb_.cells.empty()) OracleBlur(fb_);
}

display::BltResult FireOracle::render(display::Surface& back) {
    if (fb_.cells.empty()) return display::BltResult::kNothingToCopy;
    display::BltRect rect{4, 0, static_cast<int>(Nearest(W_ + 4)), static_cast<int>(Nearest(H_))};
    const display::ByteGrid grid{fb_.cells.data(), W_, H_};
    return OracleBltArray(grid, palette_, 0, 0, rect, back);
}

void FireOracle::EmitBurst() {
    for (int i = 1; i <= params_.burstSize; ++i) {
        nextSlot_ = static_cast<std::int32_t>(
            static_cast<long long>(nextSlot_) + 1 > params_.particleCount ? 0 : nextSlot_ + 1);
        const int a = static_cast<int>(Int(static_cast<double>(rnd(rnd_)) * 360));
        const long long x =
            static_cast<long long>(Int(static_cast<double>(rnd(rnd_)) * 8)) - 4 + emitX_;
        if (static_cast<std::size_t>(nextSlot_) < particles_.size()) {
            fire::Particle& p = particles_[static_cast<std::size_t>(nextSlot_)];
            p.vx = cosTable_[a];
            p.vy = sinTable_[a];
            p.x = static_cast<float>(x);
            p.y = static_cast<float>(emitY_);
            p.heat = 255;
        }
    }
}

}  // namespace cindral::oracle
