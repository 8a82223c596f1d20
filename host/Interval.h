// A span of host time [start, end]. Empty is start = end = TIME_NegInfinity;
// forever is TIME_NegInfinity .. TIME_PosInfinity.
#pragma once

#include <algorithm>

#include "HostTypes.h"

class Interval {
public:
    constexpr Interval() = default;  // empty
    constexpr Interval(TimeValue s, TimeValue e) : start_(s), end_(e) {}

    constexpr TimeValue Start() const { return start_; }
    constexpr TimeValue End() const { return end_; }
    constexpr void Set(TimeValue s, TimeValue e) {
        start_ = s;
        end_ = e;
    }
    constexpr void SetEmpty() { start_ = end_ = TIME_NegInfinity; }
    constexpr void SetInfinite() {
        start_ = TIME_NegInfinity;
        end_ = TIME_PosInfinity;
    }
    constexpr void SetInstant(TimeValue t) { start_ = end_ = t; }
    constexpr bool Empty() const { return start_ == TIME_NegInfinity && end_ == TIME_NegInfinity; }
    constexpr bool InInterval(TimeValue t) const { return !Empty() && start_ <= t && t <= end_; }

    // Intersection; a disjoint pair gives the empty interval.
    constexpr Interval operator&(const Interval& o) const {
        if (Empty() || o.Empty()) return Interval();
        const TimeValue s = std::max(start_, o.start_);
        const TimeValue e = std::min(end_, o.end_);
        return s <= e ? Interval(s, e) : Interval();
    }
    constexpr Interval& operator&=(const Interval& o) { return *this = *this & o; }
    constexpr bool operator==(const Interval&) const = default;

private:
    TimeValue start_ = TIME_NegInfinity;
    TimeValue end_ = TIME_NegInfinity;
};

constexpr Interval FOREVER(TIME_NegInfinity, TIME_PosInfinity);
constexpr Interval NEVER;
