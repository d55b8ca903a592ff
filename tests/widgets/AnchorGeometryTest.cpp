#include "widgets/AnchorGeometry.h"

#include <gtest/gtest.h>

TEST(AnchorGeometry, EveryCodeMixedCodesRoundingAndOddInput)
{
    // A control at [20, 60) x [10, 30) in a 200 x 100 dialog grown to 400 x 300:
    // horizontally twice the size (+200), vertically three times (+200).
    const SAnchorRect rcControl{20, 10, 60, 30};
    const SAnchorSize initial{200, 100};
    const SAnchorSize grown{400, 300};
    const SAnchorRect arrExpected[] = {
        {40, 30, 120, 90},    // 0: both edges scale
        {40, 30, 80, 50},     // 1: the near edge scales, the size stays
        {20, 10, 120, 90},    // 2: the near edge stays, the far edge scales
        {20, 10, 60, 30},     // 3: fixed
        {40, 30, 260, 230},   // 4: the near edge scales, the far edge keeps its distance
        {220, 210, 260, 230}, // 5: moves with the far edge at its size
        {20, 10, 260, 230},   // 6: stretches with the far edge
    };
    for (int nCode = 0; nCode <= 6; ++nCode)
    {
        EXPECT_EQ(AnchorRect(rcControl, nCode, nCode, initial, grown), arrExpected[nCode]) << nCode;
        EXPECT_EQ(AnchorRect(rcControl, nCode, nCode, initial, initial), rcControl) << nCode;
    }
    // Bottom buttons of a list: horizontal 1, vertical 5.
    EXPECT_EQ(AnchorRect(rcControl, 1, 5, initial, grown), (SAnchorRect{40, 210, 80, 230}));
    EXPECT_EQ(AnchorRect(rcControl, 9, -1, initial, grown), rcControl);
    EXPECT_EQ(AnchorRect(rcControl, 0, 0, SAnchorSize{0, 0}, grown), rcControl);

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
