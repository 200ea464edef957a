#include "render/picture/Sampling.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// The step between the rows of successive passes: prime to the number of
// passes, so that every row is taken once, and near its golden section, so
// that neighbouring passes fall far apart.
int RowStep(int passes)
{
    const double golden = 0.618 * passes;
    int step = 1;
    for (int k = 2; k < passes; ++k)
        if (std::gcd(k, passes) == 1 && std::abs(k - golden) < std::abs(step - golden))
            step = k;
    return step;
}

} // namespace

TSamplePlan PlanSamples(int samples, const std::vector<int>& counts)
{
    samples = std::max(samples, 1);
    int perPass = 1;
    for (int count : counts)
        if (count > perPass && samples % count == 0)
            perPass = count;
    return {samples / perPass, perPass};
}

TPassOffset PassOffset(int pass, int passes)
{
    const int row = pass * RowStep(passes) % passes;
    return {(pass + 0.5) / passes - 0.5, (row + 0.5) / passes - 0.5};
}
