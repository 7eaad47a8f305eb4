#include "app/editor/editorder.h"

#include <algorithm>

namespace kes {

namespace {

TObjList::iterator Find(TObjList& list, const TLxObj* obj) { return std::find(list.begin(), list.end(), obj); }

bool Overlap(const TLxObj& a, const TLxObj& b)
{
    return a.Left < b.Left + b.Width && b.Left < a.Left + a.Width && a.Top < b.Top + b.Height &&
           b.Top < a.Top + a.Height;
}

// A coordinate moved by delta, kept in 0 .. limit (a limit below 0 holds it at 0).
int StepWithin(int v, int delta, int limit) { return std::max(0, std::min(v + delta, limit)); }

} // namespace

bool MoveToTop(TObjList& list, TLxObj* obj)
{
    const auto it = Find(list, obj);
    if (!obj || it == list.end())
        return false;
    list.erase(it);
    list.push_back(obj);
    return true;
}

bool MoveToBottom(TObjList& list, TLxObj* obj)
{
    const auto it = Find(list, obj);
    if (!obj || it == list.end())
        return false;
    list.erase(it);
    list.insert(list.begin(), obj);
    return true;
}

TObjList OverlapsOf(const TObjList& list, const TLxObj& obj)
{
    TObjList out;
    for (TLxObj* o : list)
        if (o == &obj || Overlap(*o, obj))
            out.push_back(o);
    return out;
}

ZStep MoveUpDown(TObjList& list, TLxObj* obj, int dir, TObjList& overlap)
{
    overlap.clear();
    if (!obj || Find(list, obj) == list.end())
        return ZStep::NotFound;
    overlap = OverlapsOf(list, *obj);
    const auto k = static_cast<int>(std::find(overlap.begin(), overlap.end(), obj) - overlap.begin());
    const int neighbour = dir == kZUp ? k + 1 : k - 1;
    if (neighbour < 0 || neighbour >= static_cast<int>(overlap.size()))
        return ZStep::AtEnd;
    // The neighbour's place is taken before obj leaves the list: going up obj lands right
    // above it, going down right below it.
    const auto p = Find(list, overlap[static_cast<std::size_t>(neighbour)]) - list.begin();
    if (p == static_cast<std::ptrdiff_t>(list.size()))
        return ZStep::NotFound;
    list.erase(Find(list, obj));
    list.insert(list.begin() + p, obj);
    return ZStep::Moved;
}

bool AlignObjs(const TObjList& list, const TObjList& sel, int mode)
{
    if (sel.empty() || mode < kAlignTops || mode > kAlignRights)
        return false;
    // The reference edge; on a tie the first found.
    int ref = 0;
    for (std::size_t i = 0; i < sel.size(); ++i) {
        const TLxObj& o = *sel[i];
        const int edge = mode == kAlignTops      ? o.Top
                         : mode == kAlignBottoms ? o.Top + o.Height
                         : mode == kAlignLefts   ? o.Left
                                                 : o.Left + o.Width;
        const bool lowest = mode == kAlignTops || mode == kAlignLefts;
        if (i == 0 || (lowest ? edge < ref : edge > ref))
            ref = edge;
    }
    for (TLxObj* o : list) {
        if (!o->Selected)
            continue;
        switch (mode) {
        case kAlignTops:
            o->Top = ref;
            break;
        case kAlignBottoms:
            o->Top = ref - o->Height;
            break;
        case kAlignLefts:
            o->Left = ref;
            break;
        default:
            o->Left = ref - o->Width;
            break;
        }
        o->RecordSelRgn();
    }
    return true;
}

void StepObjs(const TObjList& sel, int dir, const PanelStep& step, int clientWidth, int clientHeight)
{
    for (TLxObj* o : sel) {
        switch (dir) {
        case kStepUp:
            o->Top = StepWithin(o->Top, -step.Y(), clientHeight - o->Height);
            break;
        case kStepDown:
            o->Top = StepWithin(o->Top, step.Y(), clientHeight - o->Height);
            break;
        case kStepLeft:
            o->Left = StepWithin(o->Left, -step.X(), clientWidth - o->Width);
            break;
        case kStepRight:
            o->Left = StepWithin(o->Left, step.X(), clientWidth - o->Width);
            break;
        default:
            continue;
        }
        o->RecordSelRgn();
    }
}

} // namespace kes
