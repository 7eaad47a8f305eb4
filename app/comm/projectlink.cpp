#include "app/comm/projectlink.h"

#include "app/project/headerlib.h"
#include "app/project/memimage.h"
#include "app/project/objfactory.h"
#include "app/project/pgread.h"

#include <algorithm>

namespace kes {

namespace {

std::uint32_t U(std::int32_t v) { return static_cast<std::uint32_t>(std::max(v, 0)); }

} // namespace

LinkMemoryMap MemoryMapOf(const ProjectState& s)
{
    LinkMemoryMap m;
    m.ObjDataAddr = U(s.ObjDataAddr);
    m.ObjDataAddrEnd = U(s.ObjDataAddrEnd);
    m.CommCodeAddr = U(s.CommCodeAddr);
    m.CommCodeAddrEnd = U(s.CommCodeAddrEnd);
    m.ObjPageAddr = U(s.ObjPageAddr);
    m.ObjPageEnd = U(s.ObjPageEnd);
    m.StartCanvas = U(s.StartCanvas);
    m.EndCanvas = U(s.EndCanvas);
    m.MainMenuAddr = U(s.MainMenuAddr);
    m.MainMenuEnd = U(s.MainMenuEnd);
    m.ParaAddr = U(s.ParaAddr);
    m.ParaEnd = U(s.ParaEnd);
    return m;
}

SystemBlockFields SystemBlockFieldsOf(const ProjectState& s, const SystemBlockExtras& extras)
{
    SystemBlockFields f;
    f.entryCount = static_cast<std::uint16_t>(extras.pageCount + 1);
    f.com1 = s.ComSetByte[0];
    f.com2 = s.ComSetByte[1];
    f.machineId = s.MachineId;
    f.firmwareLength = extras.firmwareLength;
    f.firmwareStamp = extras.firmwareStamp;
    for (std::size_t i = 0; i < f.passwords.size(); ++i) {
        const PassWordRec& p = s.UserPasswords[i];
        std::copy_n(p.Password.begin(), std::min<std::size_t>(6, p.Password.size()), f.passwords[i].text.begin());
        f.passwords[i].level = p.Level;
    }
    f.enableUpDown = extras.enableUpDown;
    f.portCode = s.PortInternalCode;
    f.linkIndex = s.LinkIndex;
    f.defStation = s.DefStation;
    for (std::size_t r = 0; r < 2; ++r) {
        const DevRefHead& h = s.SysDevRefs[r].Ref;
        SysDevRefBlock& d = f.devRefs[r];
        d.DevAddrCode = h.DevAddrCode;
        d.flags = h.Present;
        d.station = h.Station;
        d.detail2 = h.Detail;
        d.detail1 = h.BitIndex;
        d.link = h.LinkIndex;
        d.pairedValue = s.SysDevRefValue[r];
    }
    return f;
}

void BuildSystemBlock(const ProjectState& s, const SystemBlockExtras& extras, std::span<std::uint8_t> block)
{
    BuildSystemBlock(SystemBlockFieldsOf(s, extras), s.PanelFwVer, block);
}

bool ApplySystemBlock(ProjectState& s, const SystemBlockFields& f)
{
    s.PrjVersion = s.DataVersion;
    s.ComSetByte[0] = f.com1;
    s.ComSetByte[1] = f.com2;
    s.MachineId = MapUploadedMachineId(f.machineId);
    for (std::size_t i = 0; i < f.passwords.size(); ++i) {
        s.UserPasswords[i].Password.assign(f.passwords[i].text.begin(), f.passwords[i].text.end());
        s.UserPasswords[i].Level = f.passwords[i].level;
    }
    if (!f.extended)
        return false;
    s.PortInternalCode = f.portCode;
    s.LinkIndex = f.linkIndex;
    s.DefStation = f.defStation;
    for (std::size_t r = 0; r < 2; ++r) {
        DevRefHead& h = s.SysDevRefs[r].Ref;
        const SysDevRefBlock& d = f.devRefs[r];
        h.DevAddrCode = d.DevAddrCode;
        h.Present = d.flags;
        h.Station = d.station;
        h.Detail = d.detail2;
        h.BitIndex = d.detail1;
        h.LinkIndex = d.link;
        s.SysDevRefValue[r] = d.pairedValue;
    }
    return f.enableUpDown;
}

DownloadImage DownloadImageOf(ProjectDoc& doc)
{
    DownloadImage d;
    if (!AppendPagesToImage(doc) || !OffsetsOf(doc.OffsetList, d.offsets))
        return {};
    const std::size_t used =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(doc.MemImageLen, 0)), doc.MemImage.size());
    d.image.assign(doc.MemImage.begin(), doc.MemImage.begin() + static_cast<std::ptrdiff_t>(used));
    return d;
}

