// Statistical checks for lobe samplers: a Pearson chi-square test of sampled directions against
// a density integrated over a (cos theta, phi) grid, and white-furnace means.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "brdf/Conventions.h"
#include "tests/brdf/TestContext.h"

namespace stats {

constexpr double kPi = 3.14159265358979323846;
// Family-wise significance of each model's chi-square cases.
constexpr double kSignificance = 0.01;
// Cells expected to hold fewer samples than this are pooled.
constexpr double kMinExpected = 5.0;

// Significance of one of m tests so that the family's stays at kSignificance (Šidák).
inline double sidak(int m) {
    return 1.0 - std::pow(1.0 - kSignificance, 1.0 / m);
}

// Regularised upper incomplete gamma Q(a, x) (series below a + 1, continued fraction above).
inline double gammaQ(double a, double x) {
    if (x <= 0.0) return 1.0;
    const double lnPre = a * std::log(x) - x - std::lgamma(a);
    if (x < a + 1.0) {
        double term = 1.0 / a, sum = term;
        for (int n = 1; n < 10000 && std::fabs(term) > 1e-15 * std::fabs(sum); ++n) {
            term *= x / (a + n);
            sum += term;
        }
        return 1.0 - sum * std::exp(lnPre);
    }
    double b = x + 1.0 - a, c = 1e300, d = 1.0 / b, h = d;
    for (int i = 1; i < 10000; ++i) {
        const double an = -i * (i - a);
        b += 2.0;
        d = an * d + b;
        d = std::fabs(d) < 1e-300 ? 1e-300 : d;
        c = b + an / c;
        c = std::fabs(c) < 1e-300 ? 1e-300 : c;
        d = 1.0 / d;
        const double del = d * c;
        h *= del;
        if (std::fabs(del - 1.0) < 1e-15) break;
    }
    return std::exp(lnPre) * h;
}

// A grid over directions: nCos bands of cos theta in [cosLo, 1] about `frame.nz`, each split
// into nPhi sectors of the azimuth measured from frame.nx toward frame.ny.
struct Grid {
    brdf::Frame frame;
    int nCos = 10, nPhi = 20;
    double cosLo = 0.0;

