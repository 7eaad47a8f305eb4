#include "app/project/prjcheck.h"

#include "app/project/pagedata.h"

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

class Checker {
public:
    Checker(const ProjectDoc& doc, const CheckNames& names, const std::function<bool(const std::string&)>& fontExists)
        : doc_(doc)
        , names_(names)
        , fontExists_(fontExists)
    {
    }

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
                Add(Msg(kMsgSysKey) + "(" + Msg(kMsgFunKey) + " " + std::to_string(k) + "):" + Msg(kMsgUserLevel), true);
        }
    }

    // Object records of kinds 1..21 begin with the 14-byte header:
    //   0 u16 kind | 2 u16 length | 4 u16 left | 6 u16 top (panel pixels) | ...
    // and carry what the check reads at fixed offsets: the font face of static text (20),
    // message display (30) and lamp (33); a button's user level (54) and type (62); a value
    // entry's user level (44). A page function key (1001) has its user level at 34.
    void Page(std::size_t i, ByteSpan data)
    {
        const std::string page = " (" + Msg(kMsgPageNumber) + " " + std::to_string(i) + ") : ";
        std::size_t pos = 0;
        while (pos < data.size()) {
            const auto tag = GetU16be(data, pos);
            const auto len = GetU16be(data, pos + 2);
            if (!tag || !len || *len < 4 || *len > data.size() - pos)
                break; // a damaged stream ends the walk rather than stalling it
            const ByteSpan rec = data.subspan(pos, *len);
            pos += *len;
            if (*tag == kTagPgFunKey) {
                if (rec.size() > 34 && !UserLevelDefined(doc_, rec[34]))
                    Add(Msg(kMsgFunKey) + page + Msg(kMsgUserLevel), true);
                continue;
            }
            if (*tag < 1 || *tag > 21 || rec.size() < 14)
                continue;
            const auto prefix = [&](const std::string& name) {
                return name + " [" + std::to_string(*GetU16be(rec, 4)) + "," + std::to_string(*GetU16be(rec, 6)) + "]"
                       + page;
            };
            switch (*tag) {
            case 1:
                Font(prefix(names_.StTxt), rec, 20);
                break;
            case 12:
                Font(prefix(names_.Msg), rec, 30);
                break;
            case 18:
                Font(prefix(names_.Lighter), rec, 33);
                break;
            case 13:
                if (rec.size() > 62 && rec[62] == kBtnNone)
                    Add(prefix(names_.Btn) + Msg(kMsgButtonType), true);
                if (rec.size() > 54 && !UserLevelDefined(doc_, rec[54]))
                    Add(prefix(names_.Btn) + Msg(kMsgFunKey), true);
                break;
            case 20:
                if (rec.size() > 44 && !UserLevelDefined(doc_, rec[44]))
                    Add(prefix(names_.InputVal) + Msg(kMsgFunKey), true);
                break;
            default:
                break;
            }
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
