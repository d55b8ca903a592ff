#pragma once
// What the viewer's long operations report progress to. The desktop program's
// progress dialog implements it (and dispatches one pending window message per
// position step); the logic itself never touches a widget.
#include <string>

class CProgressSink
{
public:
    virtual ~CProgressSink() = default;
    // Also puts the position back to the low end.
    virtual void SetRange(int nLow, int nHigh) = 0;
    virtual void SetPos(int nPos) = 0;
    virtual void SetText(const std::string& strText) = 0;
};