    int cells() const { return nCos * nPhi; }
    // Cell of a world direction, or -1 when it lies below cosLo.
    int cellOf(const Point3& d) const {
        const Point3 l = frame.toLocal(d);
        const double c = std::clamp(static_cast<double>(l.z), -1.0, 1.0);
        if (c < cosLo) return -1;
        double phi = std::atan2(static_cast<double>(l.y), static_cast<double>(l.x));
        if (phi < 0.0) phi += 2.0 * kPi;
        const int i = std::min(nCos - 1, static_cast<int>((c - cosLo) / (1.0 - cosLo) * nCos));
        const int j = std::min(nPhi - 1, static_cast<int>(phi / (2.0 * kPi) * nPhi));
        return i * nPhi + j;
    }
    Point3 direction(double c, double phi) const {
        const double s = std::sqrt(std::max(0.0, 1.0 - c * c));
        return frame.toWorld(Point3(static_cast<float>(s * std::cos(phi)),
                                    static_cast<float>(s * std::sin(phi)), static_cast<float>(c)));
    }
};

// Probability of every cell under `density` (per unit solid angle of world directions):
// composite 4-point Gauss–Legendre on sub × sub pieces of each cell (dω = d cos theta d phi).
inline std::vector<double> integrate(const Grid& grid,
                                     const std::function<double(const Point3&)>& density,
                                     int sub = 6) {
    static const double x[4] = {-0.8611363115940526, -0.3399810435848563, 0.3399810435848563,
                                0.8611363115940526};
    static const double w[4] = {0.3478548451374538, 0.6521451548625461, 0.6521451548625461,
                                0.3478548451374538};
    std::vector<double> p(grid.cells(), 0.0);
    const double dc = (1.0 - grid.cosLo) / grid.nCos / sub;
    const double dp = 2.0 * kPi / grid.nPhi / sub;
    for (int i = 0; i < grid.nCos; ++i)
        for (int j = 0; j < grid.nPhi; ++j) {
            double sum = 0.0;
            for (int a = 0; a < sub; ++a)
                for (int b = 0; b < sub; ++b) {
                    const double c0 = grid.cosLo + (i * sub + a) * dc;
                    const double p0 = (j * sub + b) * dp;
                    for (int u = 0; u < 4; ++u)
                        for (int v = 0; v < 4; ++v) {
                            const double c = c0 + 0.5 * dc * (x[u] + 1.0);
                            const double phi = p0 + 0.5 * dp * (x[v] + 1.0);
                            sum += w[u] * w[v] * density(grid.direction(c, phi));
                        }
                }
            p[i * grid.nPhi + j] = sum * 0.25 * dc * dp;
        }
    return p;
}

struct ChiSquare {
    double statistic = 0.0;
    int dof = 0;
    double pValue = 1.0;
    std::string problem;  // a sample where the density is 0, or nothing left to test
};

// Pearson test of observed counts against expected counts, cells below kMinExpected pooled
// (the pool joins the smallest remaining cell if it is itself too small).
inline ChiSquare pearson(const std::vector<double>& observed, const std::vector<double>& expected) {
    ChiSquare r;
    std::vector<std::pair<double, double>> cells;  // (expected, observed)
    for (std::size_t k = 0; k < observed.size(); ++k) {
        if (expected[k] <= 0.0 && observed[k] > 0.0) {
            r.problem = "samples in cell " + std::to_string(k) + " where the density is 0";
            return r;
        }
        cells.emplace_back(expected[k], observed[k]);
    }
    std::sort(cells.begin(), cells.end());
    double poolE = 0.0, poolO = 0.0;
    std::vector<std::pair<double, double>> kept;
    for (const auto& c : cells) {
        if (c.first < kMinExpected) {
            poolE += c.first;
            poolO += c.second;
        } else {
            kept.push_back(c);
        }
    }
    if (poolE > 0.0) {
        if (poolE >= kMinExpected || kept.empty()) {
            kept.emplace_back(poolE, poolO);
        } else {
            kept.front().first += poolE;
            kept.front().second += poolO;
        }
    }
    if (kept.size() < 2) {
        r.problem = "fewer than two cells";
        return r;
    }
    for (const auto& c : kept) r.statistic += (c.second - c.first) * (c.second - c.first) / c.first;
    r.dof = static_cast<int>(kept.size()) - 1;
    r.pValue = gammaQ(0.5 * r.dof, 0.5 * r.statistic);
    return r;
}

// Uniform floats strictly inside (0, 1) on a 2^-23 lattice, as the samplers expect (u1 ≠ 0).
class Uniforms {
public:
    explicit Uniforms(std::uint32_t seed) : rng_(seed) {}
    float next() { return (static_cast<float>(rng_() >> 9) + 0.5f) * (1.0f / 8388608.0f); }
    Point2 pair() {
        const float u0 = next();
        return {u0, next()};
    }

private:
    std::mt19937 rng_;
};

// Draws n samples from `sample(result, context, rnd2d)` under a white environment and bins the
// written directions on the grid; the last bin counts samples that wrote nothing or fell
// below the grid. Also accumulates the written weight (0 for an unwritten sample).
struct SampleRun {
    std::vector<double> counts;
    double meanWeight = 0.0;
    double weightStdErr = 0.0;
    int badWeights = 0;  // NaN, infinite or negative
};

template <class Sampler>
SampleRun run(const Grid& grid, TestShadeContext& sc, int n, std::uint32_t seed, Sampler&& sample) {
    SampleRun r;
    r.counts.assign(grid.cells() + 1, 0.0);
    Uniforms u(seed);
    double sum = 0.0, sum2 = 0.0;
    for (int k = 0; k < n; ++k) {
        Color result = kUnwritten;
        const int before = sc.lookups;
        sample(result, sc, u.pair());
        double wgt = 0.0;
        int cell = -1;
        if (sc.lookups != before) {
            wgt = result.r;
            cell = grid.cellOf(sc.lastDir);
            if (!std::isfinite(wgt) || wgt < 0.0) ++r.badWeights;
        }
        r.counts[cell < 0 ? grid.cells() : cell] += 1.0;
        sum += wgt;
        sum2 += wgt * wgt;
    }
    r.meanWeight = sum / n;
    r.weightStdErr = std::sqrt(std::max(0.0, sum2 / n - r.meanWeight * r.meanWeight) / n);
    return r;
}

// Expected counts for run(): the cell probabilities times n, and the rest in the last bin.
inline std::vector<double> expectedCounts(const std::vector<double>& p, int n) {
    std::vector<double> e(p.size() + 1);
    double total = 0.0;
    for (std::size_t k = 0; k < p.size(); ++k) {
        e[k] = p[k] * n;
        total += p[k];
    }
    e.back() = std::max(0.0, 1.0 - total) * n;
    return e;
}

inline double sum(const std::vector<double>& v) {
    double s = 0.0;
    for (double x : v) s += x;
    return s;
}

}  // namespace stats

namespace stats {

// One chi-square case's verdict, with what a failure report needs.
inline ::testing::AssertionResult passes(const ChiSquare& c, int family) {
    if (!c.problem.empty()) return ::testing::AssertionFailure() << c.problem;
    if (c.pValue >= sidak(family)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "chi2 " << c.statistic << " on " << c.dof << " dof, p "
                                         << c.pValue << " below " << sidak(family);
}

// Mean written weight against its expectation: within 4 standard errors plus a small allowance
// for the quadrature and the float arithmetic of the model.
inline ::testing::AssertionResult furnaceMatches(const SampleRun& r, double expected,
                                                 double allowance = 2e-3) {
    const double tol = 4.0 * r.weightStdErr + allowance * std::fabs(expected);
    if (std::fabs(r.meanWeight - expected) <= tol) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "mean weight " << r.meanWeight << " expected " << expected << " ± " << tol;
}

// Reflection geometry in double precision for the reference densities.
struct Vec {
    double x, y, z;
};
inline Vec toDouble(const Point3& p) {
    return {p.x, p.y, p.z};
}
// Unit half vector of the local pair (wo, wi); false when they cancel.
inline bool halfVector(const Vec& wo, const Vec& wi, Vec& h) {
    h = {wo.x + wi.x, wo.y + wi.y, wo.z + wi.z};
    const double len = std::sqrt(h.x * h.x + h.y * h.y + h.z * h.z);
    if (!(len > 0.0)) return false;
    h = {h.x / len, h.y / len, h.z / len};
    return true;
}
inline double dot(const Vec& a, const Vec& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

}  // namespace stats
