#include "brdf/Conventions.h"

void orthoBasis(const Point3& n, Point3& t1, Point3& t2) {
    brdf::orthoBasisInline(n, t1, t2);
}

// Rodrigues' rotation formula in matrix form.
RotMatrix rotationAboutAxis(const Point3& k, float theta) {
    const float c = std::cos(theta);
    const float s = std::sin(theta);
    const float t = 1.0f - c;
    RotMatrix r;
    r.m[0][0] = t * k.x * k.x + c;
    r.m[0][1] = t * k.x * k.y - s * k.z;
    r.m[0][2] = t * k.x * k.z + s * k.y;
    r.m[1][0] = t * k.y * k.x + s * k.z;
    r.m[1][1] = t * k.y * k.y + c;
    r.m[1][2] = t * k.y * k.z - s * k.x;
    r.m[2][0] = t * k.x * k.z - s * k.y;
    r.m[2][1] = t * k.z * k.y + s * k.x;
    r.m[2][2] = t * k.z * k.z + c;
    return r;
}

Point3 rotateByMatrix(const RotMatrix& m, const Point3& v) {
    return {m.m[0][0] * v.x + m.m[0][1] * v.y + m.m[0][2] * v.z,
            m.m[1][0] * v.x + m.m[1][1] * v.y + m.m[1][2] * v.z,
            m.m[2][0] * v.x + m.m[2][1] * v.y + m.m[2][2] * v.z};
}

Point3 dirFromAngles(float sinTheta, float cosTheta, float phi) {
    return {sinTheta * std::cos(phi), sinTheta * std::sin(phi), cosTheta};
}
