#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "viewer.h"

namespace {

struct Fitted {
    int frame, first, last;
};

Fitted fit(int total, float start, int first, int last) {
    Fitted f{0, first, last};
    f.frame = fit_frames(total, start, &f.first, &f.last);
    return f;
}

void expect(const Fitted& got, int frame, int first, int last) {
    EXPECT_EQ(got.frame, frame);
    EXPECT_EQ(got.first, first);
    EXPECT_EQ(got.last, last);
}

}  // namespace

// The trooper: 610 frames, starting at 483.
TEST(ViewerFrames, OpensInsideTheRangeItWasGiven) {
    expect(fit(610, 483.0f, 361, 480), 361, 361, 480);
    expect(fit(610, 483.0f, 420, 500), 483, 420, 500);
    expect(fit(610, 483.0f, 0, INT_MAX), 483, 0, 610);
}

TEST(ViewerFrames, RangePastTheLastFrameIsCutOrBecomesTheWholeModel) {
    expect(fit(610, 483.0f, 0, 9999), 483, 0, 610);
    expect(fit(610, 483.0f, 700, 800), 483, 0, 610);
    expect(fit(0, 0.0f, 3, 4), 0, 0, 0);
}

// The starting frame comes from the file: any int, taken through a float.
TEST(ViewerFrames, StartOutsideAnIntOrNotANumberOpensAtTheFirstFrame) {
    expect(fit(INT_MAX, float(INT_MAX), 5, INT_MAX), 5, 5, INT_MAX);
    expect(fit(610, -1.0f, 2, 9), 2, 2, 9);
    expect(fit(610, NAN, 2, 9), 2, 2, 9);
}
