#include "game/ui/cubic_spline.h"

#include <cstddef>

namespace Game {

std::vector<CubicSegment> SolveCubicSpline(int n, const int* values) {
    if (n < 1 || values == nullptr)
        return {};
    return SolveCubicSpline(std::vector<float>(values, values + n + 1));
}

std::vector<CubicSegment> SolveCubicSpline(const std::vector<float>& p) {
    std::vector<CubicSegment> segments;
    if (p.size() < 2)
        return segments;
    const int n = static_cast<int>(p.size()) - 1;
    const int count = n + 1;
    std::vector<float> gamma(static_cast<size_t>(count));
    std::vector<float> delta(static_cast<size_t>(count));
    std::vector<float> D(static_cast<size_t>(count));

    gamma[0] = 0.5f;
    for (int i = 1; i < n; ++i)
        gamma[i] = 1.0f / (4.0f - gamma[i - 1]);
    gamma[n] = 1.0f / (2.0f - gamma[n - 1]);

    delta[0] = 3.0f * (p[1] - p[0]) * gamma[0];
    for (int i = 1; i < n; ++i)
        delta[i] = (3.0f * (p[i + 1] - p[i - 1]) - delta[i - 1]) * gamma[i];
    delta[n] = (3.0f * (p[n] - p[n - 1]) - delta[n - 1]) * gamma[n];

    D[n] = delta[n];
    for (int i = n - 1; i >= 0; --i)
        D[i] = delta[i] - gamma[i] * D[i + 1];

    segments.resize(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        CubicSegment& s = segments[static_cast<size_t>(i)];
        s.a = p[i];
        s.b = D[i];
        s.c = 3.0f * (p[i + 1] - p[i]) - 2.0f * D[i] - D[i + 1];
        s.d = 2.0f * (p[i] - p[i + 1]) + D[i] + D[i + 1];
    }
    return segments;
}

} // namespace Game
