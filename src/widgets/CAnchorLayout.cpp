#include "CAnchorLayout.h"

#include <QEvent>
#include <QSizeGrip>
#include <QWidget>

#include <map>

CAnchorLayout::CAnchorLayout(QWidget* pDialog)
    : QObject(pDialog), m_pDialog(pDialog), m_szInitial(pDialog->size()),
      m_pSizeGrip(new QSizeGrip(pDialog))
{
    m_pSizeGrip->setObjectName("sizeGrip");
    m_pDialog->setMinimumSize(m_szInitial);
    PlaceSizeGrip();
    m_pSizeGrip->show();
    m_pDialog->installEventFilter(this);
}

CAnchorLayout::~CAnchorLayout()
{
    if (m_pDialog)
        m_pDialog->removeEventFilter(this);
}

QRect CAnchorLayout::RectInDialog(const QWidget* pControl) const
{
    const QWidget* pParent = pControl->parentWidget();
    QPoint ptOrigin(0, 0);
    if (pParent && pParent != m_pDialog)
        ptOrigin = pParent->mapTo(m_pDialog, QPoint(0, 0));
    return pControl->geometry().translated(ptOrigin);
}

void CAnchorLayout::SetAnchor(QWidget* pControl, int nHorzCode, int nVertCode,
                              QWidget* pHorzReference)
{
    if (!pControl || !m_pDialog->isAncestorOf(pControl))
        return;
    const QRect rc = RectInDialog(pControl);
    SAnchored entry;
    entry.pControl = pControl;
    entry.rcInitial = {rc.left(), rc.top(), rc.left() + rc.width(), rc.top() + rc.height()};
    entry.nHorzCode = nHorzCode;
    entry.nVertCode = nVertCode;
    entry.pHorzReference = pHorzReference;
    for (SAnchored& existing : m_arrControls)
    {
        if (existing.pControl == pControl)
        {
            existing = entry;
            return;
        }
    }
    m_arrControls.push_back(entry);
}

void CAnchorLayout::Reposition()
{
    const SAnchorSize szInitial{m_szInitial.width(), m_szInitial.height()};
    const SAnchorSize szNow{m_pDialog->width(), m_pDialog->height()};

    // Every new rectangle is computed in dialog coordinates first, so that a
    // control inside an anchored group box is placed against the box's new
    // position, whatever the registration order.
    std::map<QWidget*, QRect> mapNew;
    for (const SAnchored& entry : m_arrControls)
    {
        if (!entry.pControl)
            continue;
        const SAnchorRect rc =
            AnchorRect(entry.rcInitial, entry.nHorzCode, entry.nVertCode, szInitial, szNow);
        mapNew[entry.pControl.data()] =
            QRect(rc.nLeft, rc.nTop, rc.nRight - rc.nLeft, rc.nBottom - rc.nTop);
    }
    // Then the controls that follow another one across: the same code, with
    // the reference's old and new edges in place of the dialog's.
    for (const SAnchored& entry : m_arrControls)
    {
        if (!entry.pControl || !entry.pHorzReference)
            continue;
        const SAnchored* pRef = Find(entry.pHorzReference);
        const auto itRef = mapNew.find(entry.pHorzReference.data());
        if (!pRef || itRef == mapNew.end())
            continue;
        const int nRefLeft = pRef->rcInitial.nLeft;
        int nNear = 0;
        int nFar = 0;
        AnchorAxis(entry.nHorzCode, entry.rcInitial.nLeft - nRefLeft,
                   entry.rcInitial.nRight - nRefLeft, pRef->rcInitial.nRight - nRefLeft,
                   itRef->second.width(), nNear, nFar);
        QRect& rcNew = mapNew[entry.pControl.data()];
        rcNew.setLeft(itRef->second.left() + nNear);
        rcNew.setWidth(nFar - nNear);
    }

    // All moves in one go, painted once afterwards.
    const bool bUpdates = m_pDialog->updatesEnabled();
    m_pDialog->setUpdatesEnabled(false);
    for (const auto& [pControl, rcDialog] : mapNew)
    {
        QWidget* pParent = pControl->parentWidget();
        QPoint ptOrigin(0, 0);
        if (pParent && pParent != m_pDialog)
        {
            const auto itParent = mapNew.find(pParent);
            ptOrigin = itParent != mapNew.end() ? itParent->second.topLeft()
                                                : pParent->mapTo(m_pDialog, QPoint(0, 0));
        }
        pControl->setGeometry(rcDialog.translated(-ptOrigin));
    }
    PlaceSizeGrip();
    m_pDialog->setUpdatesEnabled(bUpdates);
    m_pDialog->update();
}

const CAnchorLayout::SAnchored* CAnchorLayout::Find(const QWidget* pControl) const
{
    for (const SAnchored& entry : m_arrControls)
    {
        if (entry.pControl == pControl)
            return &entry;
    }
    return nullptr;
}

void CAnchorLayout::PlaceSizeGrip()
{
    const QSize sz = m_pSizeGrip->sizeHint();
    m_pSizeGrip->setGeometry(m_pDialog->width() - sz.width(), m_pDialog->height() - sz.height(),
                             sz.width(), sz.height());
    m_pSizeGrip->raise();
}

bool CAnchorLayout::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pWatched == m_pDialog && pEvent->type() == QEvent::Resize)
        Reposition();
    return QObject::eventFilter(pWatched, pEvent);
}
