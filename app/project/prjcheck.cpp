#include "app/project/prjcheck.h"

#include "app/project/pagedata.h"
#include "decoder/kindlayout.h"
#include "decoder/setlayout.h"
#include "objects/objkind.h"

namespace kes {

namespace {

// Message numbers of the check lines.
enum : int {
    kMsgPageNumber = 46,
    kMsgButtonType = 90,
    kMsgUserLevel = 107,
    kMsgSysKey = 108,
    kMsgFunKey = 109,
    kMsgDpi = 118,
    kMsgFont = 305,
    kMsgNotInstalled = 306,
};

const std::string& MsgOf(const ProjectState& s, int n)
{
    static const std::string kNone;
    return n >= 0 && static_cast<std::size_t>(n) < s.MsgTable.size() ? s.MsgTable[n] : kNone;
}

// A NUL-terminated text at off inside the record (cut at the record's end).
std::string TextAt(ByteSpan rec, std::size_t off)
{
    std::string s;
    for (std::size_t i = off; i < rec.size() && rec[i] != 0; ++i)
        s += static_cast<char>(rec[i]);
    return s;
}

// What the check reads in a stored object record of each kind, at its offset: the font face
// that must be installed, the button type that must be set, the user level that must be
// defined (0: nothing of that). Kinds without a caption are not checked.
struct KindCheck {
    ObjKind Kind;
    std::string CheckNames::*Name;
    std::size_t FontAt;
    std::size_t ButtonTypeAt;
    std::size_t UserLevelAt;
};

constexpr KindCheck kChecks[] = {
    {ObjKind::StTxt, &CheckNames::StTxt, layout::StTxt::Texts, 0, 0},
    {ObjKind::LxVal, nullptr, 0, 0, 0},
    {ObjKind::LxDevBmp, nullptr, 0, 0, 0},
    {ObjKind::VrgBmp, nullptr, 0, 0, 0},
    {ObjKind::StBmp, nullptr, 0, 0, 0},
    {ObjKind::ActBmp, nullptr, 0, 0, 0},
    {ObjKind::Scale, nullptr, 0, 0, 0},
    {ObjKind::ProgBar, nullptr, 0, 0, 0},
    {ObjKind::CirMeter, nullptr, 0, 0, 0},
    {ObjKind::RectMeter, nullptr, 0, 0, 0},
    {ObjKind::LxPage, nullptr, 0, 0, 0},
    {ObjKind::MsgTxt, &CheckNames::Msg, layout::MsgTxt::FontName, 0, 0},
    {ObjKind::LxBtn, &CheckNames::Btn, 0, layout::LxBtn::BtnType, layout::LxBtn::UserLevel},
    {ObjKind::LxCurve, nullptr, 0, 0, 0},
    {ObjKind::LxXyCurve, nullptr, 0, 0, 0},
    {ObjKind::Rtc, nullptr, 0, 0, 0},
    {ObjKind::Geom, nullptr, 0, 0, 0},
    {ObjKind::Light, &CheckNames::Lighter, layout::Light::FontName, 0, 0},
    {ObjKind::Metrol, nullptr, 0, 0, 0},
    {ObjKind::LxGetVal, &CheckNames::InputVal, 0, 0, layout::LxGetVal::UserLevel},
    {ObjKind::LxAdvDevBmp, nullptr, 0, 0, 0},
};
static_assert(CoversEveryKind(kChecks));

class Checker {
public:
    Checker(const ProjectDoc& doc, const CheckNames& names, const std::function<bool(const std::string&)>& fontExists)
        : doc_(doc), names_(names), fontExists_(fontExists)
    {}

    CheckResult result;

    void Add(const std::string& line, bool counted)
    {
        result.Lines.push_back("[Error]" + line);
        if (counted)
            ++result.Errors;
    }

    void SystemKeys()
    {
        for (int k = 0; k < kFunKeyCount; ++k) {
            if (doc_.SysFunKeyUsed[k] && !UserLevelDefined(doc_, doc_.SysFunKeys[k].UserLevel))
                Add(Msg(kMsgSysKey) + "(" + Msg(kMsgFunKey) + " " + std::to_string(k) + "):" + Msg(kMsgUserLevel),
                    true);
        }
    }

