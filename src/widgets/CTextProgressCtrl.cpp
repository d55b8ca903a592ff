#include "CTextProgressCtrl.h"

CTextProgressCtrl::CTextProgressCtrl(QWidget* pParent) : QProgressBar(pParent)
{
    setRange(0, 100);
    setValue(0);
    setFormat("%p%");
    setAlignment(Qt::AlignCenter);
    setTextVisible(false);
}

void CTextProgressCtrl::SetRange(int nLower, int nUpper)
{
    setRange(nLower, nUpper);
}

int CTextProgressCtrl::SetPos(int nPos)
{
    const int nPrevious = value();
    setValue(qBound(minimum(), nPos, maximum()));
    return nPrevious;
}

int CTextProgressCtrl::SetStep(int nStep)
{
    const int nPrevious = m_nStep;
    m_nStep = nStep;
    return nPrevious;
}

int CTextProgressCtrl::StepIt()
{
    const int nPrevious = value();
    // value() is below minimum() only before the first position is set.
    const long long nBase = nPrevious < minimum() ? minimum() : nPrevious;
    long long nNext = nBase + m_nStep;
    if (nNext > maximum())
        nNext = minimum();
    else if (nNext < minimum())
        nNext = maximum();
    setValue(static_cast<int>(nNext));
    return nPrevious;
}

void CTextProgressCtrl::SetShowText(bool bShow)
{
    setTextVisible(bShow);
}
