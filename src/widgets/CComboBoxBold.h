#pragma once
// A drop-down list whose items can be drawn bold, one by one; the main window
// draws the connected panel this way. The bold mark lives in its own item
// role, so the caller keeps Qt::UserRole (itemData) for its own pointer or index.
#include <QComboBox>

class CComboBoxBold : public QComboBox
{
    Q_OBJECT
public:
    static constexpr int BoldRole = Qt::UserRole + 0x100;

    explicit CComboBoxBold(QWidget* pParent = nullptr);

    void SetItemBold(int nIndex, bool bBold);
    bool IsItemBold(int nIndex) const;
    // Draws every item not bold.
    void ClearBold();

    // The item's data as a pointer the caller owns (stored in Qt::UserRole).
    void SetItemDataPtr(int nIndex, void* pData);
    void* GetItemDataPtr(int nIndex) const;

protected:
    // The closed box shows the current item in bold as well.
    void paintEvent(QPaintEvent* pEvent) override;
};
