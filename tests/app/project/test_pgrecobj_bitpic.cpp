// Stored records of the bit pictures, the multi-range picture, the multi-state picture and
// the lamp: nibble-packed bytes, the bounds left out with variable bounds, per-state blocks
// with values only in value mode, and the multi-state picture's box taken from its
// largest state picture.
#include "objects/tactbmp.h"
#include "objects/tlight.h"
#include "objects/tlxadvdevbmp.h"
#include "objects/tlxdevbmp.h"
#include "objects/tvrgbmp.h"
#include "objects/valformat.h"
#include "pgrecobjtest.h"

namespace kes {
namespace {

using test::Body;
using test::kRef;
using test::ObjCase;
using test::ObjRecord;
using test::Placed;
using test::SetRef;
using test::WithRef;

std::unique_ptr<TLxObj> MultiRange(std::uint8_t varBounds)
{
    auto v = WithRef<TVrgBmp>();
    v->RangeOrder = 1;
    v->ValType = kes::FormatCode(kes::ValFormat::Bcd);
    v->VarBounds = varBounds;
    v->ValLen = 1;
    v->StateBound = {0, 10, 0x100, 0x10000, 0xFFFFFFFF};
    v->StatePic = {1, 2, 3, 4, 5};
    return v;
}

// Two states: a 3 x 9 picture with value 7 and a blank 5 x 2 one with value 01020304.
std::unique_ptr<TLxObj> MultiState(std::uint8_t stateMode)
{
    auto a = WithRef<TActBmp>();
    a->SetStateNum(2);
    a->StateMode = stateMode;
    a->StateReverse = 1;
    a->ValType = kes::FormatCode(kes::ValFormat::Hex);
    a->StateVal = {7, 0x01020304};
    test::SmallPicture(*a->StateBmp(0));
    a->StateBmp(1)->SetSize(5, 2);
    return a;
}

const char* kStatePictures0 = "00 03 00 09 00 06 00 00 00 00 01 00";
const char* kStatePictures1 = "00 05 00 02 00 05 00 00 00 00 00";

std::unique_ptr<TLxObj> Lamp()
{
    auto l = WithRef<TLight>();
    l->SetStateNum(2);
    l->StateMode = 0x10;
    l->StateVal = {3, 4};
    l->TxtList = {"On", ""};
    l->TxtHPos = 1;
    l->TxtVPos = 2;
    l->BmpHPos = 0;
    l->BmpVPos = 1;
    l->LampOpt = 9;
    test::SmallPicture(*l->StateBmp(0));
    return l;
}

Bytes LampBody(TLxObj& obj)
{
    auto& l = dynamic_cast<TLight&>(obj);
    Body b;
    b << kRef << "00 10 02 01 02 00 01 09 00 05";
    b.Text("Face");
    const char* values[] = {"00 00 00 03", "00 00 00 04"};
    const char* pictures[] = {kStatePictures0, "00 00 00 00 00 00"}; // state 1 has none
    for (int i = 0; i < 2; ++i) {
        b << values[i] << pictures[i];
        b.U16(l.TxtList[i].size() + 1).Text(l.TxtList[i]);
        const int n = l.TxtBmpSizeGet(i);
        b.U16(l.TxtW).U16(l.TxtH).U16(n) << test::Packed(n, [&](std::span<std::uint8_t> d) { l.TxtBmpDataGet(d, i); });
    }
    return b.bytes;
}

const ObjCase kCases[] = {
    {"BitPicture",
     [] {
         auto d = WithRef<TLxDevBmp>();
         d->OnBmp = 3;
         d->OffBmp = 0x12;
         return d;
     },
     [](TLxObj&) { return (Body() << kRef << "03 12").bytes; }},
    {"BitPictureOfAWord",
     [] {
         auto d = WithRef<TLxAdvDevBmp>();
         d->ValMode = 0x10;
         d->BitNo = 11;
         d->OnBmp = 3;
         d->OffBmp = 4;
         return d;
     },
     [](TLxObj&) { return (Body() << kRef << "1B 03 04").bytes; }},
    {"MultiRange", [] { return MultiRange(0); },
     [](TLxObj&) {
         return (Body() << kRef << "13 01"
                        << "00 00 00 00 01 00 00 00 0A 02 00 00 01 00 03 00 01 00 00 04 FF FF FF FF 05")
             .bytes;
     }},
    {"MultiRangeWithVariableBounds", [] { return MultiRange(1); },
     [](TLxObj&) { return (Body() << kRef << "13 11 01 02 03 04 05").bytes; }},
    {"MultiStateByValue", [] { return MultiState(0x10); },
     [](TLxObj&) {
         return (Body() << kRef << "12 10 02 00 00 00 07" << kStatePictures0 << "01 02 03 04" << kStatePictures1).bytes;
     },
     "00 10 00 08 00 14 00 10"}, // right 16 + 5 - 1, bottom 8 + 9 - 1
    {"MultiStateByBitStoresNoValues", [] { return MultiState(0x00); },
     [](TLxObj&) {
         return (Body() << kRef << "12 00 02 00 00 00 00" << kStatePictures0 << "00 00 00 00" << kStatePictures1).bytes;
     },
     "00 10 00 08 00 14 00 10"},
    {"Lamp", [] { return Lamp(); }, LampBody},
};

INSTANTIATE_TEST_SUITE_P(BitPictureKinds, ObjRecord, ::testing::ValuesIn(kCases), test::CaseName);

} // namespace
} // namespace kes
