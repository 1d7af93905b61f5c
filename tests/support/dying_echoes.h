// An engine whose note dies away through long echoes: the level falls to
// nothing on release, and the echoes come back every 0.05 s, each at 0.765
// of the one before, so they take about 20 s to pass below the smallest
// normal float (2^-126). Silence after them is what it costs and holds.
#pragma once

#include <memory>

#include "engine/engine.h"

inline std::unique_ptr<Engine> engineWithDyingEchoes() {
    auto engine = std::make_unique<Engine>();
    engine->setParameter(MXStaticPos, 0.0f);
    engine->setParameter(MXStaticRate, 0.5f);
    engine->setParameter(FXStaticPos, 0.9f);
    engine->setParameter(FXStaticRate, 0.9f);
    engine->setParameter(FYStaticPos, 0.1f);
    engine->setParameter(FYStaticRate, 0.9f);
    return engine;
}
