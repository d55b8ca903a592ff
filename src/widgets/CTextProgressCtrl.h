#pragma once
// A progress bar with the interface the transfer display and the progress
// window use: range, position, step, StepIt, and the percentage text on or off.
#include <QProgressBar>

class CTextProgressCtrl : public QProgressBar
{
    Q_OBJECT
public:
    explicit CTextProgressCtrl(QWidget* pParent = nullptr);

    void SetRange(int nLower, int nUpper);
    // Returns the previous position.
    int SetPos(int nPos);
    int GetPos() const { return value(); }
    // Returns the previous step.
    int SetStep(int nStep);
    int GetStep() const { return m_nStep; }
    // Advances by the step; past the upper end the bar starts over from the
    // lower end, so a bar stepped without a known range keeps moving.
    // Returns the previous position.
    int StepIt();
    void SetShowText(bool bShow);
    bool IsShowText() const { return isTextVisible(); }

private:
    int m_nStep = 10;
};
