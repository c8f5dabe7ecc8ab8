#pragma once

namespace nuvrel {

// Cosine built from IEEE basic operations only, so that it gives the same bits with every
// C library: the scene's animation must not depend on which libm the program links.
// Accurate to a few units in the last place for |x| below 1e6, far beyond the scene's 0..2pi.
double PortableCos(double x);

}  // namespace nuvrel
