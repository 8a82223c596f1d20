// Colours: Color (r, g, b) and AColor (r, g, b, a), 32-bit floats, per-component arithmetic.
#pragma once

#include <algorithm>

class Color {
public:
    float r = 0.0f, g = 0.0f, b = 0.0f;

    constexpr Color() = default;
    constexpr Color(float ar, float ag, float ab) : r(ar), g(ag), b(ab) {}

    constexpr float& operator[](int i) { return i == 0 ? r : (i == 1 ? g : b); }
    constexpr float operator[](int i) const { return i == 0 ? r : (i == 1 ? g : b); }

    constexpr Color operator+(const Color& c) const { return {r + c.r, g + c.g, b + c.b}; }
    constexpr Color operator-(const Color& c) const { return {r - c.r, g - c.g, b - c.b}; }
    constexpr Color operator*(const Color& c) const { return {r * c.r, g * c.g, b * c.b}; }
    constexpr Color operator*(float f) const { return {r * f, g * f, b * f}; }
    constexpr Color operator/(float f) const { return {r / f, g / f, b / f}; }
    constexpr Color& operator+=(const Color& c) {
        r += c.r;
        g += c.g;
        b += c.b;
        return *this;
    }
    constexpr Color& operator*=(float f) {
        r *= f;
        g *= f;
        b *= f;
        return *this;
    }
    constexpr Color& operator*=(const Color& c) {
        r *= c.r;
        g *= c.g;
        b *= c.b;
        return *this;
    }
    constexpr bool operator==(const Color&) const = default;

    // Clamps every component to [0, 1].
    void ClampMinMax() {
        r = std::min(std::max(r, 0.0f), 1.0f);
        g = std::min(std::max(g, 0.0f), 1.0f);
        b = std::min(std::max(b, 0.0f), 1.0f);
    }
};

constexpr Color operator*(float f, const Color& c) {
    return c * f;
}

class AColor {
public:
    float r = 0.0f, g = 0.0f, b = 0.0f, a = 0.0f;

    constexpr AColor() = default;
    constexpr AColor(float ar, float ag, float ab, float aa = 1.0f) : r(ar), g(ag), b(ab), a(aa) {}
    constexpr explicit AColor(const Color& c, float aa = 1.0f) : r(c.r), g(c.g), b(c.b), a(aa) {}
    constexpr Color rgb() const { return {r, g, b}; }
    constexpr bool operator==(const AColor&) const = default;
};
