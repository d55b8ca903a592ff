#include "support/CQtTestApp.h"
#include "widgets/AnchorGeometry.h"
#include "widgets/CAnchorLayout.h"

#include <QtWidgets>
#include <tuple>

TEST(AnchorGeometry, EveryCodeMixedCodesRoundingAndOddInput)
{
    // A control at [20, 60) x [10, 30) in a 200 x 100 dialog grown to 400 x 300:
    // horizontally twice the size (+200), vertically three times (+200).
    const SAnchorRect rcControl{20, 10, 60, 30};
    const SAnchorSize initial{200, 100}, grown{400, 300};
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

    int nNear = 0, nFar = 0;
    AnchorAxis(0, 15, 45, 100, 150, nNear, nFar); // 22.5 -> 23, 67.5 -> 68
    EXPECT_EQ(std::pair(nNear, nFar), std::pair(23, 68));
    // The far edge never ends before the near edge while the dialog shrinks.
    AnchorAxis(4, 150, 160, 200, 20, nNear, nFar);
    EXPECT_GE(nFar, nNear);
}

// A stand-in for the main window: a list and a tree in a group box.
TEST(AnchorLayout, ResizingMovesControlsByTheirAnchorsAndBack)
{
    EnsureQtApp();
    QDialog dialog;
    dialog.resize(400, 300);
    auto* pList = new QTreeWidget(&dialog);
    pList->setGeometry(10, 40, 180, 200);
    auto* pBox = new QGroupBox("Local Computer", &dialog);
    pBox->setGeometry(200, 30, 190, 220);
    auto* pTree = new QTreeWidget(pBox);
    pTree->setGeometry(10, 20, 170, 190);
    auto* pLayout = new CAnchorLayout(&dialog);
    for (const auto& [pWidget, nHorz, nVert] :
         {std::tuple<QWidget*, int, int>{pList, 2, 6}, {pBox, 4, 6}, {pTree, 4, 6}})
        pLayout->SetAnchor(pWidget, nHorz, nVert);
    dialog.show();

    EXPECT_EQ(dialog.minimumSize(), QSize(400, 300));
    dialog.resize(600, 450);
    QCoreApplication::processEvents();
    ASSERT_EQ(dialog.size(), QSize(600, 450));
    EXPECT_EQ(pList->geometry(), QRect(10, 40, 275, 350));
    EXPECT_EQ(pBox->geometry(), QRect(300, 30, 290, 370));
    // The tree inside the box: its dialog rectangle [210, 380) x [50, 240) becomes
    // [315, 580) x [50, 390), placed relative to the box's new position.
    EXPECT_EQ(pTree->geometry(), QRect(15, 20, 265, 340));
    EXPECT_EQ(pLayout->SizeGrip()->geometry().bottomRight(), QPoint(599, 449));
    EXPECT_TRUE(pLayout->SizeGrip()->isVisible());

    dialog.resize(200, 100); // never below the first size
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.size(), QSize(400, 300));
    EXPECT_EQ(pTree->geometry(), QRect(10, 20, 170, 190));
}
