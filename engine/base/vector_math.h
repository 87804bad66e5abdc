#pragma once
// Points and directions through 4x4 matrices: 16 floats, row-major, applied
// to row vectors, so m[12..14] translate and m[3], m[7], m[11], m[15] give w.

namespace Math {

// Thrown when a direction cannot be divided by its w.
class InvalidSecondArgument_e {};

} // namespace Math

// The point (x, y, z, 1) through the matrix, divided by w; w = 0 gives
// FLT_MAX in all three outputs.
void Math_TransformPoint(const float point[3], float out[3], const float matrix[16]);

// A direction through the matrix, without the translation, divided by w;
// throws Math::InvalidSecondArgument_e when |w| is below sqrt(FLT_EPSILON).
void Math_TransformPointChecked(const float matrix[16], float out[3], const float vector[3]);
