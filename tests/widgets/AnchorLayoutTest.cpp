#include "support/CQtTestApp.h"
#include "widgets/CAnchorLayout.h"

#include <QDialog>
#include <QGroupBox>
#include <QPushButton>
#include <QSizeGrip>
#include <QTreeWidget>
#include <tuple>

#include <gtest/gtest.h>

namespace
{
// A small stand-in for the main window: the remote list, the local tree in
// a group box, and buttons anchored across the list. The codes themselves are
// AnchorGeometry's; here what the layout adds: controls inside a group box,
// the way back, the minimum size, the size grip and anchors across a control.
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
    const auto ResizeTo = [&dialog](int nWidth, int nHeight)
    {
        dialog.resize(nWidth, nHeight);
        QCoreApplication::processEvents();
    };

    EXPECT_EQ(dialog.minimumSize(), QSize(400, 300));
    ResizeTo(600, 450);
    ASSERT_EQ(dialog.size(), QSize(600, 450));
    EXPECT_EQ(pList->geometry(), QRect(10, 40, 275, 350));
    EXPECT_EQ(pBox->geometry(), QRect(300, 30, 290, 370));
    // The tree inside the box: its dialog rectangle [210, 380) x [50, 240) becomes
    // [315, 580) x [50, 390), placed relative to the box's new position.
    EXPECT_EQ(pTree->geometry(), QRect(15, 20, 265, 340));
    EXPECT_EQ(pLayout->SizeGrip()->geometry().bottomRight(), QPoint(599, 449));
    EXPECT_TRUE(pLayout->SizeGrip()->isVisible());

    ResizeTo(200, 100); // never below the first size
    EXPECT_EQ(dialog.size(), QSize(400, 300));
    EXPECT_EQ(pTree->geometry(), QRect(10, 20, 170, 190));

    // A control anchored across another one applies its code to that
    // control's width: two buttons under the list keep spanning it exactly.
    auto* pLeft = new QPushButton("View", &dialog);
    pLeft->setGeometry(10, 250, 88, 25);
    auto* pRight = new QPushButton("Rename", &dialog);
    pRight->setGeometry(102, 250, 88, 25);
    pLayout->SetAnchor(pLeft, 0, 5, pList);
    pLayout->SetAnchor(pRight, 0, 5, pList);
    for (const int nWidth : {400, 523, 1201})
    {
        ResizeTo(nWidth, 360);
        const QRect rcList = pList->geometry();
        EXPECT_EQ(pLeft->x(), rcList.x()) << nWidth;
        EXPECT_EQ(pRight->geometry().right(), rcList.right()) << nWidth;
        EXPECT_LT(pLeft->geometry().right(), pRight->x()) << nWidth;
        EXPECT_EQ(pLeft->y(), 310) << nWidth;
    }
}
} // namespace
