#include "instruments/plot/iPlotMath.h"

#include <cmath>
#include <cstdlib>

#include "instruments/base/iDrawing.h"
#include "platform/sys/SysUtils.h"

namespace {

// A short array would be read past its end.
void CheckArray(const std::vector<double>& A, int N) {
  if (N < 1 || static_cast<int>(A.size()) < N + 1)
    throw Exception("Interpolation Error - Too Few Data Points");
}

// Integer pixel subtraction would overflow for far-apart points; the
// differences are taken in double like every other step.
double Diff(int A, int B) {
  return static_cast<double>(A) - static_cast<double>(B);
}

}  // namespace

long double Log10(long double X) {
  if (!(X > 0)) throw Exception("Invalid floating point operation");
  return std::log2(X) * std::log10(2.0L);
}

long double Power(long double Base, long double Exponent) {
  if (!(Base > 0)) throw Exception("Invalid floating point operation");
  return std::exp(Exponent * std::log(Base));
}

void Spline(const std::vector<double>& XA, const std::vector<double>& YA, int N, std::vector<double>& Y2A,
            double YP1, double YPN) {
  CheckArray(XA, N);
  CheckArray(YA, N);
  if (static_cast<int>(Y2A.size()) < N + 1) Y2A.resize(static_cast<std::size_t>(N) + 1);
  if (N < 2) {
    Y2A[1] = 0;
    return;
  }
  for (int i = 2; i <= N; ++i)
    if (XA[i] == XA[i - 1]) throw Exception("Floating point division by zero");
  YP1 = (YA[2] - YA[1]) / (XA[2] - XA[1]);
  YPN = (YA[N] - YA[N - 1]) / (XA[N] - XA[N - 1]);
  std::vector<long double> U(static_cast<std::size_t>(N) + 1);
  if (YP1 > 0.99e30) {
    Y2A[1] = 0;
    U[1] = 0;
  } else {
    Y2A[1] = -0.5;
    U[1] = (3.0L / (XA[2] - XA[1])) * ((YA[2] - YA[1]) / (XA[2] - XA[1]) - YP1);
  }
  for (int i = 2; i <= N - 1; ++i) {
    const long double Sig = (XA[i] - XA[i - 1]) / static_cast<long double>(XA[i + 1] - XA[i - 1]);
    const long double P = Sig * Y2A[i - 1] + 2;
    Y2A[i] = static_cast<double>((Sig - 1) / P);
    long double u = (YA[i + 1] - YA[i]) / static_cast<long double>(XA[i + 1] - XA[i]) -
                    (YA[i] - YA[i - 1]) / static_cast<long double>(XA[i] - XA[i - 1]);
    U[i] = (6 * u / (XA[i + 1] - XA[i - 1]) - Sig * U[i - 1]) / P;
  }
  long double QN = 0, UN = 0;
  if (!(YPN > 0.99e30)) {
    QN = 0.5;
    UN = (3.0L / (XA[N] - XA[N - 1])) * (YPN - (YA[N] - YA[N - 1]) / (XA[N] - XA[N - 1]));
  }
  Y2A[N] = static_cast<double>((UN - QN * U[N - 1]) / (QN * Y2A[N - 1] + 1));
  for (int k = N - 1; k >= 1; --k)
    Y2A[k] = static_cast<double>(Y2A[k] * static_cast<long double>(Y2A[k + 1]) + U[k]);
}

void Splint(const std::vector<double>& XA, const std::vector<double>& YA, const std::vector<double>& Y2A,
            int N, double X, double& Y) {
  CheckArray(XA, N);
  CheckArray(YA, N);
  CheckArray(Y2A, N);
  int KLo = 1, KHi = N;
  while (KHi - KLo > 1) {
    const int K = (KHi + KLo) / 2;
    if (X < XA[K])
      KHi = K;
    else
      KLo = K;
  }
  const long double H = static_cast<long double>(XA[KHi]) - XA[KLo];
  if (H == 0) throw Exception("Splint Error - xa's must be distinct");
  const long double A = (XA[KHi] - static_cast<long double>(X)) / H;
  const long double B = (X - static_cast<long double>(XA[KLo])) / H;
  Y = static_cast<double>(A * YA[KLo] + B * YA[KHi] +
                          ((A * A * A - A) * Y2A[KLo] + (B * B * B - B) * Y2A[KHi]) * (H * H) / 6);
}

namespace {

// The tableau walk shared by Neville's and the rational scheme: only the
// update of C and D per entry differs.
template <typename Update>
void Tableau(const std::vector<double>& YA, int N, int NS, std::vector<long double>& C,
             std::vector<long double>& D, double& Y, double& DY, Update update) {
  long double y = YA[NS];
  long double dy = 0;
  --NS;
  for (int m = 1; m <= N - 1; ++m) {
    for (int i = 1; i <= N - m; ++i) update(m, i);
    if (2 * NS < N - m) {
      dy = C[NS + 1];
    } else {
      dy = D[NS];
      --NS;
    }
    y += dy;
  }
  Y = static_cast<double>(y);
  DY = static_cast<double>(dy);
}

}  // namespace

