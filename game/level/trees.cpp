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
// A trunk's radius is 2.5 to 5 in 256 steps, its depth 250 to 51 units behind
// the cliff face, its height 160 to 235 in steps of 5.
constexpr double kMinRadius = 2.5;
constexpr double kRadiusSpread = 2.5;
constexpr int kRadiusSteps = 256;
constexpr int kDepthSteps = 200;
constexpr float kFarthestDepth = -250.0f;
constexpr int kMinHeight = 160;
constexpr int kHeightSteps = 16;
constexpr int kHeightStep = 5;
}  // namespace

// Per tree three draws in order: radius, depth, height.
void generate_trees() {
    for (int t = 0; t < kTreeCount; ++t) {
        const float radius = static_cast<float>(
            kMinRadius +
            kRadiusSpread * static_cast<float>(level_rand() % kRadiusSteps) / kRadiusSteps);
        const float depth = static_cast<float>(level_rand() % kDepthSteps) + kFarthestDepth;
        const float height =
            static_cast<float>((level_rand() % kHeightSteps) * kHeightStep + kMinHeight);
        const double cx = t * kTreeSpacing;
        treed[t][0] = static_cast<float>(cx);
        treed[t][2] = depth;
        treed[t][3] = radius + radius;
        for (int p = 0; p < kRingPoints; ++p) {
            const double theta = p * kTwoPi / kRingPoints;
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
                point.y = below.y + height / kRings;
                point.z = below.z;
                treenorms[t][kRingPoints * k + p] = treenorms[t][kRingPoints * (k - 1) + p];
            }
        }
        treed[t][1] = trees[t][kRingPoints * (kRings - 1)].y;
    }
}
