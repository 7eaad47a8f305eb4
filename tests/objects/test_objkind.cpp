// The kind table covers the 21 stored kind codes and nothing else: each kind makes an object
// of its own code, codes outside 1..21 name no kind, and a per-kind table that skips or
// swaps a kind is refused by the completeness check every layer's table uses. The function key
// and user level are found for the kinds the operator works and for no object of another
// class, whatever code it carries; so are the texts an object holds, in record order, for the
// kinds that hold texts.
#include "objects/objkind.h"
#include "objects/tactbmp.h"
#include "objects/tlight.h"
#include "objects/tlxbtn.h"
#include "objects/tmsgtxt.h"
#include "objects/tsttxt.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace kes {
namespace {

struct Row {
    ObjKind Kind;
};
constexpr Row kInOrder[] = {{ObjKind::StTxt},      {ObjKind::LxVal},     {ObjKind::LxDevBmp},  {ObjKind::VrgBmp},
                            {ObjKind::StBmp},      {ObjKind::ActBmp},    {ObjKind::Scale},     {ObjKind::ProgBar},
                            {ObjKind::CirMeter},   {ObjKind::RectMeter}, {ObjKind::LxPage},    {ObjKind::MsgTxt},
                            {ObjKind::LxBtn},      {ObjKind::LxCurve},   {ObjKind::LxXyCurve}, {ObjKind::Rtc},
                            {ObjKind::Geom},       {ObjKind::Light},     {ObjKind::Metrol},    {ObjKind::LxGetVal},
                            {ObjKind::LxAdvDevBmp}};
constexpr Row kSwapped[] = {{ObjKind::LxVal},      {ObjKind::StTxt},     {ObjKind::LxDevBmp},  {ObjKind::VrgBmp},
                            {ObjKind::StBmp},      {ObjKind::ActBmp},    {ObjKind::Scale},     {ObjKind::ProgBar},
                            {ObjKind::CirMeter},   {ObjKind::RectMeter}, {ObjKind::LxPage},    {ObjKind::MsgTxt},
                            {ObjKind::LxBtn},      {ObjKind::LxCurve},   {ObjKind::LxXyCurve}, {ObjKind::Rtc},
                            {ObjKind::Geom},       {ObjKind::Light},     {ObjKind::Metrol},    {ObjKind::LxGetVal},
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

TEST(ObjKinds, TheKindsTheOperatorWorksHaveAKeyAndALevel)
{
    for (ObjKind k : AllObjKinds()) {
        SCOPED_TRACE(KindFacts(k).ClassName);
        const std::unique_ptr<TLxObj> obj = NewObjOfKind(k);
        const OperatorFields f = OperatorFieldsOf(*obj);
        const bool operated = KindFacts(k).Refs == DevRefs::Three;
        EXPECT_EQ(f.RefKey != nullptr, operated);
        EXPECT_EQ(f.UserLevel != nullptr, operated);
        if (operated) {
            EXPECT_EQ(*f.RefKey, 255) << "a new object binds no key";
        }
    }
    TLxBtn btn;
    *OperatorFieldsOf(btn).RefKey = 7;
    EXPECT_EQ(btn.RefKey, 7);
    TLxObj posing;
    posing.ObjType = KindCode(ObjKind::LxBtn);
    EXPECT_EQ(OperatorFieldsOf(posing).RefKey, nullptr);
}

std::vector<std::string> TextsOf(const TLxObj& obj)
{
    std::vector<std::string> texts;
    for (const std::vector<std::string>* list : HeldTextsOf(obj).Lists)
        if (list)
            texts.insert(texts.end(), list->begin(), list->end());
    return texts;
}

TEST(ObjKinds, AnObjectHoldsTheTextsOfItsKindInRecordOrder)
{
    TStTxt txt;
    txt.Lines = {"line 1", "line 2"};
    TLxBtn btn;
    btn.TxtList = {"on"};
    btn.TxtList2 = {"off"};
    TActBmp picture;
    picture.TxtList = {"state 0", "state 1"};
    TLight lamp;
    lamp.TxtList = {"lamp on"};
    lamp.TxtList2 = {"lamp off"};
    TMsgTxt msg;
    msg.Messages = {"message"};
    struct Case {
        const TLxObj* Obj;
        std::vector<std::string> Texts;
    };
    const Case cases[] = {{&txt, {"line 1", "line 2"}},
                          {&btn, {"on", "off"}},
                          {&picture, {"state 0", "state 1"}},
                          {&lamp, {"lamp on", "lamp off"}},
                          {&msg, {"message"}}};
    for (const Case& c : cases)
        EXPECT_EQ(TextsOf(*c.Obj), c.Texts) << KindFactsOf(*c.Obj)->ClassName;

    for (ObjKind k : AllObjKinds()) {
        if (KindFacts(k).Texts)
            continue;
        const std::unique_ptr<TLxObj> obj = NewObjOfKind(k);
        EXPECT_EQ(HeldTextsOf(*obj).Lists[0], nullptr) << KindFacts(k).ClassName;
    }
    TLxObj posing;
    posing.ObjType = KindCode(ObjKind::StTxt);
    EXPECT_EQ(HeldTextsOf(posing).Lists[0], nullptr);
}

} // namespace
} // namespace kes
