#include "SampleScene.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "SampleLights.h"

namespace {

// Hits closer than this to the ray origin are the surface the ray starts on.
constexpr float kMinHitDistance = 1e-4f;
// Squared length below which the camera's up vector is taken as parallel to its view.
constexpr float kMinCrossSquared = 1e-12f;
constexpr float kDegToRad = std::numbers::pi_v<float> / 180.0f;
constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;

constexpr float kCubeHalfEdge = 0.75f;
constexpr float kPlaneHalfSize = 1.0f;
// The cube's turn: about Z to show two side faces, then about X to tip its top toward the
// camera.
constexpr float kCubeTurnDegrees = 35.0f;
constexpr float kCubeTipDegrees = 25.0f;

// Default lights.
constexpr Point3 kKeyLightPosition(-2.5f, -4.0f, 3.5f);
constexpr Color kKeyLightColor(1.0f, 1.0f, 1.0f);
constexpr Point3 kFillLightDirection(1.0f, -0.6f, -0.5f);
constexpr Color kFillLightColor(0.3f, 0.3f, 0.3f);

// A hit in object space, before the object's rotation takes it to world space.
struct LocalHit {
    float t;
    Point3 p, normal, uvw, dpdu, dpdv;
};

bool hitSphere(const Point3& o, const Point3& d, LocalHit& hit) {
    const float b = o % d;
    const float c = (o % o) - 1.0f;
    const float disc = b * b - c;
    if (!(disc >= 0.0f)) return false;
    const float s = std::sqrt(disc);
    const float t = (-b - s > kMinHitDistance) ? -b - s : -b + s;
    if (!(t > kMinHitDistance)) return false;

    const Point3 p = o + d * t;
    const Point3 n = Normalize(p);
    const float phi = std::atan2(n.y, n.x);
    const float theta = std::asin(std::clamp(n.z, -1.0f, 1.0f));
    float u = phi / kTwoPi;
    if (u < 0.0f) u += 1.0f;
    const float v = theta / std::numbers::pi_v<float> + 0.5f;
    // P = (cos theta cos phi, cos theta sin phi, sin theta), phi = 2 pi u, theta = pi (v - 1/2).
    const float cosTheta = std::cos(theta);
    hit = {
        t,
        n,
        n,
        {u, v, 0.0f},
        Point3(-n.y, n.x, 0.0f) * kTwoPi,
        Point3(-n.z * std::cos(phi), -n.z * std::sin(phi), cosTheta) * std::numbers::pi_v<float>};
    return true;
}

bool hitCube(const Point3& o, const Point3& d, LocalHit& hit) {
    float tEnter = -INFINITY, tExit = INFINITY;
    for (int k = 0; k < 3; ++k) {
        if (d[k] == 0.0f) {
            if (std::fabs(o[k]) > kCubeHalfEdge) return false;
            continue;
        }
        const float t0 = (-kCubeHalfEdge - o[k]) / d[k];
        const float t1 = (kCubeHalfEdge - o[k]) / d[k];
        tEnter = std::max(tEnter, std::min(t0, t1));
        tExit = std::min(tExit, std::max(t0, t1));
    }
    if (!(tEnter <= tExit)) return false;
    const float t = tEnter > kMinHitDistance ? tEnter : tExit;
    if (!(t > kMinHitDistance)) return false;

    const Point3 p = o + d * t;
    int axis = 0;
    for (int k = 1; k < 3; ++k) {
        if (std::fabs(p[k]) > std::fabs(p[axis])) axis = k;
    }
    const float sign = p[axis] < 0.0f ? -1.0f : 1.0f;
    Point3 n;
    n[axis] = sign;
    // Per face, u and v axes with u x v = n, so UVs read unmirrored from outside.
    Point3 uAxis, vAxis;
    if (axis == 0) {
        uAxis = {0.0f, sign, 0.0f};
        vAxis = {0.0f, 0.0f, 1.0f};
    } else if (axis == 1) {
        uAxis = {-sign, 0.0f, 0.0f};
        vAxis = {0.0f, 0.0f, 1.0f};
    } else {
        uAxis = {1.0f, 0.0f, 0.0f};
        vAxis = {0.0f, sign, 0.0f};
    }
    const float edge = 2.0f * kCubeHalfEdge;
    hit = {t,
           p,
           n,
           {(p % uAxis) / edge + 0.5f, (p % vAxis) / edge + 0.5f, 0.0f},
           uAxis * edge,
           vAxis * edge};
    return true;
}

bool hitPlane(const Point3& o, const Point3& d, LocalHit& hit) {
    if (d.y == 0.0f) return false;
    const float t = -o.y / d.y;
    if (!(t > kMinHitDistance)) return false;
    const Point3 p = o + d * t;
    if (std::fabs(p.x) > kPlaneHalfSize || std::fabs(p.z) > kPlaneHalfSize) return false;
    const float size = 2.0f * kPlaneHalfSize;
    hit = {t,
           {p.x, 0.0f, p.z},
           {0.0f, -1.0f, 0.0f},
           {p.x / size + 0.5f, p.z / size + 0.5f, 0.0f},
           {size, 0.0f, 0.0f},
           {0.0f, 0.0f, size}};
    return true;
}

}  // namespace

