// Stored record of the button: its three references (read and notify stored with code -1
// while not in use, whatever they hold), the fixed fields and zero bytes, the function key
// tail of its button type and one block per state with picture and rendered text.
#include "objects/tlxbtn.h"
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

std::unique_ptr<TLxObj> Button(std::uint8_t type, bool readUsed, bool notifyUsed)
{
    auto b = Placed<TLxBtn>();
    SetRef(b->WriteDev);
    b->WriteDev.RefDetail = 0x5A;
    b->ReadDev.DevAddrCode = 0x55;
    b->ReadDev.RefDetail = 0x66;
    b->ReadUsed = readUsed;
    b->NotifyDev.DevAddrCode = 0x77;
    b->NotifyUsed = notifyUsed;
    b->NotifyState = 1;
    b->NotifyOrder = 0;
    b->SetStateNum(2);
    b->RefKey = 12;
    b->Surface = 3;
    b->TxtHPos = 0;
    b->TxtVPos = 1;
    b->BmpHPos = 2;
    b->BmpVPos = 0;
    b->UserLevel = 4;
    b->BtnType = static_cast<kes::BtnType>(type);
    b->ValKind = 0x10;
    b->MultiFlag = 1;
    b->ValType = kes::FormatCode(kes::ValFormat::Hex);
    b->ValLen = 1;
    b->IntNum = 5;
    b->DecNum = 1;
    b->ParamA = 0x00030201;
    b->ParamB = 9;
    b->TxtList = {"Go", ""};
    test::SmallPicture(*b->StateBmp(0));
    return b;
}

Bytes ButtonBody(TLxObj& obj, const char* read, const char* notify, const char* type, const char* tail)
{
    auto& b = dynamic_cast<TLxBtn&>(obj);
    Body body;
    body << kRef << read << notify << "10 02 0C 00 00 00 00 03 00 01 02 00 00 04 00 00 00 00 00 00 00" << type << tail;
    const char* pictures[] = {"00 03 00 09 00 06 00 00 00 00 01 00", "00 00 00 00 00 00"};
    for (int i = 0; i < 2; ++i) {
        body << pictures[i];
        body.U16(b.TxtList[i].size() + 1).Text(b.TxtList[i]);
        const int n = b.TxtBmpSizeGet(i);
        body.U16(b.TxtWidth(i)).U16(b.TxtHeight(i)).U16(n)
            << test::Packed(n, [&](std::span<std::uint8_t> d) { b.TxtBmpDataGet(d, i); });
    }
    return body.bytes;
}

const char* kReadRef = "00 00 00 55 01 01 00 66 00";
const char* kReadOff = "FF FF FF FF 01 01 00 66 00";
const char* kNotifyRef = "00 00 00 77 01 01 00 00 00";
const char* kNotifyOff = "FF FF FF FF 01 01 00 00 00";

const ObjCase kCases[] = {
    {"InputValueReadsAndNotifies", [] { return Button(7, true, true); },
     [](TLxObj& o) { return ButtonBody(o, kReadRef, kNotifyRef, "07", "02 01 05 01 00 03 02 01 00 00 00 09"); }},
    {"SetOnWithoutReadOrNotifyStoresThemOff", [] { return Button(0, false, false); },
     [](TLxObj& o) { return ButtonBody(o, kReadOff, kNotifyOff, "00", ""); }},
    {"MultiState", [] { return Button(6, false, true); },
     [](TLxObj& o) { return ButtonBody(o, kReadOff, kNotifyRef, "06", "11"); }},
    {"Increment", [] { return Button(9, true, false); },
     [](TLxObj& o) { return ButtonBody(o, kReadRef, kNotifyOff, "09", "02 01 02 01 00 00 00 09"); }},
    {"ChangePage", [] { return Button(11, false, false); },
     [](TLxObj& o) { return ButtonBody(o, kReadOff, kNotifyOff, "0B", "02 01"); }},
    {"WithoutType", [] { return Button(255, false, false); },
     [](TLxObj& o) { return ButtonBody(o, kReadOff, kNotifyOff, "FF", ""); }},
};

INSTANTIATE_TEST_SUITE_P(Button, ObjRecord, ::testing::ValuesIn(kCases), test::CaseName);

} // namespace
} // namespace kes
