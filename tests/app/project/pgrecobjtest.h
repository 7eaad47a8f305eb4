#pragma once
// Fixtures of the object record tests: objects placed at one known box, expected records
// assembled from hex fields and the bytes the object's own packers give.
#include "app/project/pgdataenc.h"
#include "pgrectest.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace kes::test {

inline RecEncodeEnv ObjEnv()
{
    RecEncodeEnv env;
    env.MainFont.Name = "Main Face";
    env.MainFont.Size = 9;
    env.FontExists = [](const std::string& name) { return name != "Missing Face"; };
    return env;
}

// Box 16,8 24 x 16 panel pixels at zoom 1 and grid 1; font "Face" 8 pt.
inline void Place(TLxObj& obj)
{
    obj.ObjSize = 1;
    obj.GridWidth = 1;
    obj.GridHeight = 1;
    obj.Left = 16;
    obj.Top = 8;
    obj.Width = 24;
    obj.Height = 16;
    TFont& f = obj.Picture.Canvas()->Font;
    f.Name = "Face";
    f.Size = 8;
    f.Style = 0;
}
// The header of Place's box (or of the box given as hex of bytes 4-11) for a record of
// the given kind and length.
inline Bytes PlacedHead(int kind, std::size_t length, const char* box = nullptr)
{
    Bytes h;
    AppendU16be(h, static_cast<std::uint16_t>(kind));
    AppendU16be(h, static_cast<std::uint16_t>(length));
    AppendBytes(h, Hex(box != nullptr ? box : "00 10 00 08 00 27 00 17"));
    AppendBytes(h, Hex("00 08"));
    return h;
}

// A 3 x 9 picture with one black pixel at (1, 8): bands "00 00 00 | 00 01 00".
inline void SmallPicture(TBitmap& bmp)
{
    bmp.SetSize(3, 9);
    const TBrush keep = bmp.Canvas()->Brush;
    bmp.Canvas()->Brush = TBrush{};
    bmp.Canvas()->FillRect(TRect{0, 0, 3, 9});
    bmp.Canvas()->Brush = keep;
    bmp.Canvas()->SetPixel(1, 8, clBlack);
}
inline const char* kSmallPictureBlock = "00 06 00 00 00 00 01 00";

// A reference whose every byte differs: code 00A1B2C3, panel memory, "$" form, station
// 4, link 1, bit 9; stored with the fourth byte 5A as kRef.
inline void SetRef(TLxDevRef& r)
{
    r.DevAddrCode = 0x00A1B2C3;
    r.RefIntMem = 1;
    r.RefDevForm = 0;
    r.RefStation = 4;
    r.RefLink = 1;
    r.RefBitNo = 9;
}
inline const char* kRef = "00 A1 B2 C3 10 04 01 5A 09";

template <typename T> std::unique_ptr<T> Placed()
{
    auto obj = std::make_unique<T>();
    Place(*obj);
    return obj;
}

// Placed, with SetRef's reference and the fourth byte 5A.
template <typename T> std::unique_ptr<T> WithRef()
{
    auto obj = Placed<T>();
    SetRef(*obj);
    obj->ExtraByte = 0x5A;
    return obj;
}

// Appends hex text, then raw bytes, to a body under construction.
struct Body {
    Bytes bytes;
    Body& operator<<(const std::string& hex)
    {
        AppendBytes(bytes, Hex(hex));
        return *this;
    }
    Body& operator<<(const Bytes& raw)
    {
        AppendBytes(bytes, raw);
        return *this;
    }
    Body& U16(std::size_t v)
    {
        AppendU16be(bytes, static_cast<std::uint16_t>(v));
        return *this;
    }
    Body& Text(const std::string& s)
    {
        bytes.insert(bytes.end(), s.begin(), s.end());
        bytes.push_back(0);
        return *this;
    }
};

struct ObjCase {
    const char* name;
    std::function<std::unique_ptr<TLxObj>()> make;
    // The body after the header, from the object as the writer leaves it.
    std::function<Bytes(TLxObj&)> body;
    const char* box = nullptr; // header bytes 4-11 when they are not Place's box
};
inline void PrintTo(const ObjCase& c, std::ostream* os) { *os << c.name; }

// Writes obj's record in both modes at an offset and checks the whole record.
inline void ExpectRecord(const ObjCase& c)
{
    for (int mode : {kEncFile, kEncMemory}) {
        auto obj = c.make();
        Bytes out = Hex("EE EE EE");
        RecOut ro(out, mode);
        const int n = ObjRecChx(ro, 3, *obj, ObjEnv());
        const Bytes body = c.body(*obj);
        Bytes expected = Hex("EE EE EE");
        AppendBytes(expected, PlacedHead(obj->ObjType, kObjHeaderSize + body.size(), c.box));
        AppendBytes(expected, body);
        EXPECT_EQ(n, static_cast<int>(expected.size()) - 3) << c.name << " mode " << mode;
        EXPECT_EQ(ToHex(out), ToHex(expected)) << c.name << " mode " << mode;
    }
}

// The layout tests of every kind: one table of cases per group of kinds, each instantiated
// over this fixture (the test itself is defined once).
class ObjRecord : public ::testing::TestWithParam<ObjCase> {};
inline std::string CaseName(const ::testing::TestParamInfo<ObjCase>& info) { return info.param.name; }

// The bytes a packer writes into a buffer of size bytes.
template <typename Pack> Bytes Packed(int size, Pack&& pack)
{
    Bytes b(static_cast<std::size_t>(std::max(0, size)));
    if (!b.empty())
        pack(std::span<std::uint8_t>(b));
    return b;
}

} // namespace kes::test
