#pragma once
// The object factory: every panel object of a page is made here from its kind, empty for
// the record readers and with the kind's defaults for a new object of the page editor.
#include "app/project/pagedata.h"
#include "objects/objkind.h"
#include "platform/gdi.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct TLxDevRef;

namespace kes {

class LxTypeCore;

// What the readers and the factory take from the main window and the model form.
struct PageEnv {
    PageEnv(const ProjectState& state, const LxTypeCore& lxType) : State(state), LxType(lxType) {}

    const ProjectState& State; // link, station, grid, machine id, message table
    const LxTypeCore& LxType;  // panel size, default addresses, the address codec
    TFont MainFont;            // the main window's font: every new object's font
    bool MultiCopy = false;    // the multiple-copy form is open (pasted objects stay unselected)
    // Called for every object put on a page, after its control size is set: the page window
    // gives it its host and event handlers. pasted: put there by a paste.
    std::function<void(TLxObj& obj, bool pasted)> OnAttach;
    // The decoder library; empty: beside the program.
    std::string LibraryPath;
    // The panel memory check before a page grows by that many bytes: true (after telling the
    // user) when the object data area would overflow. Empty: no check.
    std::function<bool(int extraBytes)> WouldOverflow;
    // The readers draw an object's factory defaults and each setting as its record is read,
    // before the one drawing that puts it on the page (the equivalence test of reading with and
    // without them).
    bool DrawDefaults = false;
};

// What the page editor's drawing tool holds when a new object is placed.
struct DrawState {
    std::uint32_t ToolSubType = 0; // geometry kind of the drawing tool (11: polyline)
    std::vector<TPoint> PolyPts;   // the polyline's clicked points, screen pixels
    TPoint DownPt;                 // snapped mouse-down point
    TPoint CurPt;                  // snapped current point
    TPenStyle PenStyle = psSolid;  // pen of a new shape
    int PenWidth = 1;
};

// The four corners of a rubber band, in order around it (screen pixels).
using RubberBand = std::array<TPoint, 4>;

// A new object of kind with its defaults, owned by nobody yet and in no list.
std::unique_ptr<TLxObj> NewPageObj(const PageData& page, const PageEnv& env, ObjKind kind);

// A new object of a kind drawn as a figure takes the drawing tool's pen and what was drawn;
// false (obj untouched) for the other kinds, which are placed at the drawn point.
bool TakeDrawing(TLxObj& obj, ObjKind kind, const DrawState& draw);

// A new object of kind at the snapped point (x, y) on a page whose client area is
// clientWidth x clientHeight: kept inside the client area (a shape takes its place from the
// drawing), put on top of the page and made current. Null when the panel memory has no
// room for it.
TLxObj* PlaceNewObj(PageData& page, const PageEnv& env, ObjKind kind, int x, int y, const DrawState& draw,
                    int clientWidth, int clientHeight);

// Selects the objects whose rectangle (edges inclusive) meets the band's bounding box and
// deselects (and takes out of the selection) the others that were selected.
void SelectInRubberBand(PageData& page, const RubberBand& band);
// The band's four lines, or an object's selection outline, in the inverting pen mix so
// that drawing it twice erases it.
void DrawRubberBand(TCanvas& canvas, const RubberBand& band);
void DrawObjOutline(TCanvas& canvas, const TLxObj& obj);

// One device reference to the project's default word (word true) or bit address: the
// selected link, the link's panel memory ("@V0", "@B0") or the controller's default
// address, and the default station.
void SetDefaultDevRef(TLxDevRef& ref, const PageEnv& env, bool word);

} // namespace kes
