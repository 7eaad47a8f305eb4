#include "app/print/printlines.h"

#include "app/model/lxtypecore.h"
#include "app/print/reportkinds.h"
#include "app/project/pagedata.h"
#include "objects/addrmode.h"
#include "objects/lxdevref.h"

#include <algorithm>
#include <array>

namespace kes {
namespace {

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
    const ReportKind* kind = ReportKindOf(obj);
    if (kind && kind->Texts) {
        lines.push_back(MsgOf(msg, kMsgPrintTextData) + ":");
        for (const std::string& text : *kind->Texts(obj))
            lines.push_back(text);
        return lines;
    }
    if (!kind || !kind->Listed)
        return lines;
    const ListedRef listed = kind->Listed(obj);
    const TLxDevRef& ref = *listed.Ref.Ref;
    const std::string address =
        ref.DevAddrCode == -1
            ? std::string()
            : lx.FormatDeviceAddress(static_cast<std::uint32_t>(ref.DevAddrCode), listed.Ref.Mode, listed.Ref.Access,
                                     ref.RefBitNo, ref.RefDevForm != 0, ref.RefIntMem != 0);
    lines.push_back(MsgOf(msg, kMsgPrintDevice) + ":" + address);
    lines.push_back(MsgOf(msg, kMsgPrintStation) + ":" + std::to_string(ref.RefStation));
    lines.push_back(MsgOf(msg, kMsgPrintPort) + ":" + std::to_string(ref.RefLink));
    if (listed.States >= 0)
        lines.push_back(MsgOf(msg, kMsgPrintStates) + ":" + std::to_string(listed.States));
    return lines;
}

std::string JumpConditionLine(const PgJmpRec& rec, const LxTypeCore& lx)
{
    const bool bit = rec.Kind == kBitFlags;
    const std::string address =
        rec.Ref.DevAddrCode == -1
            ? std::string()
            : lx.FormatDeviceAddress(static_cast<std::uint32_t>(rec.Ref.DevAddrCode),
                                     bit ? ModeCode(AddrMode::Bit) : ModeCode(AddrMode::Word),
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
