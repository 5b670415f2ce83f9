// Compiled once per instruction set; the run picks the best the processor has.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "response/ResponseKernels.cpp"
#include <hwy/foreach_target.h>  // IWYU pragma: keep
#include <hwy/highway.h>
#include <hwy/contrib/math/math-inl.h>

#include <cfloat>
#include <cmath>

#include "response/ResponseKernels.h"

HWY_BEFORE_NAMESPACE();
namespace tavo_response {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

// A and B at the points i..i+N-1, summed as the plain formula sums them.
template <class D, class V = hn::Vec<D>>
HWY_INLINE void Polynomials(D d, const ResponseGridArrays& g, const BiquadCoefficients& c, std::size_t i,
                            V& reA, V& imA, V& reB, V& imB) {
  const V c1 = hn::LoadU(d, g.Cos1 + i), s1 = hn::LoadU(d, g.Sin1 + i);
  const V c2 = hn::LoadU(d, g.Cos2 + i), s2 = hn::LoadU(d, g.Sin2 + i);
  const V a0 = hn::Set(d, c.a0), a1 = hn::Set(d, c.a1), a2 = hn::Set(d, c.a2);
  const V b0 = hn::Set(d, c.b0), b1 = hn::Set(d, c.b1), b2 = hn::Set(d, c.b2);
  reA = hn::Add(hn::Add(a0, hn::Mul(a1, c1)), hn::Mul(a2, c2));
  imA = hn::Add(hn::Mul(a1, s1), hn::Mul(a2, s2));
  reB = hn::Add(hn::Add(b0, hn::Mul(b1, c1)), hn::Mul(b2, c2));
  imB = hn::Add(hn::Mul(b1, s1), hn::Mul(b2, s2));
}

HWY_INLINE double FiniteOr(double v, double limit) {
  if (std::isnan(v)) return 0.0;
  if (v > limit) return limit;
  if (v < -limit) return -limit;
  return v;
}

void MagnitudeDb(const ResponseGridArrays& g, const BiquadCoefficients& c, double limit, double* out) {
  const hn::ScalableTag<double> d;
  const std::size_t n = hn::Lanes(d);
  const auto ten = hn::Set(d, 10.0);
  const auto lo = hn::Set(d, -limit), hi = hn::Set(d, limit);
  const auto smallest = hn::Set(d, DBL_MIN), largest = hn::Set(d, DBL_MAX);
  for (std::size_t i = 0; i < static_cast<std::size_t>(ResponsePoints); i += n) {
    hn::Vec<decltype(d)> reA, imA, reB, imB;
    Polynomials(d, g, c, i, reA, imA, reB, imB);
    const auto ratio =
        hn::Div(hn::Add(hn::Mul(reB, reB), hn::Mul(imB, imB)), hn::Add(hn::Mul(reA, reA), hn::Mul(imA, imA)));
    const auto db = hn::Mul(ten, hn::Log10(d, ratio));
    hn::StoreU(hn::Min(hn::Max(db, lo), hi), d, out + i);
    // A zero, a pole, a 0/0 or a subnormal ratio: the standard library's answer.
    if (!hn::AllTrue(d, hn::And(hn::Ge(ratio, smallest), hn::Le(ratio, largest)))) {
      alignas(64) double r[HWY_MAX_BYTES / sizeof(double)];
      hn::Store(ratio, d, r);
      for (std::size_t k = 0; k < n; ++k) out[i + k] = FiniteOr(10.0 * std::log10(r[k]), limit);
    }
  }
}

void Phase(const ResponseGridArrays& g, const BiquadCoefficients& c, double scale, double* out) {
  const hn::ScalableTag<double> d;
  const std::size_t n = hn::Lanes(d);
  const auto k = hn::Set(d, scale);
  const auto largest = hn::Set(d, DBL_MAX);
  for (std::size_t i = 0; i < static_cast<std::size_t>(ResponsePoints); i += n) {
    hn::Vec<decltype(d)> reA, imA, reB, imB;
    Polynomials(d, g, c, i, reA, imA, reB, imB);
    const auto q =
        hn::Div(hn::Sub(hn::Mul(imA, reB), hn::Mul(reA, imB)), hn::Add(hn::Mul(reA, reB), hn::Mul(imA, imB)));
    hn::StoreU(hn::Mul(hn::Neg(hn::Atan(d, q)), k), d, out + i);
    // An infinite or undefined quotient: the standard library's answer.
    if (!hn::AllTrue(d, hn::Le(hn::Abs(q), largest))) {
      alignas(64) double r[HWY_MAX_BYTES / sizeof(double)];
      hn::Store(q, d, r);
      for (std::size_t j = 0; j < n; ++j) {
        const double p = -std::atan(r[j]) * scale;
        out[i + j] = std::isnan(p) ? 0.0 : p;
      }
    }
  }
}

}  // namespace HWY_NAMESPACE
}  // namespace tavo_response
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace tavo_response {
HWY_EXPORT(MagnitudeDb);
HWY_EXPORT(Phase);
}  // namespace tavo_response

void MagnitudeDbKernel(const ResponseGridArrays& grid, const BiquadCoefficients& c, double limit,
                       double* out) {
  using namespace tavo_response;
  HWY_DYNAMIC_DISPATCH(MagnitudeDb)(grid, c, limit, out);
}

void PhaseKernel(const ResponseGridArrays& grid, const BiquadCoefficients& c, double scale, double* out) {
  using namespace tavo_response;
  HWY_DYNAMIC_DISPATCH(Phase)(grid, c, scale, out);
}
#endif
