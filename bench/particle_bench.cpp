// Particle drawing per frame into a 1024 x 768 memory image on the software
// path, against pixman compositing the same sprites, side by side in one run;
// ends with the ratio ours / pixman per workload:
//   sprites_additive  2,000 unscaled additive 32 x 32 Particles (pixman ADD)
//   scene_intense     a trajectory emitter of 2,000 particles scaled 0.5-1.5,
//                     rotated, with the white additive core (pixman OVER and
//                     ADD, bilinear affine)
//   system_cap        a ParticleSystem at its 500-particle cap (pixman OVER,
//                     bilinear affine)
// Build with optimisation:
//   cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release
//   cmake --build build-bench --target particle_bench && build-bench/bench/particle_bench

#include "bench/pixman_util.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"
#include "game/effects/particle.h"
#include "game/effects/particle_system.h"
#include "game/effects/tr_item.h"
#include "platform/crt_random.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

using KavoBench::Affine;

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr int kSprite = 32;
constexpr int kSprites = 2000;
constexpr double kRadiansToDegrees = 180.0 / 3.14159265358979323846;

struct Placed {
    float x;
    float y;
    float scale;
    float angle; // radians
};

// The same scattered sprites for both sides of a workload.
std::vector<Placed> Scatter(int count, bool scaled) {
    platform::CrtRandom random(12345);
    std::vector<Placed> placed;
    for (int i = 0; i < count; ++i) {
        Placed p;
        p.x = static_cast<float>(random.Next() % (kWidth - kSprite));
        p.y = static_cast<float>(random.Next() % (kHeight - kSprite));
        p.scale = scaled ? 0.5f + static_cast<float>(random.Next()) / 32767.0f : 1.0f;
        p.angle = scaled ? static_cast<float>(random.Next()) / 32767.0f * 6.28f : 0.0f;
        placed.push_back(p);
    }
    return placed;
}

void FillSprite(Kavo::MemoryImage& image) {
    image.Create(kSprite, kSprite);
    const std::vector<uint32_t> texels = KavoBench::SoftSprite(kSprite);
    std::copy(texels.begin(), texels.end(), image.GetBits());
    image.BitsChanged();
}

void FillScreen(Kavo::MemoryImage& screen) {
    screen.Create(kWidth, kHeight);
    const std::vector<uint32_t> background = KavoBench::Pattern(kWidth, kHeight);
    std::copy(background.begin(), background.end(), screen.GetBits());
    screen.BitsChanged();
}

void Count(benchmark::State& state, int sprites) {
    const double pixels = static_cast<double>(sprites) * kSprite * kSprite;
    state.counters["pixels"] = pixels;
    state.SetItemsProcessed(static_cast<int64_t>(static_cast<double>(state.iterations()) * pixels));
}

// pixman's side: the sprite composited at each place, centred on it, with
// `op`; unscaled and unturned sprites go straight, others through a bilinear
// affine transform.
struct PixmanSide {
    std::vector<uint32_t> spriteStorage;
    std::vector<uint32_t> screenPixels;
    pixman_image_t* sprite = nullptr;
    pixman_image_t* screen = nullptr;

    PixmanSide() {
        sprite = KavoBench::MakePremultiplied(KavoBench::SoftSprite(kSprite), kSprite, kSprite, spriteStorage);
        screenPixels = KavoBench::Pattern(kWidth, kHeight);
        screen = pixman_image_create_bits(PIXMAN_x8r8g8b8, kWidth, kHeight, screenPixels.data(), kWidth * 4);
        pixman_image_set_filter(sprite, PIXMAN_FILTER_BILINEAR, nullptr, 0);
    }
    ~PixmanSide() {
        pixman_image_unref(sprite);
        pixman_image_unref(screen);
    }

    void Composite(pixman_op_t op, const Placed& p, float scale) {
        if (scale == 1.0f && p.angle == 0) {
            pixman_image_set_transform(sprite, nullptr);
            pixman_image_composite32(op, sprite, nullptr, screen, 0, 0, 0, 0, static_cast<int>(p.x),
                                     static_cast<int>(p.y), kSprite, kSprite);
            return;
        }
        const Affine m = Affine::Turn(kSprite, kSprite, p.angle * kRadiansToDegrees, scale, p.x, p.y);
        // The destination box that the turned sprite covers.
        const double reach = kSprite * scale * 0.75;
        const int x0 = std::max(0, static_cast<int>(p.x - reach));
        const int y0 = std::max(0, static_cast<int>(p.y - reach));
        const int x1 = std::min(kWidth, static_cast<int>(p.x + reach) + 1);
        const int y1 = std::min(kHeight, static_cast<int>(p.y + reach) + 1);
        Affine shifted = m;
        shifted.c -= x0;
        shifted.f -= y0;
        pixman_transform_t t = KavoBench::ToPixman(shifted);
        pixman_image_set_transform(sprite, &t);
        pixman_image_composite32(op, sprite, nullptr, screen, 0, 0, 0, 0, x0, y0, x1 - x0, y1 - y0);
    }
};

