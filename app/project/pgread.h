#pragma once
// The page record readers: a whole page (settings and objects) or a pasted block of object
// records turned back into a page's live state through the decoder library, with the
// fix-ups that fit the records to the current controller and page.
//
// Every record's framing is checked before the decoder sees it; a walk stops at the first
// record it cannot take and says why, keeping what it read before.
#include "app/project/objfactory.h"
#include "decoder/decodeerror.h"
#include "platform/bytes.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace kes {

struct PgReadResult {
    DecodeError Error = DecodeError::None;
    std::size_t Position = 0; // where the walk ended, from the start of the range
    int Objects = 0;          // objects put on the page
    int Skipped = 0;          // records of other tags stepped over by their length
    std::string Detail;       // what the decoder library binding reported
    bool Ok() const { return Error == DecodeError::None; }
};

// The whole-page reader over data[start, end): empties the jump list, then reads the
// setting records and objects into page. The objects are deselected.
PgReadResult PgDataToObj(PageData& page, const PageEnv& env, ByteSpan data, std::size_t start, std::size_t end);

// The paste reader over data[start, end): deselects the page, then adds the object
// records' objects at their stored places as the new selection.
PgReadResult PastePgData(PageData& page, const PageEnv& env, ByteSpan data, std::size_t start, std::size_t end);

// The kinds a start-up screen or user-menu screen holds: static text, static picture, figure.
bool ScreenKind(ObjKind kind);

// The reader of a start-up screen or user-menu screen over data[start, end): object
// records only, of the kinds makes accepts; every other record (another kind's, a page's
// setting record) is stepped over by its length. The objects keep their stored places and
// addresses; pasted ones join SelList (left unselected, CurObj unchanged), the others are
// deselected. The walk stops at the first record whose framing does not hold.
PgReadResult ScreenDataToObj(PageData& page, const PageEnv& env, ByteSpan data, std::size_t start, std::size_t end,
                             bool pasted, bool (*makes)(ObjKind));

// Post-load fix-ups of decoded setting records: their addresses formatted for the current
// controller; while the page is pasting, an address the controller lacks becomes its
// default word or bit address.
void PgJmpDevFix(const PageData& page, const PageEnv& env, PgJmpRec& rec);
void PgFunKeyDevFix(const PageData& page, const PageEnv& env, PgFunKeyRec& rec);
void PgSysDevFix(const PageData& page, const PageEnv& env, PgSysRec& rec);

// After an object is decoded: fitted into the page, its address texts rebuilt for the
// current controller (defaults for unknown addresses while pasting) and its function-key
// binding noted in ObjFunKeyUsed (dropped when a pasted object's key is taken). obj is an
// object of the kind its ObjType names, as the readers make them.
void ObjDevTxtRebuild(PageData& page, const PageEnv& env, TLxObj& obj);

// True when the object's top-left lies on the page (edges inclusive).
bool ObjOnPage(const PageData& page, const PageEnv& env, const TLxObj& obj);

// Puts a decoded object on the page: control size from its picture and the zoom, the
// selection corners, the page window's handlers (env.OnAttach), a repaint, on top of
// ObjList; a pasted one joins SelList too. Returns it.
TLxObj* AttachObj(PageData& page, const PageEnv& env, std::unique_ptr<TLxObj> obj, bool pasted);

} // namespace kes
