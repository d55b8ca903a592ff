#include "support/CQtTestApp.h"
#include "widgets/CIPAddressCtrl.h"

#include <QTest>
#include <QtWidgets>

namespace
{
// "a.b.c.d/n": the address and how many of its fields are filled.
std::string AddressText(const CIPAddressCtrl& ctrl)
{
    unsigned char b0, b1, b2, b3;
    const int nFilled = ctrl.GetAddress(b0, b1, b2, b3);
    return std::to_string(b0) + "." + std::to_string(b1) + "." + std::to_string(b2) + "." +
           std::to_string(b3) + "/" + std::to_string(nFilled);
}
} // namespace

TEST(IPAddressCtrl, DigitsUpTo255AndFocusMovesLikeTyping)
{
    EnsureQtApp();
    CIPAddressCtrl ctrl;
    EXPECT_TRUE(ctrl.IsBlank());
    EXPECT_EQ(AddressText(ctrl), "0.0.0.0/0");
    ctrl.SetAddress(192, 168, 0, 255);
    EXPECT_EQ(AddressText(ctrl), "192.168.0.255/4");
    // Zeros typed in are an address (0.0.0.0), not a blank control.
    ctrl.SetAddress(0, 0, 0, 0);
    EXPECT_FALSE(ctrl.IsBlank());
    ctrl.ClearAddress();
    EXPECT_TRUE(ctrl.IsBlank());
    QTest::keyClicks(ctrl.Field(0), "1a-9");
    QTest::keyClicks(ctrl.Field(1), "300");
    QTest::keyClicks(ctrl.Field(2), "1234");
    EXPECT_EQ(AddressText(ctrl), "19.255.123.0/3");

    // A dot (never typed in) or a full field moves on; Backspace at a start goes back.
    ctrl.ClearAddress();
    ctrl.show();
    ctrl.activateWindow();
    QCoreApplication::processEvents();
    ctrl.SetFieldFocus(0);
    for (const auto& [pszTyped, nFocus] : {std::pair{"10.0.", 2}, {"200", 3}, {"7.", 3}})
    {
        QTest::keyClicks(nullptr, pszTyped);
        EXPECT_EQ(QApplication::focusWidget(), ctrl.Field(nFocus)) << pszTyped;
    }
    EXPECT_EQ(AddressText(ctrl), "10.0.200.7/4");
    ctrl.Field(3)->setCursorPosition(0);
    QTest::keyClick(ctrl.Field(3), Qt::Key_Backspace);
    EXPECT_EQ(QApplication::focusWidget(), ctrl.Field(2));
    EXPECT_EQ(AddressText(ctrl), "10.0.200.7/4");
}