void SpritesOurs(benchmark::State& state) {
    Kavo::MemoryImage sprite;
    FillSprite(sprite);
    Kavo::MemoryImage screen;
    FillScreen(screen);
    std::vector<std::unique_ptr<Game::Particle>> particles;
    for (const Placed& p : Scatter(kSprites, false)) {
        auto particle = std::make_unique<Game::Particle>(0.0f, 0.0f, 0.0f, &sprite);
        particle->mX = p.x;
        particle->mY = p.y;
        particle->mColor = Kavo::Color(255, 255, 255, 255);
        particles.push_back(std::move(particle));
    }
    for (auto _ : state) {
        Kavo::Graphics g(&screen);
        for (const auto& particle : particles)
            particle->Draw(&g);
        benchmark::DoNotOptimize(screen.GetBits());
    }
    Count(state, kSprites);
}

void SpritesPixman(benchmark::State& state) {
    PixmanSide side;
    const std::vector<Placed> placed = Scatter(kSprites, false);
    for (auto _ : state) {
        for (const Placed& p : placed)
            side.Composite(PIXMAN_OP_ADD, p, 1.0f);
        benchmark::DoNotOptimize(side.screenPixels.data());
    }
    Count(state, kSprites);
}

void SceneOurs(benchmark::State& state) {
    Kavo::MemoryImage sprite;
    FillSprite(sprite);
    Kavo::MemoryImage screen;
    FillScreen(screen);
    Game::TrItem item;
    item.mDesc.mImage = &sprite;
    item.mDesc.mTextureWidth = kSprite;
    item.mDesc.mTextureHeight = kSprite;
    item.mDesc.mIntense = true;
    for (const Placed& p : Scatter(kSprites, true)) {
        Game::TrParticle particle;
        particle.x = p.x;
        particle.y = p.y;
        particle.size = p.scale;
        particle.angle = p.angle;
        particle.color = Kavo::Color(255, 200, 120, 220);
        item.mParticles.push_back(particle);
    }
    for (auto _ : state) {
        Kavo::Graphics g(&screen);
        item.Draw(g);
        benchmark::DoNotOptimize(screen.GetBits());
    }
    Count(state, kSprites);
}

void ScenePixman(benchmark::State& state) {
    PixmanSide side;
    const std::vector<Placed> placed = Scatter(kSprites, true);
    for (auto _ : state) {
        for (const Placed& p : placed) {
            side.Composite(PIXMAN_OP_OVER, p, p.scale);
            side.Composite(PIXMAN_OP_ADD, p, 0.4f * p.scale);
        }
        benchmark::DoNotOptimize(side.screenPixels.data());
    }
    Count(state, kSprites);
}

// A system filled to its cap: long-lived particles fired over the screen.
std::unique_ptr<Game::ParticleSystem> FullSystem(Kavo::MemoryImage& sprite) {
    platform::CrtSrand(99);
    auto system = std::make_unique<Game::ParticleSystem>("", 0.0f);
    system->mImage = &sprite;
    // Without a description file the colour lists are empty.
    system->mStartColors = {{1.0f, 0.8f, 0.5f, 1.0f}};
    system->mEndColors = {{1.0f, 0.4f, 0.2f, 0.5f}};
    system->mEmission = 5000;
    system->mParticleLifeMin = system->mParticleLifeMax = 100.0f;
    system->mAppearMode = 1;
    system->mSizeX = kWidth - 64;
    system->mSizeY = kHeight - 64;
    system->mSizeStart = 0.5f;
    system->mSizeEnd = 1.5f;
    system->mSpinStart = 1.0f;
    system->mSpeedMin = system->mSpeedMax = 0.0f;
    system->MoveTo(kWidth / 2.0f, kHeight / 2.0f);
    while (system->GetLiveCount() < Game::ParticleSystem::kMaxParticles)
        system->Update(1.0f);
    return system;
}

void SystemOurs(benchmark::State& state) {
    Kavo::MemoryImage sprite;
    FillSprite(sprite);
    Kavo::MemoryImage screen;
    FillScreen(screen);
    std::unique_ptr<Game::ParticleSystem> system = FullSystem(sprite);
    for (auto _ : state) {
        Kavo::Graphics g(&screen);
        system->Draw(&g);
        benchmark::DoNotOptimize(screen.GetBits());
    }
    system->mImage = nullptr;
    Count(state, Game::ParticleSystem::kMaxParticles);
}

void SystemPixman(benchmark::State& state) {
    Kavo::MemoryImage sprite;
    FillSprite(sprite);
    std::unique_ptr<Game::ParticleSystem> system = FullSystem(sprite);
    std::vector<Placed> placed;
    for (int i = 0; i < system->GetLiveCount(); ++i) {
        const Game::ParticleState& p = system->GetParticle(i);
        placed.push_back({p.x, p.y, p.size, p.spin * p.age});
    }
    system->mImage = nullptr;
    PixmanSide side;
    for (auto _ : state) {
        for (const Placed& p : placed)
            side.Composite(PIXMAN_OP_OVER, p, p.scale);
        benchmark::DoNotOptimize(side.screenPixels.data());
    }
    Count(state, Game::ParticleSystem::kMaxParticles);
}

} // namespace

int main(int argc, char** argv) {
    KavoBench::RegisterPair("sprites_additive", SpritesOurs, SpritesPixman);
    KavoBench::RegisterPair("scene_intense", SceneOurs, ScenePixman);
    KavoBench::RegisterPair("system_cap", SystemOurs, SystemPixman);
    return KavoBench::RunPairs(argc, argv);
}
