#include "fire/fire_engine.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "display/color565.h"
#include "fire/bezier.h"
#include "fire/heat_filters.h"
#include "fire/palette.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define CINDRAL_SSE2 1
#endif

namespace cindral::fire {

namespace {

// Int(rnd * n) for a whole number n, in double.
std::int64_t IntRnd(Rnd& rnd, std::int64_t n) {
    return static_cast<std::int64_t>(
        std::floor(static_cast<double>(rnd.Next()) * static_cast<double>(n)));
}

// Directions index 1-degree tables 0..360; anything else wraps round the circle.
std::size_t TableAngle(std::int64_t a) {
    if (a < 0 || a > 360) a = ((a % 360) + 360) % 360;
    return static_cast<std::size_t>(a);
}

}  // namespace

FireEngine::FireEngine(Rnd& rnd, std::function<std::uint32_t()> tickMs, int W, int H)
    : rnd_(rnd), tickMs_(std::move(tickMs)), W_(std::max(W, 0)), H_(std::max(H, 0)) {}

void FireEngine::ChooseAndParse(std::int16_t& fireKind, int secondsSinceMidnight) {
    ParseOptions(ChoosePreset(fireKind, secondsSinceMidnight, rnd_));
}

void FireEngine::ParseOptions(std::string_view options) {
    params_ = FireParams{};
    ParseFireOptions(options, params_);
}

void FireEngine::AllocateParticles() {
    const std::size_t n =
        params_.particleCount >= 0 ? static_cast<std::size_t>(params_.particleCount) + 1 : 0;
    for (auto* field : {&x_, &y_, &vx_, &vy_, &heat_, &decay_}) field->assign(n, 0.0f);
}

bool FireEngine::InitPalette() { return initpal(params_.paletteKind, palette_); }

void FireEngine::AllocateFireBuffer() {
    const std::size_t stride = static_cast<std::size_t>(W_) + 1;
    buffer_.assign(stride * (static_cast<std::size_t>(H_) + 1), 0);
    for (std::size_t c = 0; c < stride; ++c) {
        for (int r = 0; r <= H_; ++r) {
            buffer_[static_cast<std::size_t>(r) * stride + c] =
                static_cast<std::uint8_t>(IntRnd(rnd_, 255));
        }
    }
}

void FireEngine::ConvertPalette(int displayBitsPerPixel) {
    if (displayBitsPerPixel == 16) display::PaletteTo565(palette_);
}

void FireEngine::InitParticles() {
    Initpart();
    InitTrigo();
}

bool FireEngine::Load(std::int16_t& fireKind, int secondsSinceMidnight, int displayBitsPerPixel) {
    ChooseAndParse(fireKind, secondsSinceMidnight);
    return BuildParsedFire(displayBitsPerPixel);
}

bool FireEngine::BuildParsedFire(int displayBitsPerPixel) {
    AllocateParticles();
    if (!InitPalette()) return false;
    AllocateFireBuffer();
    ConvertPalette(displayBitsPerPixel);
    InitParticles();
    return true;
}

void FireEngine::Initpart() {
    std::fill(x_.begin(), x_.end(), 1000.0f);
    std::fill(y_.begin(), y_.end(), 1000.0f);
}

void FireEngine::InitTrigo() {
    for (int i = 0; i <= 360; ++i) {
        const double angle = i / 180.0 * 3.1415;
        sin_[static_cast<std::size_t>(i)] = static_cast<float>(std::sin(angle));
        cos_[static_cast<std::size_t>(i)] = static_cast<float>(std::cos(angle));
    }
}

Particle FireEngine::ParticleAt(int i) const {
    const auto k = static_cast<std::size_t>(i);
    return {x_[k], y_[k], vx_[k], vy_[k], heat_[k], decay_[k]};
}

void FireEngine::SetParticle(int i, const Particle& p) {
    const auto k = static_cast<std::size_t>(i);
    x_[k] = p.x;
    y_[k] = p.y;
    vx_[k] = p.vx;
    vy_[k] = p.vy;
    heat_[k] = p.heat;
    decay_[k] = p.decay;
}

std::int32_t FireEngine::AdvanceSlot() {
    nextSlot_ = nextSlot_ >= params_.particleCount ? 0 : nextSlot_ + 1;
    return nextSlot_;
}

void FireEngine::Frame(display::Surface& back) {
    animPart();
    if (params_.windEnabled) AnimWind();
    DrawPart();
    ClearEdge();
    const std::int32_t passes = params_.blurPasses;
    for (std::int32_t p = 0; p < passes; ++p) BlurOnce();
    render(back);
}

void FireEngine::animPart() {
    Move();
    if (params_.emitEnabled) Emit();
    Scroll();
}

void FireEngine::Move() {
    const std::size_t n = x_.size();
    const float g = params_.gravity;
    std::size_t i = 0;
#ifdef CINDRAL_SSE2
    const __m128 gv = _mm_set1_ps(g);
    const __m128 one = _mm_set1_ps(1.0f);
    for (; i + 4 <= n; i += 4) {
        const __m128 vy = _mm_add_ps(_mm_loadu_ps(&vy_[i]), gv);
        _mm_storeu_ps(&vy_[i], vy);
        _mm_storeu_ps(&x_[i], _mm_add_ps(_mm_loadu_ps(&x_[i]), _mm_loadu_ps(&vx_[i])));
        _mm_storeu_ps(&y_[i], _mm_add_ps(_mm_loadu_ps(&y_[i]), vy));
        const __m128 h = _mm_loadu_ps(&heat_[i]);
        const __m128 d = _mm_loadu_ps(&decay_[i]);
        const __m128 live = _mm_cmpge_ps(h, one);
        const __m128 cooled = _mm_andnot_ps(_mm_cmpgt_ps(d, h), _mm_sub_ps(h, d));
        _mm_storeu_ps(&heat_[i], _mm_or_ps(_mm_and_ps(live, cooled), _mm_andnot_ps(live, h)));
    }
#endif
    for (; i < n; ++i) {
        vy_[i] += g;
        x_[i] += vx_[i];
        y_[i] += vy_[i];
        if (heat_[i] >= 1.0f) heat_[i] = decay_[i] > heat_[i] ? 0.0f : heat_[i] - decay_[i];
    }
}

void FireEngine::Emit() {
    const FireParams& p = params_;
    const std::int32_t mode = p.emitterMode;
    if (mode == 1 || mode == 3) {
        emitY_ = static_cast<std::int32_t>(std::nearbyint(H_ * 0.9));
    } else if (mode == 2) {
        emitX_ = static_cast<std::int32_t>(IntRnd(rnd_, W_ - 10) + 5);
        emitY_ = static_cast<std::int32_t>(IntRnd(rnd_, H_ - 10) + 5);
    }
    const float r = rnd_.Next();
    const std::int64_t count =
        static_cast<std::int64_t>(std::floor(static_cast<double>(r) * p.spawnJitter * 2.0)) -
        p.spawnJitter + p.spawnCount;
    const auto pool = static_cast<std::int64_t>(x_.size());
    for (std::int64_t k = 0; k < count; ++k) {
        if (mode == 1) {
            emitX_ = static_cast<std::int32_t>(IntRnd(rnd_, W_ - 10) + 5);
        } else if (mode == 3) {
            emitX_ = static_cast<std::int32_t>(IntRnd(rnd_, W_ - 50) + 25);
        }
        const std::int32_t slot = AdvanceSlot();
        const std::size_t a = TableAngle(IntRnd(rnd_, p.emitAngleSpan) + p.emitAngleStart);
        const float s = rnd_.Next() * p.speedSpan + p.speedMin;
        const auto heat = static_cast<float>(IntRnd(rnd_, p.heatSpan) + p.heatStart);
        const float rd = rnd_.Next();
        const float decay = (std::floor(rd * p.decayJitter * 2.0f) - p.decayJitter) + p.decay;
        if (slot < 0 || slot >= pool) continue;
        const auto i = static_cast<std::size_t>(slot);
        vx_[i] = s * cos_[a];
        vy_[i] = s * sin_[a];
        x_[i] = static_cast<float>(emitX_);
        y_[i] = static_cast<float>(emitY_);
        heat_[i] = heat;
        decay_[i] = decay;
    }
}

void FireEngine::Scroll() {
    if (!params_.scrollEnabled || buffer_.empty()) return;
    const std::int64_t k = params_.scrollRows;
    const std::int64_t n = std::int64_t{H_} - k;
    if (k <= 0 || n < 0) return;  // nothing moves (a negative scroll is not one)
    const std::size_t stride = static_cast<std::size_t>(W_) + 1;
    std::memmove(buffer_.data(), buffer_.data() + static_cast<std::size_t>(k) * stride,
                 static_cast<std::size_t>(n + 1) * stride);
}

void FireEngine::AnimWind() {
    const std::uint32_t now = tickMs_ ? tickMs_() : 0;
    if (now - windLastTick_ >= windPeriod_) {
        windPeriod_ = static_cast<std::uint32_t>(IntRnd(rnd_, 1000) + 1000);
        windLastTick_ = now;
        const float strength = params_.windStrength;
        for (std::size_t k = 0; k < 6; ++k) {
            const float a = rnd_.Next() * strength - strength / 2.0f;
            const float b = rnd_.Next() * strength - strength / 2.0f;
            for (int j = 0; j < 40; ++j) {
                const float t = static_cast<float>(j) / 39.0f;
                wind_[k * 40 + static_cast<std::size_t>(j)] =
                    BezierPoint({a, 0.0f}, {a, 10.0f}, {b, 10.0f}, {b, 0.0f}, t).x;
            }
        }
    }

    const std::size_t n = x_.size();
    std::size_t i = 0;
#ifdef CINDRAL_SSE2
    const __m128 low = _mm_setzero_ps();
    const __m128 high = _mm_set1_ps(240.0f);
    alignas(16) std::int32_t rows[4];
    for (; i + 4 <= n; i += 4) {
        const __m128 y = _mm_loadu_ps(&y_[i]);
        const __m128 inside = _mm_and_ps(_mm_cmpge_ps(y, low), _mm_cmple_ps(y, high));
        // Rounds to nearest even under the default rounding mode, like nearbyint.
        const __m128i row = _mm_and_si128(_mm_cvtps_epi32(y), _mm_castps_si128(inside));
        _mm_store_si128(reinterpret_cast<__m128i*>(rows), row);
        const __m128 w = _mm_setr_ps(
            wind_[static_cast<std::size_t>(rows[0])], wind_[static_cast<std::size_t>(rows[1])],
            wind_[static_cast<std::size_t>(rows[2])], wind_[static_cast<std::size_t>(rows[3])]);
        const __m128 x = _mm_loadu_ps(&x_[i]);
        _mm_storeu_ps(&x_[i],
                      _mm_or_ps(_mm_and_ps(inside, _mm_add_ps(x, w)), _mm_andnot_ps(inside, x)));
    }
#endif
    for (; i < n; ++i) {
        const float y = y_[i];
        if (y >= 0.0f && y <= 240.0f) x_[i] += wind_[static_cast<std::size_t>(std::nearbyint(y))];
    }
}

void FireEngine::DrawPart() {
    if (buffer_.empty()) return;
    const std::size_t stride = static_cast<std::size_t>(W_) + 1;
    if (params_.clearEachFrame) {
        for (int r = 0; r < H_; ++r) {
            std::memset(buffer_.data() + static_cast<std::size_t>(r) * stride, 0,
                        static_cast<std::size_t>(W_));
        }
    }
    const auto w = static_cast<float>(W_);
    const auto h = static_cast<float>(H_);
    std::uint8_t* buffer = buffer_.data();
    const std::size_t n = x_.size();
    std::size_t i = 0;
#ifdef CINDRAL_SSE2
    // Bounds four at a time; the stores stay in particle order, since a later
    // particle on the same cell must win. The conversions round to nearest
    // even under the default rounding mode, like nearbyint.
    const __m128 zero = _mm_setzero_ps();
    const __m128 wv = _mm_set1_ps(w);
    const __m128 hv = _mm_set1_ps(h);
    alignas(16) std::int32_t cols[4], rows[4], heats[4];
    for (; i + 4 <= n; i += 4) {
        const __m128 x = _mm_loadu_ps(&x_[i]);
        const __m128 y = _mm_loadu_ps(&y_[i]);
        const __m128 inside = _mm_and_ps(_mm_and_ps(_mm_cmpgt_ps(x, zero), _mm_cmplt_ps(x, wv)),
                                         _mm_and_ps(_mm_cmpgt_ps(y, zero), _mm_cmplt_ps(y, hv)));
        int lanes = _mm_movemask_ps(inside);
        if (lanes == 0) continue;
        _mm_store_si128(reinterpret_cast<__m128i*>(cols), _mm_cvtps_epi32(x));
        _mm_store_si128(reinterpret_cast<__m128i*>(rows), _mm_cvtps_epi32(y));
        _mm_store_si128(reinterpret_cast<__m128i*>(heats),
                        _mm_cvtps_epi32(_mm_loadu_ps(&heat_[i])));
        for (int lane = 0; lanes != 0; ++lane, lanes >>= 1) {
            if ((lanes & 1) == 0) continue;
            // Out-of-range (and NaN) heat converts to INT_MIN: caught here too.
            if (heats[lane] < 0 || heats[lane] > 255) return;
            buffer[static_cast<std::size_t>(rows[lane]) * stride +
                   static_cast<std::size_t>(cols[lane])] = static_cast<std::uint8_t>(heats[lane]);
        }
    }
#endif
    for (; i < n; ++i) {
        const float x = x_[i], y = y_[i];
        if (x > 0.0f && x < w && y > 0.0f && y < h) {
            const float heat = std::nearbyint(heat_[i]);
            if (!(heat >= 0.0f && heat <= 255.0f)) return;
            buffer[static_cast<std::size_t>(std::nearbyint(y)) * stride +
                   static_cast<std::size_t>(std::nearbyint(x))] = static_cast<std::uint8_t>(heat);
        }
    }
}

void FireEngine::ClearEdge() {
    if (!buffer_.empty()) vbClearEdge(W_, H_, buffer_.data());
}

void FireEngine::BlurOnce() {
    if (!buffer_.empty()) vbBlurImg(W_, H_, buffer_.data());
}

display::BltResult FireEngine::render(display::Surface& back) {
    if (buffer_.empty()) return display::BltResult::kNothingToCopy;
    display::BltRect rect{4, 0, static_cast<int>(std::nearbyint(W_ + 4.0)),
                          static_cast<int>(std::nearbyint(static_cast<double>(H_)))};
    return display::BltArray(FireGrid(), palette_, 0, 0, rect, back);
}

void FireEngine::EmitBurst() {
    const auto pool = static_cast<std::int64_t>(x_.size());
    for (std::int32_t k = 1; k <= params_.burstSize; ++k) {
        const std::int32_t slot = AdvanceSlot();
        const auto a = static_cast<std::size_t>(IntRnd(rnd_, 360));
        const std::int64_t x = IntRnd(rnd_, 8) - 4 + emitX_;
        if (slot < 0 || slot >= pool) continue;
        const auto i = static_cast<std::size_t>(slot);
        vx_[i] = cos_[a];
        vy_[i] = sin_[a];
        x_[i] = static_cast<float>(x);
        y_[i] = static_cast<float>(emitY_);
        heat_[i] = 255.0f;
    }
}

}  // namespace cindral::fire
