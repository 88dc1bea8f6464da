#pragma once
// The top of the parabola through three equally spaced points (-1, left), (0, centre),
// (1, right): where a sampled peak really lies between its samples, and how high. Every
// sub-sample refinement of the pitch estimates goes through it.

#include <algorithm>

namespace balalaika {

struct ParabolaPeak {
  double offset;  // from the middle point, in units of the spacing, within ±limit
  double height;  // of the parabola at that offset
};

// When the parabola does not open downward there is no top: offset 0, height centre.
inline ParabolaPeak parabolaPeak(double left, double centre, double right, double limit) {
  const double curvature = left - 2.0 * centre + right;
  if (!(curvature < 0.0)) return {0.0, centre};
  const double offset = std::clamp(0.5 * (left - right) / curvature, -limit, limit);
  return {offset, centre - 0.25 * (left - right) * offset};
}

}  // namespace balalaika
