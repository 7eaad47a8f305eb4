#include "app/print/printlines.h"

#include "app/model/lxtypecore.h"
#include "app/project/pagedata.h"
#include "objects/lxstatebmp.h"
#include "objects/tlxadvdevbmp.h"
#include "objects/tlxbtn.h"
#include "objects/tlxgetval.h"
#include "objects/tlxval.h"
#include "objects/tmsgtxt.h"
#include "objects/tsttxt.h"
#include "objects/tvrgbmp.h"

#include <algorithm>
#include <array>

namespace kes {
namespace {

constexpr std::uint8_t kModeBit = 0;
constexpr std::uint8_t kModeWord = 1;

// How an object's listed device reference is formatted: bit or word, and the value length.
struct RefFormat {
    const TLxDevRef* ref = nullptr;
    std::uint8_t mode = kModeWord;
    std::uint8_t access = 0;
    int states = -1; // the state count line, when the kind prints one
};

RefFormat ListedRef(const TLxObj& obj)
{
    const auto* ref = dynamic_cast<const TLxDevRef*>(&obj);
    switch (obj.ObjType) {
    case 2:
        return {ref, kModeWord, static_cast<const TLxVal&>(obj).ValLen};
    case 3:
        return {ref, kModeBit, 0};
    case 21:
        // Follows a bit, or one bit of a word in value mode.
        return {ref, static_cast<std::uint8_t>(static_cast<const TLxAdvDevBmp&>(obj).ValMode >> 4), 0};
    case 4:
        return {ref, kModeWord, 0, static_cast<const TVrgBmp&>(obj).TotalState};
    case 6: {
        const auto& s = static_cast<const TStateBmpObj&>(obj);
        return {ref, static_cast<std::uint8_t>(s.StateMode >> 4), 0, s.TotalState};
    }
    case 18: {
        const auto& s = static_cast<const TStateBmpObj&>(obj);
        return {ref, static_cast<std::uint8_t>(s.StateMode >> 4), static_cast<std::uint8_t>(s.StateMode & 0x0F)};
    }
    case 12: {
        const auto& m = static_cast<const TMsgTxt&>(obj);
        return {ref, static_cast<std::uint8_t>(m.StateMode >> 4), static_cast<std::uint8_t>(m.StateMode & 0x0F)};
    }
    case 13: {
        const auto& b = static_cast<const TLxBtn&>(obj);
        return {&b.WriteDev, static_cast<std::uint8_t>(b.ValKind >> 4), static_cast<std::uint8_t>(b.ValLen & 0x0F)};
    }
    case 20: {
        const auto& v = static_cast<const TLxGetVal&>(obj);
        return {&v.WriteDev, kModeWord, v.ValLen};
    }
    case 8:
    case 9:
    case 14:
    case 15:
    case 16:
        return {ref, kModeWord, 0};
    default:
        return {};
    }
}

// Panel pixels of a length in screen pixels along one axis.
int PanelUnits(int screen, int zoom, int grid) { return screen / std::max(zoom, 1) / std::max(grid, 1); }

// Texts of the operators a value condition compares with ("=" prints as "==").
constexpr std::array<const char*, 6> kOperators = {" == ", " > ", " < ", " >= ", " <= ", " != "};

} // namespace

std::string MsgOf(const std::vector<std::string>& msg, int n)
{
    return n >= 0 && static_cast<std::size_t>(n) < msg.size() ? msg[static_cast<std::size_t>(n)] : std::string();
}

std::vector<std::string> ObjectListingLines(const TLxObj& obj, const LxTypeCore& lx,
                                            const std::vector<std::string>& msg)
{
    const std::string x = std::to_string(PanelUnits(obj.Left, obj.ObjSize, obj.GridWidth));
    const std::string y = std::to_string(PanelUnits(obj.Top, obj.ObjSize, obj.GridHeight));
    const std::string w = std::to_string(PanelUnits(obj.Width, obj.ObjSize, obj.GridWidth));
    const std::string h = std::to_string(PanelUnits(obj.Height, obj.ObjSize, obj.GridHeight));
    std::vector<std::string> lines{"--- " + obj.PrintText + " --- (X,Y) = (" + x + "," + y + ")       [W,H] = [" + w +
                                   "," + h + "]"};
    if (obj.ObjType == 1) {
        lines.push_back(MsgOf(msg, kMsgPrintTextData) + ":");
        for (const std::string& text : static_cast<const TStTxt&>(obj).Lines)
            lines.push_back(text);
        return lines;
    }
    const RefFormat f = ListedRef(obj);
    if (!f.ref)
        return lines;
    const std::string address =
        f.ref->DevAddrCode == -1
            ? std::string()
            : lx.FormatDeviceAddress(static_cast<std::uint32_t>(f.ref->DevAddrCode), f.mode, f.access, f.ref->RefBitNo,
                                     f.ref->RefDevForm != 0, f.ref->RefIntMem != 0);
    lines.push_back(MsgOf(msg, kMsgPrintDevice) + ":" + address);
    lines.push_back(MsgOf(msg, kMsgPrintStation) + ":" + std::to_string(f.ref->RefStation));
    lines.push_back(MsgOf(msg, kMsgPrintPort) + ":" + std::to_string(f.ref->RefLink));
    if (f.states >= 0)
        lines.push_back(MsgOf(msg, kMsgPrintStates) + ":" + std::to_string(f.states));
    return lines;
}

std::string JumpConditionLine(const PgJmpRec& rec, const LxTypeCore& lx)
{
    const bool bit = rec.Kind == 0;
    const std::string address =
        rec.Ref.DevAddrCode == -1
            ? std::string()
            : lx.FormatDeviceAddress(static_cast<std::uint32_t>(rec.Ref.DevAddrCode), bit ? kModeBit : kModeWord,
                                     static_cast<std::uint8_t>(rec.Width & 0x0F), rec.Ref.BitIndex,
                                     rec.Ref.Present != 0, rec.Ref.LinkFlag != 0);
    std::string line = address;
    if (bit)
        line += rec.OnOff != 0 ? " == ON" : " == OFF";
    else
        line += std::string(rec.Operator < kOperators.size() ? kOperators[rec.Operator] : kOperators[0]) +
                std::to_string(rec.CompareValue);
    return line + " Jump To Page:" + std::to_string(rec.TargetPage);
}

PrintHeadings PrintHeadingsOf(const std::vector<std::string>& msg, const std::string& prjName,
                              const std::string& jumpsCaption)
{
    const std::string rule(23, '-');
    PrintHeadings h;
    h.Product = MsgOf(msg, kMsgPrintProduct);
    h.FileName = MsgOf(msg, kMsgPrintFileName) + "\t" + prjName + ".zqf";
    h.Jumps = "------ " + jumpsCaption + " ------";
    h.Objects = rule + MsgOf(msg, kMsgPrintObjectData) + "\t" + rule;
    return h;
}

PageMaterial PageMaterialOf(const PageData& page, int index, const std::string& title, bool startScreen,
                            const PrintChoice& choice, const LxTypeCore& lx, const std::vector<std::string>& msg)
{
    PageMaterial m;
    const std::string titled = choice.Title ? "  Title:" + title : std::string();
    m.Caption = (startScreen ? std::string("Display-- 0 ") : "Display--" + std::to_string(index)) + titled;
    m.Heading = (startScreen ? std::string("Display-- 0 ") : "Display - " + std::to_string(index)) + titled;
    m.AlwaysListed = startScreen;
    for (const PgJmpRec& rec : page.PgJmpList)
        m.Jumps.push_back(JumpConditionLine(rec, lx));
    if (choice.Objects)
        for (const TLxObj* obj : page.ObjList)
            m.Objects.push_back(ObjectListingLines(*obj, lx, msg));
    return m;
}

} // namespace kes
