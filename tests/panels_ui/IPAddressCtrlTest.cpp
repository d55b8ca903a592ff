#include "PanelsUiTestSupport.h"
#include "widgets/CIPAddressCtrl.h"

#include <QApplication>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace
{
std::string AddressText(const CIPAddressCtrl& ctrl, int* pnFilled = nullptr)
{
    unsigned char b0, b1, b2, b3;
    const int nFilled = ctrl.GetAddress(b0, b1, b2, b3);
    if (pnFilled)
        *pnFilled = nFilled;
    return std::to_string(b0) + "." + std::to_string(b1) + "." + std::to_string(b2) + "." +
           std::to_string(b3);
}
} // namespace

TEST(IPAddressCtrl, SetGetClearBlankAndTypedDigitsUpTo255)
{
    EnsureQtApp();
    CIPAddressCtrl ctrl;
    int nFilled = -1;
    EXPECT_TRUE(ctrl.IsBlank());
    EXPECT_EQ(AddressText(ctrl, &nFilled), "0.0.0.0");
    EXPECT_EQ(nFilled, 0);
    ctrl.SetAddress(192, 168, 0, 255);
    EXPECT_EQ(AddressText(ctrl, &nFilled), "192.168.0.255");
    EXPECT_EQ(nFilled, 4);
    // Zeros typed in are an address (0.0.0.0), not a blank control.
    ctrl.SetAddress(0, 0, 0, 0);
    EXPECT_FALSE(ctrl.IsBlank());

    ctrl.ClearAddress();
    EXPECT_TRUE(ctrl.IsBlank());
    TypeText(ctrl.Field(0), "1a-9");
    TypeText(ctrl.Field(1), "300");
    TypeText(ctrl.Field(2), "1234");
    EXPECT_EQ(AddressText(ctrl, &nFilled), "19.255.123.0");
    EXPECT_EQ(nFilled, 3);
}

TEST(IPAddressCtrl, DotAndFullFieldMoveToTheNextField)
{
    EnsureQtApp();
    CIPAddressCtrl ctrl;
    ShowActive(&ctrl);
    ctrl.SetFieldFocus(0);
    TypeText(nullptr, "10.0.");
    EXPECT_EQ(QApplication::focusWidget(), ctrl.Field(2));
    TypeText(nullptr, "200");
    EXPECT_EQ(QApplication::focusWidget(), ctrl.Field(3));
    TypeText(nullptr, "7.");
    // The dot never lands in a field, also not in the last one.
    EXPECT_EQ(QApplication::focusWidget(), ctrl.Field(3));
    EXPECT_EQ(AddressText(ctrl), "10.0.200.7");

    // Backspace at the start of a field goes back to the one before.
    ctrl.Field(3)->setCursorPosition(0);
    PressKey(ctrl.Field(3), Qt::Key_Backspace);
    EXPECT_EQ(QApplication::focusWidget(), ctrl.Field(2));
    EXPECT_EQ(AddressText(ctrl), "10.0.200.7");
}
