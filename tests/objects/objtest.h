#pragma once
// Shared pieces of the object tests: a bare object kind, a host that counts what the
// object asks of it, and '#'/'.' rows for golden pictures.
#include "objects/tlxobj.h"

#include <initializer_list>
#include <string>

namespace objtest {

// The base with nothing added; the kind code decides kind-dependent base behaviour.
class TTestObj : public TLxObj {
public:
    explicit TTestObj(TLxObjType kind = 1) { ObjType = kind; }
    using TLxObj::PaintDataWith;
    using TLxObj::PaintWith;
};

class FakeHost : public TLxObjHost {
public:
    int invalidates = 0;
    int repaints = 0;
    void InvalidateObj(TLxObj&) override { ++invalidates; }
    void RepaintObj(TLxObj&) override { ++repaints; }
};

// Puts obj at a box of screen pixels with zoom and grid.
inline void Place(TLxObj& obj, int left, int top, int width, int height, int zoom = 1, int gw = 1, int gh = 1)
{
    obj.Left = left;
    obj.Top = top;
    obj.Width = width;
    obj.Height = height;
    obj.ObjSize = zoom;
    obj.GridWidth = gw;
    obj.GridHeight = gh;
}

// Rows joined with line ends, as kes::PictureToText writes them.
inline std::string Rows(std::initializer_list<const char*> rows)
{
    std::string out;
    for (const char* r : rows) {
        out += r;
        out += '\n';
    }
    return out;
}

} // namespace objtest
