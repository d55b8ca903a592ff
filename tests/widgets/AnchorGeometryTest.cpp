#include "widgets/AnchorGeometry.h"

#include <gtest/gtest.h>

namespace
{
struct SAxisCase
{
    int nCode;
    int nNear;
    int nFar;
};

// A control at [20, 60) x [10, 30) in a 200 x 100 dialog grown to 400 x 300:
// horizontally twice the size (+200), vertically three times (+200).
const SAnchorRect kControl{20, 10, 60, 30};
const SAnchorSize kInitial{200, 100};
const SAnchorSize kGrown{400, 300};

class AnchorAxisTable : public ::testing::TestWithParam<std::pair<SAxisCase, SAxisCase>>
{
};

TEST_P(AnchorAxisTable, BothAxesFollowTheirCode)
{
    const SAxisCase& horz = GetParam().first;
    const SAxisCase& vert = GetParam().second;
    ASSERT_EQ(horz.nCode, vert.nCode);
    const SAnchorRect rc = AnchorRect(kControl, horz.nCode, vert.nCode, kInitial, kGrown);
    EXPECT_EQ(rc.nLeft, horz.nNear);
    EXPECT_EQ(rc.nRight, horz.nFar);
    EXPECT_EQ(rc.nTop, vert.nNear);
    EXPECT_EQ(rc.nBottom, vert.nFar);
}

INSTANTIATE_TEST_SUITE_P(
    AllCodes, AnchorAxisTable,
    ::testing::Values(
        // 0: both edges scale.
        std::make_pair(SAxisCase{0, 40, 120}, SAxisCase{0, 30, 90}),
        // 1: the near edge scales, the size stays.
        std::make_pair(SAxisCase{1, 40, 80}, SAxisCase{1, 30, 50}),
        // 2: the near edge stays, the far edge scales.
        std::make_pair(SAxisCase{2, 20, 120}, SAxisCase{2, 10, 90}),
        // 3: fixed.
        std::make_pair(SAxisCase{3, 20, 60}, SAxisCase{3, 10, 30}),
        // 4: the near edge scales, the far edge keeps its distance to the dialog's edge.
        std::make_pair(SAxisCase{4, 40, 260}, SAxisCase{4, 30, 230}),
        // 5: moves with the far edge at its size.
        std::make_pair(SAxisCase{5, 220, 260}, SAxisCase{5, 210, 230}),
        // 6: stretches with the far edge.
        std::make_pair(SAxisCase{6, 20, 260}, SAxisCase{6, 10, 230})));

TEST(AnchorGeometry, MixedCodesRoundingAndOddInput)
{
    // Bottom buttons of a list: horizontal 1, vertical 5.
    EXPECT_EQ(AnchorRect(kControl, 1, 5, kInitial, kGrown), (SAnchorRect{40, 210, 80, 230}));
    for (int nCode = 0; nCode <= 6; ++nCode)
        EXPECT_EQ(AnchorRect(kControl, nCode, nCode, kInitial, kInitial), kControl) << nCode;
    EXPECT_EQ(AnchorRect(kControl, 9, -1, kInitial, kGrown), kControl);
    EXPECT_EQ(AnchorRect(kControl, 0, 0, SAnchorSize{0, 0}, kGrown), kControl);

    int nNear = 0;
    int nFar = 0;
    // 15 * 150 / 100 = 22.5 -> 23; 45 * 1.5 = 67.5 -> 68.
    AnchorAxis(0, 15, 45, 100, 150, nNear, nFar);
    EXPECT_EQ(nNear, 23);
    EXPECT_EQ(nFar, 68);
    // The far edge never ends before the near edge while the dialog shrinks.
    AnchorAxis(4, 100, 190, 200, 100, nNear, nFar);
    EXPECT_EQ(nNear, 50);
    EXPECT_EQ(nFar, 90);
    AnchorAxis(4, 150, 160, 200, 20, nNear, nFar);
    EXPECT_GE(nFar, nNear);
}
} // namespace
