// A texture map with the same colour, mono value and normal perturbation everywhere, with a
// settable class name and validity: the host's plain map for tests and tools.
#pragma once

#include <optional>

#include "Texmap.h"

class ConstantTexmap : public Texmap {
public:
    static constexpr Class_ID kClassID{0x7A3C0001, 0x2B6E0001};

    ConstantTexmap() = default;
    explicit ConstantTexmap(const AColor& color) : color_(color) {}

    void SetColor(const AColor& c) { color_ = c; }
    // Without a mono value of its own the map answers the average of its colour.
    void SetMono(float v) { mono_ = v; }
    void SetNormalPerturb(const Point3& p) { perturb_ = p; }
    void SetClassName(const MSTR& name) { className_ = name; }
    void SetValidity(const Interval& valid) { validity_ = valid; }
    // Number of Update calls, and the time of the last one.
    int UpdateCount() const { return updateCount_; }
    TimeValue LastUpdateTime() const { return lastUpdate_; }

    void GetClassName(MSTR& s, bool localized = true) const override;
    Class_ID ClassID() override { return kClassID; }
    RefTargetHandle Clone(RemapDir& remap) override;
    // Scene form (TexmapIO.cpp).
    IOResult Save(ISave* isave) override;
    IOResult Load(ILoad* iload) override;

    void Update(TimeValue t, Interval& valid) override;
    void Reset() override;
    Interval Validity(TimeValue t) override;

    AColor EvalColor(ShadeContext& sc) override;
    float EvalMono(ShadeContext& sc) override;
    Point3 EvalNormalPerturb(ShadeContext& sc) override;

private:
    AColor color_{0.0f, 0.0f, 0.0f, 1.0f};
    std::optional<float> mono_;
    Point3 perturb_;
    MSTR className_ = L"ConstantTexmap";
    Interval validity_ = FOREVER;
    int updateCount_ = 0;
    TimeValue lastUpdate_ = 0;
};