    // The object records (kChecks) and the function keys of a stored page.
    void Page(std::size_t i, ByteSpan data)
    {
        namespace H = layout::ObjHead;
        const std::string page = " (" + Msg(kMsgPageNumber) + " " + std::to_string(i) + ") : ";
        std::size_t pos = 0;
        while (pos < data.size()) {
            const auto tag = GetU16be(data, pos + layout::RecHead::Tag);
            const auto len = GetU16be(data, pos + layout::RecHead::Length);
            if (!tag || !len || *len < layout::RecHead::Size || *len > data.size() - pos)
                break; // a damaged stream ends the walk rather than stalling it
            const ByteSpan rec = data.subspan(pos, *len);
            pos += *len;
            if (*tag == kTagPgFunKey) {
                const std::size_t at = layout::PgFunKey::UserLevel;
                if (rec.size() > at && !UserLevelDefined(doc_, rec[at]))
                    Add(Msg(kMsgFunKey) + page + Msg(kMsgUserLevel), true);
                continue;
            }
            const std::optional<ObjKind> kind = KindOfCode(*tag);
            if (!kind || rec.size() < H::Size)
                continue;
            const KindCheck& c = EntryOf(kChecks, *kind);
            if (c.Name == nullptr)
                continue;
            const std::string name = names_.*c.Name + " [" + std::to_string(*GetU16be(rec, H::Left)) + "," +
                                     std::to_string(*GetU16be(rec, H::Top)) + "]" + page;
            if (c.FontAt != 0)
                Font(name, rec, c.FontAt);
            if (c.ButtonTypeAt != 0 && rec.size() > c.ButtonTypeAt && rec[c.ButtonTypeAt] == BtnCode(BtnType::None))
                Add(name + Msg(kMsgButtonType), true);
            if (c.UserLevelAt != 0 && rec.size() > c.UserLevelAt && !UserLevelDefined(doc_, rec[c.UserLevelAt]))
                Add(name + Msg(kMsgFunKey), true);
        }
    }

private:
    const std::string& Msg(int n) const { return MsgOf(doc_, n); }

    void Font(const std::string& prefix, ByteSpan rec, std::size_t off)
    {
        if (off >= rec.size())
            return;
        const std::string face = TextAt(rec, off);
        if (!fontExists_(face))
            Add(prefix + Msg(kMsgFont) + " " + face + " " + Msg(kMsgNotInstalled), true);
    }

    const ProjectDoc& doc_;
    const CheckNames& names_;
    const std::function<bool(const std::string&)>& fontExists_;
};

} // namespace

CheckResult CheckProject(const ProjectDoc& doc, const CheckNames& names, int screenDpi,
                         const std::function<bool(const std::string&)>& fontExists)
{
    Checker c(doc, names, fontExists);
    if (doc.PrjPixelsPerInch != 0 && doc.PrjPixelsPerInch != screenDpi)
        c.Add(MsgOf(doc, kMsgDpi), false);
    c.SystemKeys();
    for (std::size_t i = 0; i < doc.PgDataList.size(); ++i)
        c.Page(i, doc.PgDataList[i]->Data);
    return std::move(c.result);
}

bool UserLevelDefined(const ProjectState& s, int level)
{
    if (level == 0)
        return true;
    for (const PassWordRec& slot : s.UserPasswords)
        if (slot.Level == level)
            return true;
    return false;
}

int CountLinkedRecords(const ProjectState& s, const PageData* page)
{
    int n = static_cast<int>(s.SysPgJumps.size());
    n += (s.SysBuzzer.Ref.DevAddrCode != -1) + (s.SysAlarmLamp.Ref.DevAddrCode != -1);
    n += (s.SysClockWrite.Ref.DevAddrCode != -1) + (s.PowerOnMacro.Ref.DevAddrCode != -1);
    for (const PLCValSetRec& r : s.SysDevRefs)
        n += r.Ref.DevAddrCode != -1;
    if (page) {
        n += static_cast<int>(page->PgJmpList.size());
        n += page->PgNumWrite.Ref.DevAddrCode != -1;
        for (const PgSysRec& r : page->PgSysRecs)
            n += r.Ref.DevAddrCode != -1;
        n += static_cast<int>(page->ObjList.size());
    }
    return n;
}

} // namespace kes
