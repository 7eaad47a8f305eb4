#include "app/model/projectstate.h"

#include "objects/addrmode.h"
#include "objects/valformat.h"
#include "platform/fileio.h"

namespace kes {

ProjectState::ProjectState() : AppDir(kes::AppDir())
{
    InternalDevRecords[kInternalBit] = MakeInternalDevRecord(kInternalBit);
    InternalDevRecords[kInternalWord] = MakeInternalDevRecord(kInternalWord);
    for (int i = 0; i < kFunKeyCount; ++i)
        SysFunKeys[i].KeyIndex = static_cast<std::uint8_t>(i);
    for (std::size_t i = 0; i < KeySetRec.KeyCodes.size(); ++i)
        KeySetRec.KeyCodes[i] = static_cast<std::uint8_t>('0' + i);
    ResetSysDevRefs();
    ResetPowerOnMacro();
    ResetParaDataSet();
}

void ProjectState::InitDevRef(DevRefHead& ref) const
{
    ref.Station = DefStation;
    ref.DevAddrCode = -1;
    ref.LinkIndex = LinkIndex;
    ref.Present = 1;
    ref.LinkFlag = (LinkIndex < PortSlaveMode.size() && PortSlaveMode[LinkIndex]) ? 1 : 0;
    ref.BitIndex = 0;
    ref.Detail = 0;
}

bool ProjectState::UserLevelDefined(int level) const
{
    if (level == 0)
        return true;
    for (const PassWordRec& slot : UserPasswords)
        if (slot.Level == level)
            return true;
    return false;
}

bool ProjectState::BitObjAllowed() const
{
    switch (MachineId) {
    case 4:
    case 6:
    case 41:
    case 42:
    case 43:
    case 44:
        return false;
    default:
        return true;
    }
}

namespace {

// The common part of the "none" resets: the link flag is left alone.
void ResetRefKeepingLinkFlag(DevRefHead& ref, std::uint8_t station, std::uint8_t link)
{
    ref.Station = station;
    ref.DevAddrCode = -1;
    ref.LinkIndex = link;
    ref.Present = 1;
    ref.BitIndex = 0;
    ref.Detail = 0;
}

} // namespace

void ProjectState::ResetSysDevRefs()
{
    for (auto& r : SysDevRefs)
        ResetRefKeepingLinkFlag(r.Ref, DefStation, LinkIndex);
}

void ProjectState::ResetPowerOnMacro()
{
    ResetRefKeepingLinkFlag(PowerOnMacro.Ref, DefStation, LinkIndex);
    PowerOnMacro.Ref.LinkFlag = 0;
    PowerOnMacro.ValueType = FormatCode(ValFormat::Unsigned);
    PowerOnMacro.Kind = kBitFlags;
    PowerOnMacro.Width = 0;
    PowerOnMacro.IntervalIndex = 0;
    PowerOnMacro.Value = 0;
    PowerOnMacro.OnOff = 0;
}

PgJmpRec* ProjectState::AddSysPgJump()
{
    if (SysPgJumps.size() >= static_cast<std::size_t>(kMaxPgJumps))
        return nullptr;
    PgJmpRec rec;
    InitDevRef(rec.Ref);
    SysPgJumps.push_back(rec);
    return &SysPgJumps.back();
}

void ProjectState::ResetParaDataSet() { InitDevRef(ParaDataSet.Ref); }

std::int32_t ProjectState::ObjDataSize() const
{
    const std::int64_t n = std::int64_t(ObjDataAddrEnd) - ObjDataAddr;
    return n > 0 && n <= INT32_MAX ? static_cast<std::int32_t>(n) : 0;
}

std::string ProjectState::WindowCaption(const std::string& shown) const
{
    if (!shown.empty())
        return CaptionPrefix + shown;
    // The prefix without its separator.
    std::string name = CaptionPrefix;
    while (!name.empty() && (name.back() == ' ' || name.back() == '-'))
        name.pop_back();
    return name;
}

} // namespace kes
