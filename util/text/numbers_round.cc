#include <cmath>

#include "util/text/text.h"

namespace quendral::util {
namespace {

// One digit more than asked is kept, so that adding or taking 5 before the
// last division rounds half away from zero.
template <typename Real>
Real RoundHalfAwayFromZero(Real value, int places) {
  Real scaled = value * std::pow(Real(10), Real(places + 1));
  scaled += value >= 0 ? Real(5) : Real(-5);
  return std::trunc(scaled / Real(10)) / std::pow(Real(10), Real(places));
}

}  // namespace

float RoundToDecimals(float value, int places) { return RoundHalfAwayFromZero(value, places); }

double RoundToDecimals(double value, int places) { return RoundHalfAwayFromZero(value, places); }

float RoundToSignificantDigits(float value, int digits) {
  // The logarithm of zero has no magnitude to scale by.
  if (digits < 1 || value == 0.0F || !std::isfinite(value)) {
    return value;
  }
  const float sign = value < 0 ? -1.0F : 1.0F;
  const float magnitude = std::pow(10.0F, std::floor(std::log10(std::fabs(value))) + 1.0F);
  return sign * RoundToDecimals(std::fabs(value) / magnitude, digits) * magnitude;
}

}  // namespace quendral::util
