#include "entity/transform.h"

#include <cmath>

namespace {

Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 operator*(Vec3 v, float s) { return {v.x * s, v.y * s, v.z * s}; }
float dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
Vec3 normalise(Vec3 v) { return v * (1.0f / std::sqrt(dot(v, v))); }

} // namespace

Mat4 axisRotation(const Mat4& m, float angle, Vec3 axis) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    const Vec3 a = normalise(axis);
    const Vec3 t = a * (1.0f - c);

    const float r00 = c + t.x * a.x, r01 = t.x * a.y + s * a.z, r02 = t.x * a.z - s * a.y;
    const float r10 = t.y * a.x - s * a.z, r11 = c + t.y * a.y, r12 = t.y * a.z + s * a.x;
    const float r20 = t.z * a.x + s * a.y, r21 = t.z * a.y - s * a.x, r22 = c + t.z * a.z;

    Mat4 result;
    result[0] = m[0] * r00 + m[1] * r01 + m[2] * r02;
    result[1] = m[0] * r10 + m[1] * r11 + m[2] * r12;
    result[2] = m[0] * r20 + m[1] * r21 + m[2] * r22;
    result[3] = m[3];
    return result;
}

Mat4 lookAt(Vec3 eye, Vec3 centre, Vec3 up) {
    const Vec3 f = normalise(centre - eye);
    const Vec3 s = normalise(cross(f, up));
    const Vec3 u = cross(s, f);

    Mat4 result = identity;
    result[0][0] = s.x, result[1][0] = s.y, result[2][0] = s.z;
    result[0][1] = u.x, result[1][1] = u.y, result[2][1] = u.z;
    result[0][2] = -f.x, result[1][2] = -f.y, result[2][2] = -f.z;
    result[3][0] = -dot(s, eye);
    result[3][1] = -dot(u, eye);
    result[3][2] = dot(f, eye);
    return result;
}