bool TakeUploadedProject(ProjectDoc& doc, const UploadResult& r, const HeaderDecoders& dec)
{
    const std::optional<UploadedPages> split = SplitUploadedImage(r.image, r.offsets);
    if (!split)
        return false;
    if (r.image.size() > static_cast<std::size_t>(doc.ObjDataSize()))
        return false;
    doc.SetEditMode(kes::Editing::Pages);
    ResetMemoryImage(doc);
    std::copy(r.image.begin(), r.image.end(), doc.MemImage.begin());
    const std::uint32_t headerLen = r.offsets.front();
    doc.ImageHeaderLen = static_cast<std::int32_t>(headerLen);
    if (doc.IsKeypadType())
        ReadKeySetSection(doc, doc.MemImage, 0);
    else
        ReadHeaderSections(doc, doc.MemImage, 0, headerLen, dec);
    doc.PgDataList.clear();
    for (const Bytes& data : split->pages) {
        auto page = std::make_unique<PgDataStr>();
        page->Data = data;
        doc.PgDataList.push_back(std::move(page));
    }
    // As a build leaves it: a project of no pages has no offsets, a keypad type its header end.
    doc.OffsetList.clear();
    if (!doc.PgDataList.empty() || doc.IsKeypadType())
        for (std::uint32_t o : r.offsets)
            doc.OffsetList.push_back(std::to_string(o));
    doc.MemImageLen = static_cast<std::int32_t>(r.offsets.back());
    return true;
}

UploadChecker::UploadChecker(const std::string& appDir, const std::string& libraryPath)
    : type_(doc_), libraryPath_(libraryPath)
{
    doc_.AppDir = appDir;
    type_.LoadMachineList();
    type_.LoadModelList();
}

bool UploadChecker::SelectModel(std::uint8_t modelIndex, std::uint8_t variant)
{
    // A program without a model list knows no model: nothing could be opened either.
    if (modelIndex >= type_.ModelNames.size())
        return false;
    if (modelLoaded_ != modelIndex || variantLoaded_ != variant) {
        doc_.PanelModelIndex = modelIndex;
        type_.MemMapVariant = variant;
        type_.LoadModelData();
        modelLoaded_ = modelIndex;
        variantLoaded_ = variant;
    }
    return true;
}

std::optional<LinkMemoryMap> UploadChecker::MemoryMapOf(std::uint8_t modelIndex, std::uint8_t variant)
{
    if (!SelectModel(modelIndex, variant))
        return std::nullopt;
    return kes::MemoryMapOf(doc_);
}

UploadProblem UploadChecker::Check(const UploadResult& r)
{
    using Kind = UploadProblem::Kind;
    UploadProblem p;
    if (!SelectModel(r.identity.modelIndex, r.identity.memMapVariant)) {
        p.kind = Kind::UnknownModel;
        p.number = r.identity.modelIndex;
        return p;
    }
    // The controller is the block's, as the upload takes it; a project file naming one the
    // list lacks would not open again.
    const std::int16_t machine = MapUploadedMachineId(r.systemBlock.machineId);
    if (machine < 0 || machine > 255 || type_.MachineIndexOf(machine) < 0) {
        p.kind = Kind::UnknownController;
        p.number = machine;
        return p;
    }
    if (machineLoaded_ != machine) {
        doc_.MachineId = machine;
        type_.SelectMachine();
        machineLoaded_ = machine;
    }
    doc_.MachineId = machine;
    doc_.PanelFwVer = r.identity.firmwareVersion;
    ApplySystemBlock(doc_, r.systemBlock);

    const HeaderLib lib(libraryPath_);
    if (!TakeUploadedProject(doc_, r, lib.Decoders())) {
        p.kind = Kind::BadLayout;
        return p;
    }
    const std::size_t headerEnd = r.offsets.front();
    if (doc_.IsKeypadType()) {
        if (ReadKeySetSection(doc_, r.image, 0) < 0)
            p.kind = Kind::BadHeader;
        return p;
    }
    // The header's walk stops at what it cannot read; it must stop at the first page.
    if (headerEnd > 0) {
        if (!lib.Loaded()) {
            p.kind = Kind::BadHeader;
            p.read = DecodeError::LibraryMissing;
            return p;
        }
        const std::size_t stop = ReadHeaderSections(doc_, r.image, 0, headerEnd, lib.Decoders());
        if (stop != headerEnd) {
            p.kind = Kind::BadHeader;
            p.position = stop;
            return p;
        }
    }
    PageEnv env(doc_, type_);
    env.LibraryPath = libraryPath_;
    for (std::size_t i = 0; i < doc_.PgDataList.size(); ++i) {
        const Bytes& data = doc_.PgDataList[i]->Data;
        PageData trial;
        const PgReadResult read = PgDataToObj(trial, env, data, 0, data.size());
        if (!read.Ok()) {
            p.kind = Kind::BadPage;
            p.number = static_cast<int>(i);
            p.position = read.Position;
            p.read = read.Error;
            return p;
        }
    }
    return p;
}

} // namespace kes
