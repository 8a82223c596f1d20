// The material editor's sample scene: a pinhole camera looking at one sample object under the
// host's default lights, in front of a background. World space is Z-up. Pixel coordinates
// (px, py) run from the image's top-left corner; the centre of pixel (x, y) is
// (x + 0.5, y + 0.5).
#pragma once

#include <memory>
#include <vector>

#include "Color.h"
#include "Point3.h"
#include "ShadeContext.h"

enum class SampleObject {
    Sphere,  // radius 1 at the origin; latitude-longitude UVs about +Z
    Cube,    // edge 1.5, turned to show three faces; one UV square per face
    Plane,   // 2 x 2 square through the origin facing the camera; seen from both sides
};

enum class BackgroundKind {
    Plain,    // one colour
    Checker,  // the editor's squares, kBackgroundCheckerCells across the longer image side
};

struct SampleBackground {
    BackgroundKind kind = BackgroundKind::Plain;
    Color plain{0.05f, 0.05f, 0.05f};
    Color checkerDark{0.05f, 0.05f, 0.05f};
    Color checkerLight{0.3f, 0.3f, 0.3f};
};

// Squares of the checker background across the longer side of the image.
constexpr int kBackgroundCheckerCells = 8;

struct Ray {
    Point3 origin;
    Point3 dir;  // unit
};

// Where a camera ray meets the sample object, all in world space.
struct SurfaceHit {
    float t = 0.0f;
    Point3 p;
    Point3 normal;  // unit, pointing out of the object (for the plane: toward the camera side)
    Point3 uvw;
    Point3 dpdu;
    Point3 dpdv;
};

struct SampleCamera {
    Point3 position{0.0f, -3.6f, 0.0f};
    Point3 target{0.0f, 0.0f, 0.0f};
    Point3 up{0.0f, 0.0f, 1.0f};
    float verticalFovDegrees = 40.0f;
};

class SampleScene {
public:
    // The host's default sample: the given object, default camera, key and fill lights and
    // the plain background. Sizes below 1 are taken as 1.
    SampleScene(int width, int height, SampleObject object = SampleObject::Sphere);

    int width() const { return width_; }
    int height() const { return height_; }
    SampleObject object() const { return object_; }
    void setObject(SampleObject object);
    const SampleCamera& camera() const { return camera_; }
    void setCamera(const SampleCamera& camera) { camera_ = camera; }
    const SampleBackground& background() const { return background_; }
    void setBackground(const SampleBackground& background) { background_ = background; }

    // Lights, owned by the scene.
    int nLights() const { return static_cast<int>(lights_.size()); }
    LightDesc* light(int i) const;
    void clearLights() { lights_.clear(); }
    void addLight(std::unique_ptr<LightDesc> light) { lights_.push_back(std::move(light)); }
    // The default sample lighting: a white key light above left in front of the object and a
    // dimmer fill light below right.
    void setDefaultLights();

    // The camera ray through pixel position (px, py).
    Ray cameraRay(float px, float py) const;
    // The nearest hit of the sample object in front of the ray's origin.
    bool intersect(const Ray& ray, SurfaceHit& hit) const;
    // The background colour at pixel position (px, py).
    Color backgroundAt(float px, float py) const;

private:
    int width_;
    int height_;
    SampleObject object_;
    // Object to world: a rotation (rows) applied about the origin.
    Point3 rotation_[3];
    SampleCamera camera_;
    SampleBackground background_;
    std::vector<std::unique_ptr<LightDesc>> lights_;
};
