#pragma once

#include <algorithm>
#include <vector>

// The middle figure of a benchmark's repetitions: one run slowed by a busy machine does
// not move it.
inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
