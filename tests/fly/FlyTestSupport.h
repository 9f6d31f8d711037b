#pragma once

#include "fly/FlyRandom.h"
#include "fly/FlyScale.h"
#include "fly/GLFlies.h"

#include <deque>

namespace pelmar::test {

// Answers from a script, then always `fallback` (kept below n).
class TScriptedRandom : public TFlyRandom {
public:
    std::deque<int> script;
    int fallback = 0;
    int Random(int n) override {
        if (n <= 0)
            return 0;
        int value = fallback;
        if (!script.empty()) {
            value = script.front();
            script.pop_front();
        }
        return value % n;
    }
};

// The design window: 692 x 466 client pixels, a 65-pixel header, the graph below it.
inline constexpr int DesignClientWidth = 692;
inline constexpr int DesignClientHeight = 466;
inline const QRect DesignGraph(0, 65, 692, 401);

// Round numbers instead of a real font: 6 pixels a character and 12 high in the window's font;
// the stage fonts half their point size a character and four thirds of it high.
class TFixedMetrics : public TFlyTextMetrics {
public:
    int width(TFlyFont font, int points, const QString& text) const override {
        return font == TFlyFont::Window ? 6 * int(text.size()) : points / 2 * int(text.size());
    }
    int height(TFlyFont font, int points, const QString&) const override {
        return font == TFlyFont::Window ? 12 : points * 4 / 3;
    }
};

// Flies of the design window with the design fly size (125 x 33) and these values.
inline TGLFlies MakeFlies(const std::array<std::int32_t, FlyCount>& tenths) {
    TGLFlies flies(DesignGraph, DesignClientWidth);
    TFlyValues values;
    values.tenths = tenths;
    flies.Prepare(values);
    flies.FitFlySize();
    flies.FitScale();
    flies.DigitsWidth = 18;
    return flies;
}

// Runs the timers on a fake clock until nothing moves: the fly-in timer every 100 ms, the
// others every 300 ms, as the window's timers fire.
inline void RunPhases(TGLFlies& flies, TFlyRandom& random, std::uint32_t& now,
                      std::vector<TLandingDot>* dots = nullptr) {
    std::uint32_t sinceStart = 0;
    for (int guard = 0; guard < 1000 && flies.moving(); ++guard) {
        now += 100;
        sinceStart += 100;
        for (int n = 0; n < FlyCount; ++n) {
            // Each enabled timer fires; one entry at a time, as the window's handlers run.
            const TGLFly& fly = flies.entries[std::size_t(n)];
            if (fly.FlyTimer.enabled)
                flies.FlyTick(n, now, random);
            else if (fly.RestTimer.enabled && sinceStart % 300 == 0)
                flies.RestTick(n, now, random);
            else if (fly.LandTimer.enabled && sinceStart % 300 == 0) {
                if (auto dot = flies.LandTick(n, now, random); dot && dots)
                    dots->push_back(*dot);
            }
        }
    }
}

} // namespace pelmar::test
