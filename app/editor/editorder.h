#pragma once
// Re-stacking, aligning and stepping objects of a page, apart from the window. The object
// list is the page's z-order (index 0 at the bottom) and its paint and record order;
// coordinates are screen pixels of the zoomed page.
#include "app/editor/editgeom.h"
#include "app/project/pagedata.h"

namespace kes {

// obj to the top or the bottom of the list; false when the list does not hold it.
bool MoveToTop(TObjList& list, TLxObj* obj);
bool MoveToBottom(TObjList& list, TLxObj* obj);

// The objects whose rectangle overlaps obj's with some area (touching edges do not count),
// in list order; obj is among them.
TObjList OverlapsOf(const TObjList& list, const TLxObj& obj);

enum class ZStep {
    Moved,
    AtEnd,   // no overlapping object above (up) or below (down): nothing changes
    NotFound // the neighbour is not in the list: nothing changes
};
enum : int { kZUp = 0, kZDown = 1 };
// obj one place up (dir kZUp) or down past the next object that overlaps it, landing right
// above or right below that neighbour; objects that do not overlap it keep their places.
// overlap receives the overlapping objects.
ZStep MoveUpDown(TObjList& list, TLxObj* obj, int dir, TObjList& overlap);

// Alignment modes: tops to the highest top, bottoms to the lowest bottom, lefts to the
// leftmost left, rights to the rightmost right.
enum : int { kAlignTops = 4, kAlignBottoms = 5, kAlignLefts = 6, kAlignRights = 7 };
// Aligns the objects of list that are selected to the extreme edge among sel; false when sel
// is empty or the mode unknown.
bool AlignObjs(const TObjList& list, const TObjList& sel, int mode);

enum : int { kStepUp = 0, kStepDown = 1, kStepLeft = 2, kStepRight = 3 };
// Each object of sel one panel pixel in the direction, kept on the page: its top-left not
// above or left of 0, its bottom-right not past the client area.
void StepObjs(const TObjList& sel, int dir, const PanelStep& step, int clientWidth, int clientHeight);

} // namespace kes
