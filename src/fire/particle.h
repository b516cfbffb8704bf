#pragma once

namespace cindral::fire {

// One particle, six single-precision fields.
struct Particle {
    float x = 0.0f;   // column
    float y = 0.0f;   // row, growing downwards
    float vx = 0.0f;  // pixels per frame
    float vy = 0.0f;
    float heat = 0.0f;   // plotted as the palette index
    float decay = 0.0f;  // heat lost per frame
};

inline bool operator==(const Particle& a, const Particle& b) {
    return a.x == b.x && a.y == b.y && a.vx == b.vx && a.vy == b.vy && a.heat == b.heat &&
           a.decay == b.decay;
}

}  // namespace cindral::fire
