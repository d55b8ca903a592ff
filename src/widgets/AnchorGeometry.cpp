#include "AnchorGeometry.h"

#include <cmath>

namespace
{
int Scale(int nValue, int nInitial, int nCurrent)
{
    // A dialog that started with no extent cannot give a ratio: keep the value.
    if (nInitial <= 0)
        return nValue;
    return static_cast<int>(std::lround(static_cast<double>(nValue) * nCurrent / nInitial));
}
} // namespace

void AnchorAxis(int nCode, int nNear, int nFar, int nInitial, int nCurrent, int& nNewNear,
                int& nNewFar)
{
    const int nDelta = nCurrent - nInitial;
    const int nSize = nFar - nNear;
    switch (nCode)
    {
    case ANCHOR_SCALE:
        nNewNear = Scale(nNear, nInitial, nCurrent);
        nNewFar = Scale(nFar, nInitial, nCurrent);
        break;
    case ANCHOR_MOVE_SCALED:
        nNewNear = Scale(nNear, nInitial, nCurrent);
        nNewFar = nNewNear + nSize;
        break;
    case ANCHOR_SIZE_SCALED:
        nNewNear = nNear;
        nNewFar = Scale(nFar, nInitial, nCurrent);
        break;
    case ANCHOR_MOVE_SCALED_STRETCH:
        nNewNear = Scale(nNear, nInitial, nCurrent);
        nNewFar = nFar + nDelta;
        break;
    case ANCHOR_MOVE:
        nNewNear = nNear + nDelta;
        nNewFar = nFar + nDelta;
        break;
    case ANCHOR_STRETCH:
        nNewNear = nNear;
        nNewFar = nFar + nDelta;
        break;
    case ANCHOR_FIXED:
    default:
        nNewNear = nNear;
        nNewFar = nFar;
        break;
    }
    if (nNewFar < nNewNear)
        nNewFar = nNewNear;
}

SAnchorRect AnchorRect(const SAnchorRect& rcInitial, int nHorzCode, int nVertCode,
                       const SAnchorSize& szInitial, const SAnchorSize& szCurrent)
{
    SAnchorRect rc;
    AnchorAxis(nHorzCode, rcInitial.nLeft, rcInitial.nRight, szInitial.nWidth, szCurrent.nWidth,
               rc.nLeft, rc.nRight);
    AnchorAxis(nVertCode, rcInitial.nTop, rcInitial.nBottom, szInitial.nHeight, szCurrent.nHeight,
               rc.nTop, rc.nBottom);
    return rc;
}
