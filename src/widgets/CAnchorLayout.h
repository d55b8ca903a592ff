#pragma once
// Moves and sizes a dialog's controls when the dialog is resized, by the
// anchor codes of AnchorGeometry.h. The dialog places its controls by
// geometry (no QLayout on it); the anchor layout remembers each control's
// rectangle and the dialog's size at the time they were registered and
// recomputes every rectangle from those on each resize. Attaching it makes
// the dialog's size at that moment its minimum size and adds a size grip in
// the bottom-right corner.
#include "AnchorGeometry.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>

#include <vector>

class QSizeGrip;
class QWidget;

class CAnchorLayout : public QObject
{
    Q_OBJECT
public:
    // Give the dialog its first size before attaching: that size becomes the
    // reference of every anchor and the smallest size the user can drag to.
    explicit CAnchorLayout(QWidget* pDialog);
    ~CAnchorLayout() override;

    // Registers a control (a descendant of the dialog) with its current
    // geometry. Registering it again replaces its codes and rectangle.
    // With a horizontal reference (another anchored control), the horizontal
    // code applies across that control's width instead of the dialog's, so a
    // row of buttons under a list keeps to the list's edges as it grows.
    void SetAnchor(QWidget* pControl, int nHorzCode, int nVertCode,
                   QWidget* pHorzReference = nullptr);
    // Re-applies the anchors for the dialog's current size.
    void Reposition();

    QSize InitialSize() const { return m_szInitial; }
    QSizeGrip* SizeGrip() const { return m_pSizeGrip; }

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    struct SAnchored
    {
        QPointer<QWidget> pControl;
        SAnchorRect rcInitial; // in dialog coordinates
        int nHorzCode = ANCHOR_FIXED;
        int nVertCode = ANCHOR_FIXED;
        QPointer<QWidget> pHorzReference;
    };

    QRect RectInDialog(const QWidget* pControl) const;
    const SAnchored* Find(const QWidget* pControl) const;
    void PlaceSizeGrip();

    QWidget* m_pDialog;
    QSize m_szInitial;
    QSizeGrip* m_pSizeGrip;
    std::vector<SAnchored> m_arrControls;
};
