#pragma once

#include <functional>

#include "content/PlayerModel.h"

// The program on air changes as if its records had just been read: `change` edits a copy that
// replaces the model's whole, and the model tells everyone.
inline void ReadOnAir(PlayerModel& model, const std::function<void(AppState&)>& change) {
    AppState onAir = model.OnAir();
    change(onAir);
    model.SetProgram(onAir);
}