SampleScene::SampleScene(int width, int height, SampleObject object)
    : width_(std::max(width, 1)), height_(std::max(height, 1)), object_(object) {
    setObject(object);
    setDefaultLights();
}

void SampleScene::setObject(SampleObject object) {
    object_ = object;
    rotation_[0] = {1.0f, 0.0f, 0.0f};
    rotation_[1] = {0.0f, 1.0f, 0.0f};
    rotation_[2] = {0.0f, 0.0f, 1.0f};
    if (object == SampleObject::Cube) {
        const float cz = std::cos(kCubeTurnDegrees * kDegToRad);
        const float sz = std::sin(kCubeTurnDegrees * kDegToRad);
        const float cx = std::cos(kCubeTipDegrees * kDegToRad);
        const float sx = std::sin(kCubeTipDegrees * kDegToRad);
        // Rows of Rx(tip) * Rz(turn).
        rotation_[0] = {cz, -sz, 0.0f};
        rotation_[1] = {cx * sz, cx * cz, -sx};
        rotation_[2] = {sx * sz, sx * cz, cx};
    }
}

LightDesc* SampleScene::light(int i) const {
    return (i >= 0 && i < nLights()) ? lights_[static_cast<std::size_t>(i)].get() : nullptr;
}

void SampleScene::setDefaultLights() {
    lights_.clear();
    lights_.push_back(std::make_unique<OmniLight>(kKeyLightPosition, kKeyLightColor));
    lights_.push_back(std::make_unique<DirectionalLight>(kFillLightDirection, kFillLightColor));
}

Ray SampleScene::cameraRay(float px, float py) const {
    const Point3 forward = Normalize(camera_.target - camera_.position);
    Point3 right = forward ^ camera_.up;
    if (!(LengthSquared(right) > kMinCrossSquared)) right = forward ^ Point3(0.0f, 1.0f, 0.0f);
    if (!(LengthSquared(right) > kMinCrossSquared)) right = forward ^ Point3(1.0f, 0.0f, 0.0f);
    right = Normalize(right);
    const Point3 up = right ^ forward;

    const float tanHalf = std::tan(0.5f * camera_.verticalFovDegrees * kDegToRad);
    const float aspect = static_cast<float>(width_) / static_cast<float>(height_);
    const float x = (2.0f * px / static_cast<float>(width_) - 1.0f) * tanHalf * aspect;
    const float y = (1.0f - 2.0f * py / static_cast<float>(height_)) * tanHalf;
    return {camera_.position, Normalize(forward + right * x + up * y)};
}

bool SampleScene::intersect(const Ray& ray, SurfaceHit& hit) const {
    // Into object space by the transposed rotation.
    const auto toObject = [&](const Point3& v) {
        return rotation_[0] * v.x + rotation_[1] * v.y + rotation_[2] * v.z;
    };
    const auto toWorld = [&](const Point3& v) {
        return Point3(rotation_[0] % v, rotation_[1] % v, rotation_[2] % v);
    };
    const Point3 o = toObject(ray.origin);
    const Point3 d = toObject(ray.dir);
    LocalHit local{};
    bool found = false;
    switch (object_) {
        case SampleObject::Sphere:
            found = hitSphere(o, d, local);
            break;
        case SampleObject::Cube:
            found = hitCube(o, d, local);
            break;
        case SampleObject::Plane:
            found = hitPlane(o, d, local);
            break;
    }
    if (!found) return false;
    hit = {local.t,   toWorld(local.p),    toWorld(local.normal),
           local.uvw, toWorld(local.dpdu), toWorld(local.dpdv)};
    return true;
}

Color SampleScene::backgroundAt(float px, float py) const {
    if (background_.kind == BackgroundKind::Plain) return background_.plain;
    const float cell = static_cast<float>(std::max(width_, height_)) / kBackgroundCheckerCells;
    // Cell indices stay within range of the integer conversion for any pixel position.
    const auto cellIndex = [cell](float p) {
        constexpr float kMaxCellIndex = 1e9f;
        const float i = std::floor(p / cell);
        return static_cast<long long>(
            std::isfinite(i) ? std::clamp(i, -kMaxCellIndex, kMaxCellIndex) : 0.0f);
    };
    const long long ix = cellIndex(px);
    const long long iy = cellIndex(py);
    return ((ix + iy) & 1) == 0 ? background_.checkerDark : background_.checkerLight;
}
