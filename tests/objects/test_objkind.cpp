// The kind table covers the 21 stored kind codes and nothing else: each kind makes an object
// of its own code, codes outside 1..21 name no kind, and a per-kind table that skips or
// swaps a kind is refused by the completeness check every layer's table uses.
#include "objects/objkind.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace kes {
namespace {

struct Row {
    ObjKind Kind;
};
constexpr Row kInOrder[] = {{ObjKind::StTxt}, {ObjKind::LxVal}, {ObjKind::LxDevBmp}, {ObjKind::VrgBmp},
                            {ObjKind::StBmp}, {ObjKind::ActBmp}, {ObjKind::Scale}, {ObjKind::ProgBar},
                            {ObjKind::CirMeter}, {ObjKind::RectMeter}, {ObjKind::LxPage}, {ObjKind::MsgTxt},
                            {ObjKind::LxBtn}, {ObjKind::LxCurve}, {ObjKind::LxXyCurve}, {ObjKind::Rtc},
                            {ObjKind::Geom}, {ObjKind::Light}, {ObjKind::Metrol}, {ObjKind::LxGetVal},
                            {ObjKind::LxAdvDevBmp}};
constexpr Row kSwapped[] = {{ObjKind::LxVal}, {ObjKind::StTxt}, {ObjKind::LxDevBmp}, {ObjKind::VrgBmp},
                            {ObjKind::StBmp}, {ObjKind::ActBmp}, {ObjKind::Scale}, {ObjKind::ProgBar},
                            {ObjKind::CirMeter}, {ObjKind::RectMeter}, {ObjKind::LxPage}, {ObjKind::MsgTxt},
                            {ObjKind::LxBtn}, {ObjKind::LxCurve}, {ObjKind::LxXyCurve}, {ObjKind::Rtc},
                            {ObjKind::Geom}, {ObjKind::Light}, {ObjKind::Metrol}, {ObjKind::LxGetVal},
                            {ObjKind::LxAdvDevBmp}};
constexpr Row kShort[] = {{ObjKind::StTxt}, {ObjKind::LxVal}};
static_assert(CoversEveryKind(kInOrder));
static_assert(!CoversEveryKind(kSwapped));
static_assert(!CoversEveryKind(kShort));

TEST(ObjKinds, EveryKindMakesAnObjectOfItsOwnCode)
{
    std::set<std::string> classes;
    for (ObjKind k : AllObjKinds()) {
        const std::unique_ptr<TLxObj> obj = NewObjOfKind(k);
        ASSERT_NE(obj, nullptr);
        EXPECT_EQ(obj->ObjType, KindCode(k));
        EXPECT_EQ(KindFactsOf(*obj), &KindFacts(k));
        EXPECT_EQ(KindFacts(k).Kind, k);
        classes.insert(KindFacts(k).ClassName);
    }
    EXPECT_EQ(classes.size(), kObjKindCount) << "one class per kind";
}

TEST(ObjKinds, OnlyTheStoredCodesNameKinds)
{
    for (int code : {-1, 0, 22, 1000, 1012})
        EXPECT_FALSE(KindOfCode(code).has_value()) << code;
    EXPECT_EQ(KindOfCode(1), ObjKind::StTxt);
    EXPECT_EQ(KindOfCode(17), ObjKind::Geom);
    EXPECT_EQ(KindOfCode(21), ObjKind::LxAdvDevBmp);
    TLxObj unknown;
    unknown.ObjType = 1001;
    EXPECT_EQ(KindFactsOf(unknown), nullptr);
}

} // namespace
} // namespace kes
