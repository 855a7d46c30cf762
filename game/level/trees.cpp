// Placement of the 300 background trees: square trunks of four rings and the
// place and size of each palm crown.
#include <cmath>

#include "level/level.h"

namespace {
constexpr double kTreeSpacing = static_cast<double>(kCellWidth) / kTreesPerColumn;  // x units
constexpr double kTwoPi = 6.283185307179586;
constexpr float kTrunkBase = cell_top(kMapRows);  // y of the bottom ring: the layer's bottom edge
constexpr int kRingPoints = 4;
constexpr int kRings = 4;
}  // namespace

// Per tree three draws in order: radius, depth, height.
void generate_trees() {
    for (int t = 0; t < kTreeCount; ++t) {
        const float radius =
            static_cast<float>(2.5 + 2.5 * static_cast<float>(level_rand() % 256) / 256.0);
        const float depth = static_cast<float>(level_rand() % 200) - 250.0f;
        const float height = static_cast<float>((level_rand() % 16) * 10 / 2 + 160);
        const double cx = t * kTreeSpacing;
        treed[t][0] = static_cast<float>(cx);
        treed[t][2] = depth;
        treed[t][3] = radius + radius;
        for (int p = 0; p < kRingPoints; ++p) {
            const double theta = p * kTwoPi / 4.0;
            trees[t][p].x = static_cast<float>(std::cos(theta) * radius + cx);
            trees[t][p].y = kTrunkBase;
            trees[t][p].z = static_cast<float>(std::sin(theta) * radius + depth);
            treenorms[t][p].x = static_cast<float>(std::cos(theta));
            treenorms[t][p].y = 0.0f;
            treenorms[t][p].z = static_cast<float>(std::sin(theta));
            for (int k = 1; k < kRings; ++k) {
                const VERT& below = trees[t][kRingPoints * (k - 1) + p];
                VERT& point = trees[t][kRingPoints * k + p];
                point.x = below.x;
                point.y = below.y + height / 4.0f;
                point.z = below.z;
                treenorms[t][kRingPoints * k + p] = treenorms[t][kRingPoints * (k - 1) + p];
            }
        }
        treed[t][1] = trees[t][kRingPoints * (kRings - 1)].y;
    }
}
