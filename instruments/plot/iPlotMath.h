#pragma once
// Numeric routines of the plot: guarded logarithm and power, the cubic
// spline, polynomial and rational interpolation of the smooth traces, and
// the segment tests of annotation drawing. Arrays are used from index 1 to
// N (index 0 is allocated and never read), as the published algorithms are.

#include <vector>

#include "platform/classlib/GraphicsTypes.h"

// Both raise Exception on a value <= 0 (Base for Power) instead of quietly
// giving NaN or infinity.
long double Log10(long double X);
long double Power(long double Base, long double Exponent);

// Second derivatives of the cubic spline through (XA[i], YA[i]), i = 1..N,
// XA ascending. The end derivatives are the end chords' slopes; YP1 and YPN
// only choose a natural end when above 0.99e30. Equal neighbouring X raise.
void Spline(const std::vector<double>& XA, const std::vector<double>& YA, int N, std::vector<double>& Y2A,
            double YP1, double YPN);
void Splint(const std::vector<double>& XA, const std::vector<double>& YA, const std::vector<double>& Y2A,
            int N, double X, double& Y);
// Neville's polynomial and the diagonal rational function through all N
// points; DY is the error estimate.
void Polint(const std::vector<double>& XA, const std::vector<double>& YA, int N, double X, double& Y,
            double& DY);
void Ratint(const std::vector<double>& XA, const std::vector<double>& YA, int N, double X, double& Y,
            double& DY);

// Slope 1e30 for a vertical line.
void LineThroughPoints(TPoint P1, TPoint P2, double& Slope, double& Intercept);
// Compares the X ranges of the crossing only.
bool SegmentsIntersect(TPoint A1, TPoint A2, TPoint B1, TPoint B2);
// Edges of Rect included.
bool SegmentIntersectsRect(TPoint P1, TPoint P2, const TRect& Rect);
