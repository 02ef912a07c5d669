// The effect records: shells in flight, explosions and floating labels, with the
// sounds that go with them.
#include "platform/sound_events.h"
#include "sim/combat.h"

namespace tavrine {

namespace {
constexpr int kExplosionSound = 0;
constexpr int kShotSound = 1;
constexpr std::int32_t kShellTimer = 0xFFFF;
}  // namespace

void AddShot(SimContext& ctx, std::int32_t impactX, std::int32_t impactY, std::int32_t power, std::int32_t muzzleX,
             std::int32_t muzzleY) {
    ShotType shot;
    shot.TargetX = impactX;
    shot.TargetY = impactY;
    shot.X = muzzleX;
    shot.Y = muzzleY;
    shot.Power = power;
    shot.Timer = kShellTimer;
    ctx.G.Shots.push_back(shot);
    if (ctx.Sound) ctx.Sound->PlaySoundAt(kShotSound, muzzleX, muzzleY);
}

void AddExplosion(SimContext& ctx, std::int32_t x, std::int32_t y, std::int32_t kind) {
    ExplosionType e;
    e.X = x;
    e.Y = y;
    e.Kind = kind;
    e.Frame = 0;
    e.Ticks = 0;
    ctx.G.Explosions.push_back(e);
    if (ctx.Sound) ctx.Sound->PlaySoundAt(kExplosionSound, x, y);
}

void AddInfoLabel(SimContext& ctx, std::int32_t x, std::int32_t y, Color color, std::int32_t life, const std::string& text,
                  std::int32_t direction) {
    InfoLabelType label;
    label.X = x;
    label.Y = y;
    label.Color = color;
    label.Life = life;
    label.Text = text;
    label.Direction = direction;
    ctx.G.InfoLabels.push_back(std::move(label));
}

}  // namespace tavrine
