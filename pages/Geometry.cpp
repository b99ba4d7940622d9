#include "Geometry.h"

#include <cmath>

namespace {
constexpr double kPi = 3.141592653589793;
}

double VCutClearance(double A, double B, double D, double F, double k) {
    const double h = A * 0.5;
    const double q = 180 / h;
    const double x = kPi / q;  // half the groove angle, in radians
    const double t = std::tan(x);
    double s = D - B;  // the depth of both grooves together
    s = s + k;
    s = s * 0.5;
    const double ts = t * s;
    return ts + F;
}

double BevelEndFace(double D, double L, double A) {
    const double q = 180 / A;
    const double x = kPi / q;
    const double t = std::tan(x);
    double p = t * L;
    p = p + p;
    return D - p;
}

double BevelLength(double C, double D, double A) {
    const double u = 90 - A;
    const double q = 180 / u;
    const double x = kPi / q;
    const double t = std::tan(x);  // tan(90 - A) = 1 / tan A
    const double v = D - C;
    const double w = v * 0.5;
    return t * w;
}

double CountersinkDepth(double A, double B, double C) {
    const double t1 = A * 0.5;
    const double t2 = 90 - t1;
    const double t3 = 180 / t2;
    const double t4 = kPi / t3;
    const double t5 = std::tan(t4);
    const double t6 = (B - C) * 0.5;
    return t5 * t6;
}
