#include "renderer/scene/portable_cos.h"

#include <cstdint>

namespace nuvrel {

namespace {

constexpr double TwoOverPi = 6.36619772367581382433e-01;
// pi/2 split so that n * PiOverTwoHigh is exact for the small quadrant counts used here.
constexpr double PiOverTwoHigh = 1.57079632673412561417e+00;
constexpr double PiOverTwoLow = 6.07710050650619224932e-11;

// Taylor series on |r| <= pi/4: the first omitted term is below 1e-17.
double CosKernel(double r) {
    const double z = r * r;
    return 1.0 -
           z * (1.0 / 2 -
                z * (1.0 / 24 -
                     z * (1.0 / 720 - z * (1.0 / 40320 - z * (1.0 / 3628800 -
                                                              z * (1.0 / 479001600 -
                                                                   z * (1.0 / 87178291200 -
                                                                        z / 20922789888000.0)))))));
}

double SinKernel(double r) {
    const double z = r * r;
    return r * (1.0 -
                z * (1.0 / 6 -
                     z * (1.0 / 120 - z * (1.0 / 5040 -
                                           z * (1.0 / 362880 - z * (1.0 / 39916800 -
                                                                    z * (1.0 / 6227020800 -
                                                                         z / 1307674368000.0)))))));
}

}  // namespace

double PortableCos(double x) {
    if (x < 0.0) {
        x = -x;
    }
    const auto quadrant = static_cast<std::int64_t>(x * TwoOverPi + 0.5);
    const auto n = static_cast<double>(quadrant);
    const double r = (x - n * PiOverTwoHigh) - n * PiOverTwoLow;
    switch (quadrant & 3) {
        case 0:
            return CosKernel(r);
        case 1:
            return -SinKernel(r);
        case 2:
            return -CosKernel(r);
        default:
            return SinKernel(r);
    }
}

}  // namespace nuvrel