void Polint(const std::vector<double>& XA, const std::vector<double>& YA, int N, double X, double& Y,
            double& DY) {
  CheckArray(XA, N);
  CheckArray(YA, N);
  std::vector<long double> C(static_cast<std::size_t>(N) + 1), D(static_cast<std::size_t>(N) + 1);
  int NS = 1;
  long double Dif = std::fabs(static_cast<long double>(X) - XA[1]);
  for (int i = 1; i <= N; ++i) {
    const long double Dift = std::fabs(static_cast<long double>(X) - XA[i]);
    if (Dift < Dif) {
      NS = i;
      Dif = Dift;
    }
    C[i] = D[i] = YA[i];
  }
  Tableau(YA, N, NS, C, D, Y, DY, [&](int m, int i) {
    const long double HO = XA[i] - static_cast<long double>(X);
    const long double HP = XA[i + m] - static_cast<long double>(X);
    const long double W = C[i + 1] - D[i];
    long double Den = HO - HP;
    if (Den == 0) throw Exception("Polynomial Interpolation Error - Pause in Routine Data");
    Den = W / Den;
    D[i] = HP * Den;
    C[i] = HO * Den;
  });
}

void Ratint(const std::vector<double>& XA, const std::vector<double>& YA, int N, double X, double& Y,
            double& DY) {
  constexpr long double Tiny = 1e-25L;
  CheckArray(XA, N);
  CheckArray(YA, N);
  std::vector<long double> C(static_cast<std::size_t>(N) + 1), D(static_cast<std::size_t>(N) + 1);
  int NS = 1;
  long double HH = std::fabs(static_cast<long double>(X) - XA[1]);
  for (int i = 1; i <= N; ++i) {
    const long double H = std::fabs(static_cast<long double>(X) - XA[i]);
    if (H == 0) {
      Y = YA[i];
      DY = 0;
      return;
    }
    if (H < HH) {
      NS = i;
      HH = H;
    }
    C[i] = YA[i];
    D[i] = YA[i] + Tiny;
  }
  Tableau(YA, N, NS, C, D, Y, DY, [&](int m, int i) {
    const long double W = C[i + 1] - D[i];
    const long double H = XA[i + m] - static_cast<long double>(X);
    const long double T = (XA[i] - static_cast<long double>(X)) * D[i] / H;
    long double DD = T - C[i + 1];
    if (DD == 0) throw Exception("Rational Interpolation Error - Pause in Routine Data");
    DD = W / DD;
    D[i] = C[i + 1] * DD;
    C[i] = T * DD;
  });
}

void LineThroughPoints(TPoint P1, TPoint P2, double& Slope, double& Intercept) {
  Slope = P1.X == P2.X ? 1e30 : Diff(P2.Y, P1.Y) / Diff(P2.X, P1.X);
  Intercept = P1.Y - P1.X * Slope;
}

bool SegmentsIntersect(TPoint A1, TPoint A2, TPoint B1, TPoint B2) {
  double SlopeA, InterceptA, SlopeB, InterceptB;
  LineThroughPoints(A1, A2, SlopeA, InterceptA);
  LineThroughPoints(B1, B2, SlopeB, InterceptB);
  if (SlopeA == SlopeB) return false;
  const int X = iRound((InterceptB - InterceptA) / (SlopeA - SlopeB));
  auto within = [X](TPoint P, TPoint Q) { return X >= std::min(P.X, Q.X) && X <= std::max(P.X, Q.X); };
  return within(A1, A2) && within(B1, B2);
}

bool SegmentIntersectsRect(TPoint P1, TPoint P2, const TRect& Rect) {
  const TPoint LeftBottom(Rect.Left, Rect.Bottom), LeftTop(Rect.Left, Rect.Top);
  const TPoint RightTop(Rect.Right, Rect.Top), RightBottom(Rect.Right, Rect.Bottom);
  if (SegmentsIntersect(P1, P2, LeftBottom, LeftTop)) return true;
  if (SegmentsIntersect(P1, P2, RightTop, LeftTop)) return true;
  if (SegmentsIntersect(P1, P2, RightBottom, RightTop)) return true;
  if (SegmentsIntersect(P1, P2, LeftBottom, RightBottom)) return true;
  auto inside = [&Rect](TPoint P) {
    return P.X >= Rect.Left && P.X <= Rect.Right && P.Y >= Rect.Top && P.Y <= Rect.Bottom;
  };
  return inside(P1) || inside(P2);
}
