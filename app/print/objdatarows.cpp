#include "app/print/objdatarows.h"

#include "app/model/lxtypecore.h"
#include "app/print/reportkinds.h"
#include "app/project/pagedata.h"
#include "app/project/projectdoc.h"
#include "app/project/tprntmp.h"
#include "objects/addrmode.h"
#include "objects/lxdevref.h"
#include "platform/codepage.h"

namespace kes {
namespace {

std::string Utf8(const std::string& ansi) { return AnsiToQString(ansi).toStdString(); }

// One column group from a device reference: the address when there is one, the station and
// the link's port.
ObjDataRef RefColumn(const LxTypeCore& lx, std::int32_t code, std::uint8_t station, std::uint8_t link,
                     std::uint8_t bitIndex, bool deviceForm, bool panelMemory, std::uint8_t mode, std::uint8_t access)
{
    ObjDataRef r;
    if (code != -1)
        r.Addr = Utf8(
            lx.FormatDeviceAddress(static_cast<std::uint32_t>(code), mode, access, bitIndex, deviceForm, panelMemory));
    r.ID = station;
    if (link <= 1)
        r.Port = link == 0 ? "COM1" : "COM2";
    return r;
}

ObjDataRef Column(const LxTypeCore& lx, const DevRefHead& ref, std::uint8_t mode, std::uint8_t access)
{
    return RefColumn(lx, ref.DevAddrCode, ref.Station, ref.LinkIndex, ref.BitIndex, ref.Present != 0, ref.LinkFlag != 0,
                     mode, access);
}

ObjDataRef Column(const LxTypeCore& lx, const TLxDevRef& ref, std::uint8_t mode, std::uint8_t access)
{
    return RefColumn(lx, ref.DevAddrCode, ref.RefStation, ref.RefLink, ref.RefBitNo, ref.RefDevForm != 0,
                     ref.RefIntMem != 0, mode, access);
}

std::uint8_t High(std::uint8_t b) { return static_cast<std::uint8_t>(b >> 4); }
std::uint8_t Low(std::uint8_t b) { return static_cast<std::uint8_t>(b & 0x0F); }

ObjDataRef Column(const LxTypeCore& lx, const KindRef& r)
{
    return r.Ref ? Column(lx, *r.Ref, r.Mode, r.Access) : ObjDataRef{};
}

// The address columns of an object: which of its references is read, written or called.
void ObjectColumns(const TLxObj& obj, const LxTypeCore& lx, ObjDataRow& row)
{
    const ReportKind* kind = ReportKindOf(obj);
    if (!kind || !kind->Table)
        return;
    const TableRefs refs = kind->Table(obj);
    row.Read = Column(lx, refs.Read);
    row.Write = Column(lx, refs.Write);
    row.Call = Column(lx, refs.Call);
}

class RowSink {
public:
    RowSink(const LxTypeCore& lx, const ObjDataNames& names, int pageCount, std::vector<ObjDataRow>& out)
        : lx_(lx), names_(names), pageCount_(pageCount), out_(out)
    {}
    ObjDataRow& Add(int pageNum, int kind, const std::string& name)
    {
        ObjDataRow row;
        row.ObjID = static_cast<int>(out_.size());
        row.ObjName = name;
        row.ObjType = kind;
        row.PageNum = pageNum;
        row.Page = ObjDataPageName(names_, pageNum, pageCount_);
        out_.push_back(std::move(row));
        return out_.back();
    }
    void Jumps(const std::vector<PgJmpRec>& jumps, int pageNum, const std::string& name)
    {
        for (const PgJmpRec& j : jumps)
            Add(pageNum, kTagPgJmp, name).Read = Column(lx_, j.Ref, High(j.Kind), j.Width);
    }
    void FunKey(const PgFunKeyRec& k, int pageNum, const std::string& name)
    {
        ObjDataRow& row = Add(pageNum, kTagPgFunKey, name);
        row.Read = Column(lx_, k.Read, High(k.Kind), k.Width);
        row.Write = Column(lx_, k.Write, High(k.Kind), k.Width);
        row.Call = Column(lx_, k.Notify, ModeCode(AddrMode::Bit), 0);
    }
    void Alarm(const PgSysRec& r, int pageNum, const std::string& name)
    {
        if (r.Ref.DevAddrCode != -1)
            Add(pageNum, kTagPgSys, name).Read = Column(lx_, r.Ref, High(r.KindWidth), Low(r.KindWidth));
    }
    void ValueWrite(const DevRefHead& ref, int pageNum, int tag, const std::string& name)
    {
        if (ref.DevAddrCode != -1)
            Add(pageNum, tag, name).Write = Column(lx_, ref, ModeCode(AddrMode::Word), 0);
    }
    void Objects(const std::vector<TLxObj*>& objs, int pageNum)
    {
        for (const TLxObj* obj : objs) {
            const ReportKind* kind = ReportKindOf(*obj);
            if (kind && !kind->InTable)
                continue;
            ObjDataRow& row = Add(pageNum, obj->ObjType, Utf8(obj->PrintText));
            row.ObjLoc = obj->GetObjLocate();
            row.ObjSize = obj->GetObjSize();
            ObjectColumns(*obj, lx_, row);
        }
    }

private:
    const LxTypeCore& lx_;
    const ObjDataNames& names_;
    int pageCount_;
    std::vector<ObjDataRow>& out_;
};

// A stored page (or the start-up screen's data) decoded by a renderer of its own.
void AppendStoredPage(const ProjectDoc& doc, const LxTypeCore& lx, const PgDataStr* rec, int index, int pageNum,
                      const ObjDataNames& names, std::vector<ObjDataRow>& out)
{
    if (!rec)
        return;
    TPrntmp renderer(doc, lx);
    renderer.RenderPgIndex = index;
    renderer.ParsePageRecords(rec->Data, 0, rec->Data.size());
    AppendPageRows(renderer.Page(), pageNum, lx, names, static_cast<int>(doc.PgDataList.size()), out);
}

} // namespace

std::string ObjDataPageName(const ObjDataNames& names, int pageNum, int pageCount)
{
    if (pageNum == 0)
        return names.System;
    if (pageNum == pageCount + 1)
        return names.StartScreen;
    return names.Pages + " " + std::to_string(pageNum - 1);
}

void AppendSystemRows(const ProjectState& s, const LxTypeCore& lx, const ObjDataNames& names, int pageCount,
                      std::vector<ObjDataRow>& out)
{
    RowSink sink(lx, names, pageCount, out);
    sink.Jumps(s.SysPgJumps, 0, names.SysPgJump);
    for (std::size_t i = 0; i < s.SysFunKeys.size(); ++i)
        if (s.SysFunKeyUsed[i] != 0)
            sink.FunKey(s.SysFunKeys[i], 0, names.SysFunKey);
    sink.Alarm(s.SysBuzzer, 0, names.SysBuzzer);
    sink.Alarm(s.SysAlarmLamp, 0, names.SysAlarmLamp);
    sink.ValueWrite(s.SysClockWrite.Ref, 0, kTagClockWrite, names.Clock);
    if (s.PowerOnMacro.Ref.DevAddrCode != -1)
        sink.Add(0, kTagMacPowerOn, names.PowerOn).Write =
            Column(lx, s.PowerOnMacro.Ref, High(s.PowerOnMacro.Kind), s.PowerOnMacro.Width);
}

void AppendPageRows(const PageData& page, int pageNum, const LxTypeCore& lx, const ObjDataNames& names, int pageCount,
                    std::vector<ObjDataRow>& out)
{
    RowSink sink(lx, names, pageCount, out);
    sink.Jumps(page.PgJmpList, pageNum, names.PgJump);
    for (const PgFunKeyRec& k : page.PgFunKeys)
        if (k.ButtonType != BtnType::None)
            sink.FunKey(k, pageNum, names.FunKey);
    sink.Alarm(page.PgSysRecs[0], pageNum, names.Buzzer);
    sink.Alarm(page.PgSysRecs[1], pageNum, names.AlarmLamp);
    if (page.PgHide.Hide != 0)
        sink.Add(pageNum, kTagPgHide, names.Hide);
    sink.ValueWrite(page.PgNumWrite.Ref, pageNum, kTagPgNumWrite, names.PgNumWrite);
    sink.Objects(page.ObjList, pageNum);
}

std::vector<ObjDataRow> ObjDataRows(const ProjectDoc& doc, const LxTypeCore& lx, const ObjDataNames& names,
                                    ObjDataView view, int page, const std::function<void(int, int)>& progress)
{
    std::vector<ObjDataRow> rows;
    const int pages = static_cast<int>(doc.PgDataList.size());
    const PgDataStr* start =
        doc.StartScreenData && !doc.StartScreenData->Data.empty() ? doc.StartScreenData.get() : nullptr;
    switch (view) {
    case ObjDataView::System:
        AppendSystemRows(doc, lx, names, pages, rows);
        break;
    case ObjDataView::Page:
        if (page >= 0 && page < pages)
            AppendStoredPage(doc, lx, doc.PgDataList[static_cast<std::size_t>(page)].get(), page, page + 1, names,
                             rows);
        break;
    case ObjDataView::StartScreen:
        AppendStoredPage(doc, lx, start, 0, pages + 1, names, rows);
        break;
    case ObjDataView::All:
        AppendSystemRows(doc, lx, names, pages, rows);
        for (int p = 0; p < pages; ++p) {
            if (progress)
                progress(p, pages + 1);
            AppendStoredPage(doc, lx, doc.PgDataList[static_cast<std::size_t>(p)].get(), p, p + 1, names, rows);
        }
        if (progress)
            progress(pages, pages + 1);
        AppendStoredPage(doc, lx, start, 0, pages + 1, names, rows);
        if (progress)
            progress(pages + 1, pages + 1);
        break;
    }
    return rows;
}

} // namespace kes
