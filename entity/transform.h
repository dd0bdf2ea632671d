// Vectors and the 4x4 matrix that place, move and spin sprites.
//
// Single precision, column-major (m[c] is column c, m[c][r] one element), so a
// Mat4 goes to a shader uniform as it is, without transposition. Each operation
// sums in a fixed order; the game's hit tests depend on the rounding that gives.
#pragma once

#include <cstddef>

struct Vec3 {
    float x = 0.0f, y = 0.0f, z = 0.0f;
};

struct Vec4 {
    float x = 0.0f, y = 0.0f, z = 0.0f, w = 0.0f;

    constexpr float& operator[](int row) { return row == 0 ? x : row == 1 ? y : row == 2 ? z : w; }
    constexpr float operator[](int row) const { return row == 0 ? x : row == 1 ? y : row == 2 ? z : w; }
};

constexpr Vec4 operator+(Vec4 a, Vec4 b) { return {a.x + b.x, a.y + b.y, a.z + b.z, a.w + b.w}; }
constexpr Vec4 operator*(Vec4 v, float s) { return {v.x * s, v.y * s, v.z * s, v.w * s}; }
constexpr bool operator==(Vec4 a, Vec4 b) { return a.x == b.x && a.y == b.y && a.z == b.z && a.w == b.w; }

struct Mat4 {
    Vec4 columns[4];

    constexpr Vec4& operator[](int column) { return columns[column]; }
    constexpr const Vec4& operator[](int column) const { return columns[column]; }
    // The 16 floats column by column, as glUniformMatrix4fv wants them.
    const float* data() const { return &columns[0].x; }
};
static_assert(sizeof(Mat4) == 16 * sizeof(float), "Mat4 must be 16 packed floats");

constexpr bool operator==(const Mat4& a, const Mat4& b) {
    return a[0] == b[0] && a[1] == b[1] && a[2] == b[2] && a[3] == b[3];
}

inline constexpr Mat4 identity{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};

// m × T(v): moves along m's own axes; for a pure translation it adds v to it.
constexpr Mat4 translate(const Mat4& m, Vec3 v) {
    Mat4 result = m;
    result[3] = m[0] * v.x + m[1] * v.y + m[2] * v.z + m[3];
    return result;
}

constexpr Vec4 operator*(const Mat4& m, Vec4 v) {
    return (m[0] * v.x + m[1] * v.y) + (m[2] * v.z + m[3] * v.w);
}

// (a × b) × p = a × (b × p): the right-hand matrix acts first.
constexpr Mat4 operator*(const Mat4& a, const Mat4& b) { return {{a * b[0], a * b[1], a * b[2], a * b[3]}}; }

// m × R, with R the right-handed rotation by angle (radians) about axis.
Mat4 axisRotation(const Mat4& m, float angle, Vec3 axis);

// A right-handed view from eye towards centre.
Mat4 lookAt(Vec3 eye, Vec3 centre, Vec3 up);
