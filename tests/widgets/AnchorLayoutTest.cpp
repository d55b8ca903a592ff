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

// The codes themselves are AnchorGeometry's; here what the layout adds: the
// rectangles of controls inside a group box, the way back, the minimum size
// and the size grip.
TEST_F(AnchorLayoutDialog, ResizingMovesControlsByTheirAnchorsAndBack)
{
    EXPECT_EQ(m_dialog.minimumSize(), QSize(400, 300));
    ResizeTo(600, 450);
    ASSERT_EQ(m_dialog.size(), QSize(600, 450));
    EXPECT_EQ(m_pCombo->geometry(), QRect(10, 10, 120, 20));
    EXPECT_EQ(m_pList->geometry(), QRect(10, 40, 275, 350));
    EXPECT_EQ(m_pButton->geometry(), QRect(15, 400, 80, 25));
    EXPECT_EQ(m_pBox->geometry(), QRect(300, 30, 290, 370));
    // The tree inside the box: its dialog rectangle [210, 380) x [50, 240) becomes
    // [315, 580) x [50, 390), placed relative to the box's new position.
    EXPECT_EQ(m_pTree->geometry(), QRect(15, 20, 265, 340));
    EXPECT_EQ(m_pLayout->SizeGrip()->geometry().bottomRight(), QPoint(599, 449));
    EXPECT_TRUE(m_pLayout->SizeGrip()->isVisible());

    ResizeTo(200, 100); // never below the first size
    EXPECT_EQ(m_dialog.size(), QSize(400, 300));
    EXPECT_EQ(m_pList->geometry(), QRect(10, 40, 180, 200));
    EXPECT_EQ(m_pButton->geometry(), QRect(10, 250, 80, 25));
    EXPECT_EQ(m_pTree->geometry(), QRect(10, 20, 170, 190));
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
    for (const int nWidth : {400, 523, 1201})
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
