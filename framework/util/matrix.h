#pragma once

namespace Kavo {

// Row-major; points are column vectors: x' = m00 x + m01 y + m02.
class Matrix3x3 {
public:
    float m[3][3];

    Matrix3x3() { LoadIdentity(); }
    void LoadIdentity();

    // result = left x right; result may alias either operand.
    static void Multiply(const Matrix3x3& left, const Matrix3x3& right, Matrix3x3& result);

    // Each composes the new operation after the ones already held.
    void Translate(float tx, float ty);
    void RotateRad(float angle);
    void Scale(float sx, float sy);

    void Apply(float x, float y, float& outX, float& outY) const {
        outX = m[0][0] * x + m[0][1] * y + m[0][2];
        outY = m[1][0] * x + m[1][1] * y + m[1][2];
    }
};

} // namespace Kavo
