#include "engine/base/vector_math.h"

#include <cfloat>
#include <cmath>

namespace {

float W(const float m[16], const float v[3]) {
    return v[0] * m[3] + v[1] * m[7] + v[2] * m[11] + m[15];
}

} // namespace

void Math_TransformPoint(const float point[3], float out[3], const float matrix[16]) {
    const float w = W(matrix, point);
    if (w == 0.0f) {
        out[0] = out[1] = out[2] = FLT_MAX;
        return;
    }
    const float r = 1.0f / w;
    const float x = point[0], y = point[1], z = point[2];
    const float* m = matrix;
    out[0] = (x * m[0] + y * m[4] + z * m[8] + m[12]) * r;
    out[1] = (x * m[1] + y * m[5] + z * m[9] + m[13]) * r;
    out[2] = (x * m[2] + y * m[6] + z * m[10] + m[14]) * r;
}

void Math_TransformPointChecked(const float matrix[16], float out[3], const float vector[3]) {
    // The float nearest sqrt(FLT_EPSILON); a |w| equal to it still passes.
    static const float kSmallest = std::sqrt(FLT_EPSILON);
    const float w = W(matrix, vector);
    if (std::fabs(w) < kSmallest)
        throw Math::InvalidSecondArgument_e();
    const float r = 1.0f / w;
    const float x = vector[0], y = vector[1], z = vector[2];
    const float* m = matrix;
    out[0] = (x * m[0] + y * m[4] + z * m[8]) * r;
    out[1] = (x * m[1] + y * m[5] + z * m[9]) * r;
    out[2] = (x * m[2] + y * m[6] + z * m[10]) * r;
}
