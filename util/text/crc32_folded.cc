// Folding with carry-less multiplication: four 128-bit lanes run over the
// block at once; each step multiplies a lane by x^512 mod P (split into two
// 64-bit halves) and adds the next 64 bytes. The lanes are then folded into
// one, which is reduced to 32 bits by Barrett reduction. All constants are
// bit-reflected, like the CRC itself, and shifted left by one.
#include "util/text/crc32_paths.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define QUENDRAL_CRC32_FOLDING 1
#endif

namespace quendral::util::crc32 {

#ifdef QUENDRAL_CRC32_FOLDING
namespace {

#define QUENDRAL_CLMUL __attribute__((target("pclmul,sse2")))

constexpr std::size_t kLane = 16;
constexpr std::size_t kLanes = 4;

// x^(4*128+32) and x^(4*128-32) mod P: one step of four lanes.
constexpr std::uint64_t kFold512Low = 0x154442BD4;
constexpr std::uint64_t kFold512High = 0x1C6E41596;
// x^(128+32) and x^(128-32) mod P: one step of one lane.
constexpr std::uint64_t kFold128Low = 0x1751997D0;
constexpr std::uint64_t kFold128High = 0x0CCAA009E;
// x^64 mod P: from 64 bits to 32 plus a remainder.
constexpr std::uint64_t kFold64 = 0x163CD6124;
// P itself and x^64 div P, for the final reduction.
constexpr std::uint64_t kPolynomial = 0x1DB710641;
constexpr std::uint64_t kBarrettQuotient = 0x1F7011641;

QUENDRAL_CLMUL __m128i Constants(std::uint64_t low, std::uint64_t high) {
  return _mm_set_epi64x(static_cast<long long>(high), static_cast<long long>(low));
}

QUENDRAL_CLMUL __m128i Load(const unsigned char* data) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(data));
}

// The lane moved forward by the distance the constants stand for, plus the
// block that lies there.
QUENDRAL_CLMUL __m128i Fold(__m128i lane, __m128i constants, __m128i next) {
  const __m128i low = _mm_clmulepi64_si128(lane, constants, 0x00);
  const __m128i high = _mm_clmulepi64_si128(lane, constants, 0x11);
  return _mm_xor_si128(_mm_xor_si128(low, high), next);
}

QUENDRAL_CLMUL std::uint32_t Reduce(__m128i lane) {
  const __m128i low32_mask = _mm_setr_epi32(-1, 0, -1, 0);
  // 128 bits to 96.
  __m128i folded =
      _mm_xor_si128(_mm_srli_si128(lane, 8),
                    _mm_clmulepi64_si128(lane, Constants(kFold128Low, kFold128High), 0x10));
  // 96 bits to 64.
  folded = _mm_xor_si128(
      _mm_srli_si128(folded, 4),
      _mm_clmulepi64_si128(_mm_and_si128(folded, low32_mask), Constants(kFold64, 0), 0x00));
  // 64 bits to 32.
  const __m128i barrett = Constants(kPolynomial, kBarrettQuotient);
  __m128i quotient = _mm_clmulepi64_si128(_mm_and_si128(folded, low32_mask), barrett, 0x10);
  quotient = _mm_clmulepi64_si128(_mm_and_si128(quotient, low32_mask), barrett, 0x00);
  return static_cast<std::uint32_t>(
      _mm_cvtsi128_si32(_mm_srli_si128(_mm_xor_si128(folded, quotient), 4)));
}

}  // namespace

bool HasCarrylessMultiply() {
  static const bool available = __builtin_cpu_supports("pclmul") != 0;
  return available;
}

QUENDRAL_CLMUL std::uint32_t UpdateFolded(std::uint32_t crc, const unsigned char* data,
                                          std::size_t size) {
  __m128i lanes[kLanes];
  for (std::size_t i = 0; i < kLanes; ++i) {
    lanes[i] = Load(data + i * kLane);
  }
  lanes[0] = _mm_xor_si128(lanes[0], _mm_cvtsi32_si128(static_cast<int>(crc)));
  data += kLanes * kLane;
  size -= kLanes * kLane;

  const __m128i by512 = Constants(kFold512Low, kFold512High);
  for (; size >= kLanes * kLane; data += kLanes * kLane, size -= kLanes * kLane) {
    for (std::size_t i = 0; i < kLanes; ++i) {
      lanes[i] = Fold(lanes[i], by512, Load(data + i * kLane));
    }
  }

  const __m128i by128 = Constants(kFold128Low, kFold128High);
  __m128i lane = lanes[0];
  for (std::size_t i = 1; i < kLanes; ++i) {
    lane = Fold(lane, by128, lanes[i]);
  }
  for (; size >= kLane; data += kLane, size -= kLane) {
    lane = Fold(lane, by128, Load(data));
  }
  return Reduce(lane);
}

#else

bool HasCarrylessMultiply() { return false; }

std::uint32_t UpdateFolded(std::uint32_t crc, const unsigned char* data, std::size_t size) {
  return UpdateSliced(crc, data, size);
}

#endif

}  // namespace quendral::util::crc32
