// 3-vector of 32-bit floats for points, vectors, normals and directions.
#pragma once

#include <cmath>

class Point3 {
public:
    float x = 0.0f, y = 0.0f, z = 0.0f;

    constexpr Point3() = default;
    constexpr Point3(float ax, float ay, float az) : x(ax), y(ay), z(az) {}

    constexpr float& operator[](int i) { return i == 0 ? x : (i == 1 ? y : z); }
    constexpr float operator[](int i) const { return i == 0 ? x : (i == 1 ? y : z); }

    constexpr Point3 operator-() const { return {-x, -y, -z}; }
    constexpr Point3 operator+(const Point3& b) const { return {x + b.x, y + b.y, z + b.z}; }
    constexpr Point3 operator-(const Point3& b) const { return {x - b.x, y - b.y, z - b.z}; }
    constexpr Point3 operator*(float f) const { return {x * f, y * f, z * f}; }
    constexpr Point3 operator/(float f) const { return {x / f, y / f, z / f}; }
    // Dot product, as the host writes it.
    constexpr float operator%(const Point3& b) const { return x * b.x + y * b.y + z * b.z; }
    // Cross product, as the host writes it.
    constexpr Point3 operator^(const Point3& b) const {
        return {y * b.z - z * b.y, z * b.x - x * b.z, x * b.y - y * b.x};
    }
    constexpr Point3& operator+=(const Point3& b) {
        x += b.x;
        y += b.y;
        z += b.z;
        return *this;
    }
    constexpr Point3& operator-=(const Point3& b) {
        x -= b.x;
        y -= b.y;
        z -= b.z;
        return *this;
    }
    constexpr Point3& operator*=(float f) {
        x *= f;
        y *= f;
        z *= f;
        return *this;
    }
    constexpr bool operator==(const Point3&) const = default;
};

constexpr Point3 operator*(float f, const Point3& p) {
    return p * f;
}

constexpr float DotProd(const Point3& a, const Point3& b) {
    return a % b;
}
constexpr Point3 CrossProd(const Point3& a, const Point3& b) {
    return a ^ b;
}
inline float Length(const Point3& p) {
    return std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
}
constexpr float LengthSquared(const Point3& p) {
    return p % p;
}

// Unit vector along p. A zero vector has no direction: like the host's own
// Normalize it yields the division by zero (NaN), which callers guard where it matters.
inline Point3 Normalize(const Point3& p) {
    const float len = Length(p);
    return {p.x / len, p.y / len, p.z / len};
}
