#include "brdf/Conventions.h"

void orthoBasis(const Point3& n, Point3& t1, Point3& t2) {
    brdf::orthoBasisInline(n, t1, t2);
}

RotMatrix rotationAboutAxis(const Point3& k, float theta) {
    return brdf::rotationAboutAxisInline(k, theta);
}

Point3 rotateByMatrix(const RotMatrix& m, const Point3& v) {
    return brdf::rotateByMatrixInline(m, v);
}

Point3 dirFromAngles(float sinTheta, float cosTheta, float phi) {
    return brdf::dirFromAnglesInline(sinTheta, cosTheta, phi);
}
