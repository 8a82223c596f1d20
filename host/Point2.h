// 2-vector of 32-bit floats (texture coordinates, random pairs).
#pragma once

class Point2 {
public:
    float x = 0.0f, y = 0.0f;

    constexpr Point2() = default;
    constexpr Point2(float ax, float ay) : x(ax), y(ay) {}
    constexpr float& operator[](int i) { return i == 0 ? x : y; }
    constexpr float operator[](int i) const { return i == 0 ? x : y; }
    constexpr bool operator==(const Point2&) const = default;
};
