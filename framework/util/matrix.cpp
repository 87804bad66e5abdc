#include "framework/util/matrix.h"

#include <cmath>

namespace Kavo {

void Matrix3x3::LoadIdentity() {
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            m[r][c] = r == c ? 1.0f : 0.0f;
}

void Matrix3x3::Multiply(const Matrix3x3& left, const Matrix3x3& right, Matrix3x3& result) {
    Matrix3x3 t;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            t.m[r][c] = left.m[r][0] * right.m[0][c] + left.m[r][1] * right.m[1][c] + left.m[r][2] * right.m[2][c];
    result = t;
}

void Matrix3x3::Translate(float tx, float ty) {
    Matrix3x3 t;
    t.m[0][2] = tx;
    t.m[1][2] = ty;
    Multiply(t, *this, *this);
}

void Matrix3x3::RotateRad(float angle) {
    Matrix3x3 r;
    float c = std::cos(angle);
    float s = std::sin(angle);
    r.m[0][0] = c;
    r.m[0][1] = s;
    r.m[1][0] = -s;
    r.m[1][1] = c;
    Multiply(r, *this, *this);
}

void Matrix3x3::Scale(float sx, float sy) {
    Matrix3x3 s;
    s.m[0][0] = sx;
    s.m[1][1] = sy;
    Multiply(s, *this, *this);
}

} // namespace Kavo
