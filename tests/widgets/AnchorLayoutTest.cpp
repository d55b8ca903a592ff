#include "support/CQtTestApp.h"
#include "widgets/CAnchorLayout.h"

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QPushButton>
#include <QSizeGrip>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace
{
// A small stand-in for the main window: a panel combo at the top left, the
// remote list with its buttons below it, and the local tree in a group box on
// the right, anchored the way the main window anchors them.
class AnchorLayoutDialog : public CQtTestBase
{
protected:
    void SetUp() override
    {
        m_dialog.resize(400, 300);
        m_pCombo = new QComboBox(&m_dialog);
        m_pCombo->setGeometry(10, 10, 120, 20);
        m_pList = new QTreeWidget(&m_dialog);
        m_pList->setGeometry(10, 40, 180, 200);
        m_pButton = new QPushButton("Delete", &m_dialog);
        m_pButton->setGeometry(10, 250, 80, 25);
        m_pBox = new QGroupBox("Local Computer", &m_dialog);
        m_pBox->setGeometry(200, 30, 190, 220);
        m_pTree = new QTreeWidget(m_pBox);
        m_pTree->setGeometry(10, 20, 170, 190);

        m_pLayout = new CAnchorLayout(&m_dialog);
        m_pLayout->SetAnchor(m_pCombo, 3, 3);
        m_pLayout->SetAnchor(m_pList, 2, 6);
        m_pLayout->SetAnchor(m_pButton, 1, 5);
        m_pLayout->SetAnchor(m_pBox, 4, 6);
        m_pLayout->SetAnchor(m_pTree, 4, 6);
        m_dialog.show();
    }

    void ResizeTo(int nWidth, int nHeight)
    {
        m_dialog.resize(nWidth, nHeight);
        QCoreApplication::processEvents();
    }

    QDialog m_dialog;
    QComboBox* m_pCombo = nullptr;
    QTreeWidget* m_pList = nullptr;
    QPushButton* m_pButton = nullptr;
    QGroupBox* m_pBox = nullptr;
    QTreeWidget* m_pTree = nullptr;
    CAnchorLayout* m_pLayout = nullptr;
};

TEST_F(AnchorLayoutDialog, GrowingMovesAndSizesControlsByTheirAnchors)
{
    ResizeTo(600, 450);
    ASSERT_EQ(m_dialog.size(), QSize(600, 450));

    // The panel choice at the top left keeps its place and size.
    EXPECT_EQ(m_pCombo->geometry(), QRect(10, 10, 120, 20));
    // The list keeps its left and top edges; its right edge scales (190 -> 285)
    // and its bottom keeps its distance to the dialog's bottom (240 -> 390).
    EXPECT_EQ(m_pList->geometry(), QRect(10, 40, 275, 350));
    // The button below the list moves down with the bottom edge at its size.
    EXPECT_EQ(m_pButton->geometry(), QRect(15, 400, 80, 25));
    // The group box: left edge scaled (200 -> 300), right and bottom edges follow.
    EXPECT_EQ(m_pBox->geometry(), QRect(300, 30, 290, 370));
    // The tree inside the box: its dialog rectangle [210, 380) x [50, 240) becomes
    // [315, 580) x [50, 390), placed relative to the box's new position.
    EXPECT_EQ(m_pTree->geometry(), QRect(15, 20, 265, 340));
}

TEST_F(AnchorLayoutDialog, BackToTheFirstSizeRestoresEveryRectangle)
{
    ResizeTo(700, 500);
    ResizeTo(400, 300);
    EXPECT_EQ(m_pList->geometry(), QRect(10, 40, 180, 200));
    EXPECT_EQ(m_pButton->geometry(), QRect(10, 250, 80, 25));
    EXPECT_EQ(m_pBox->geometry(), QRect(200, 30, 190, 220));
    EXPECT_EQ(m_pTree->geometry(), QRect(10, 20, 170, 190));
}

TEST_F(AnchorLayoutDialog, CannotShrinkBelowTheFirstSize)
{
    EXPECT_EQ(m_dialog.minimumSize(), QSize(400, 300));
    EXPECT_EQ(m_pLayout->InitialSize(), QSize(400, 300));
    ResizeTo(200, 100);
    EXPECT_EQ(m_dialog.size(), QSize(400, 300));
    EXPECT_EQ(m_pList->geometry(), QRect(10, 40, 180, 200));
}

TEST_F(AnchorLayoutDialog, SizeGripSitsInTheBottomRightCorner)
{
    QSizeGrip* pGrip = m_pLayout->SizeGrip();
    ASSERT_NE(pGrip, nullptr);
    for (const QSize& size : {QSize(400, 300), QSize(640, 480)})
    {
        ResizeTo(size.width(), size.height());
        EXPECT_TRUE(pGrip->isVisible());
        EXPECT_EQ(pGrip->geometry().bottomRight(), QPoint(size.width() - 1, size.height() - 1));
    }
}

TEST_F(AnchorLayoutDialog, ReRegisteringAControlReplacesItsAnchor)
{
    m_pLayout->SetAnchor(m_pCombo, 5, 5);
    ResizeTo(500, 400);
    EXPECT_EQ(m_pCombo->geometry(), QRect(110, 110, 120, 20));
}

// A control anchored across another one applies its code to that control's
// width: a row of two buttons under the list keeps spanning the list exactly.
TEST_F(AnchorLayoutDialog, ControlsAcrossAReferenceFollowItsEdges)
{
    auto* pLeft = new QPushButton("View", &m_dialog);
    pLeft->setGeometry(10, 250, 88, 25);
    auto* pRight = new QPushButton("Rename", &m_dialog);
    pRight->setGeometry(102, 250, 88, 25);
    m_pLayout->SetAnchor(pLeft, 0, 5, m_pList);
    m_pLayout->SetAnchor(pRight, 0, 5, m_pList);
    for (const int nWidth : {400, 523, 800, 1201})
    {
        ResizeTo(nWidth, 360);
        const QRect rcList = m_pList->geometry();
        EXPECT_EQ(pLeft->x(), rcList.x()) << nWidth;
        EXPECT_EQ(pRight->geometry().right(), rcList.right()) << nWidth;
        EXPECT_LT(pLeft->geometry().right(), pRight->x()) << nWidth;
        EXPECT_EQ(pLeft->y(), 310) << nWidth;
    }
}
} // namespace
