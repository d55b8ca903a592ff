#include "CWaitCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace
{
int g_nWaitDepth = 0;

bool HaveGui()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}
} // namespace

void CWaitCursor::Begin()
{
    if (!HaveGui())
        return;
    ++g_nWaitDepth;
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void CWaitCursor::End()
{
    if (!HaveGui() || g_nWaitDepth == 0)
        return;
    --g_nWaitDepth;
    QGuiApplication::restoreOverrideCursor();
}

void CWaitCursor::RestoreWaitCursor()
{
    if (!HaveGui() || g_nWaitDepth == 0)
        return;
    const QCursor* pCursor = QGuiApplication::overrideCursor();
    if (!pCursor || pCursor->shape() != Qt::WaitCursor)
        QGuiApplication::changeOverrideCursor(QCursor(Qt::WaitCursor));
}

int CWaitCursor::Depth()
{
    return g_nWaitDepth;
}
