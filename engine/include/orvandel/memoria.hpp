// The 65,536-byte memory image that a run fills, as the front ends read it.
#pragma once

#include <array>
#include <cstdint>

namespace orvandel {

inline constexpr int32_t kTamanhoMemoria = 65536;
using Memoria = std::array<uint8_t, kTamanhoMemoria>;

} // namespace orvandel
