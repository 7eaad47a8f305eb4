// The bit-state picture of a word.
#include "objects/tlxadvdevbmp.h"
#include "objects/objkind.h"

#include "objects/addrmode.h"
#include "objects/lxpictures.h"

namespace {} // namespace

TLxAdvDevBmp::TLxAdvDevBmp()
{
    SetObjType(kes::KindCode(kes::ObjKind::LxAdvDevBmp));
    if (!kes::PaintHold::Held())
        kes::LoadBuiltinPicture("BIT-0", Picture);
    SetOnBmp(0);
    SetOffBmp(0);
}

void TLxAdvDevBmp::SetCurVal(std::uint32_t v)
{
    CurVal = v;
    if (ValMode != kes::kBitFlags)
        CurPt = BitNo < 32 && ((v >> BitNo) & 1u) ? 1 : 0;
    SetCurPt(CurPt);
}
