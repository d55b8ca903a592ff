#pragma once
// The arithmetic behind CAnchorLayout, kept free of widget code so that every
// anchor code can be checked on plain numbers.
//
// Each control carries one code per axis; "near" is left or top, "far" is
// right or bottom, and the dialog's size change since creation is applied:
//   0  both edges scale in proportion to the dialog's size
//   1  the near edge scales, the size stays
//   2  the near edge stays, the far edge scales
//   3  both edges stay (fixed position and size)
//   4  the near edge scales, the far edge keeps its distance to the dialog's far edge
//   5  the control keeps its distance to the dialog's far edge at its size
//   6  the near edge stays, the far edge keeps its distance to the dialog's far edge
enum EAnchor
{
    ANCHOR_SCALE = 0,
    ANCHOR_MOVE_SCALED = 1,
    ANCHOR_SIZE_SCALED = 2,
    ANCHOR_FIXED = 3,
    ANCHOR_MOVE_SCALED_STRETCH = 4,
    ANCHOR_MOVE = 5,
    ANCHOR_STRETCH = 6,
};

// Edges in dialog coordinates; the far edges are exclusive (near + size).
struct SAnchorRect
{
    int nLeft = 0;
    int nTop = 0;
    int nRight = 0;
    int nBottom = 0;

    bool operator==(const SAnchorRect&) const = default;
};

struct SAnchorSize
{
    int nWidth = 0;
    int nHeight = 0;
};

// One axis: the edges [nNear, nFar) of a control in a dialog whose extent went
// from nInitial to nCurrent. Returns the new edges through the references.
// An unknown code behaves as 3 (fixed); the far edge never ends before the near one.
void AnchorAxis(int nCode, int nNear, int nFar, int nInitial, int nCurrent, int& nNewNear,
                int& nNewFar);

// Both axes: the control's rectangle at the dialog's initial size, its codes,
// the dialog's initial size and its current size give the new rectangle.
SAnchorRect AnchorRect(const SAnchorRect& rcInitial, int nHorzCode, int nVertCode,
                       const SAnchorSize& szInitial, const SAnchorSize& szCurrent);
