#include "app/project/usermenu.h"

#include "app/model/lxtypecore.h"
#include "app/project/pagedata.h"
#include "app/project/prjfile.h"
#include "app/project/prjio.h"
#include "platform/fileio.h"

namespace kes {

std::string UserMenuPath(const std::string& dir, int panelModelIndex)
{
    switch (panelModelIndex) {
    case 0:
        return JoinPath(dir, "UserMenu/ZQ04/UserMenu.Men");
    case 1:
        return JoinPath(dir, "UserMenu/ZQ02/UserMenu.Men");
    default:
        return {};
    }
}

std::string UserMenuWritePath(const ProjectState& s, int panelModelIndex)
{
    return UserMenuPath(s.WriteDir(), panelModelIndex);
}

std::string UserMenuReadPath(const ProjectState& s, int panelModelIndex)
{
    const std::string own = UserMenuWritePath(s, panelModelIndex);
    return own.empty() || FileExists(own) ? own : UserMenuPath(s.AppDir, panelModelIndex);
}

namespace {

// The screens' pictures (a full one-bit picture of the panel each) and their stored records
// both within the main-menu area.
bool ScreensFit(const ProjectState& s, std::int64_t screens, std::int64_t stored, int panelWidth, int panelHeight)
{
    const std::int64_t area = std::int64_t(s.MainMenuEnd) - s.MainMenuAddr + 1;
    const std::int64_t pictures = screens * panelWidth * panelHeight / 8;
    return pictures <= area && stored <= area;
}

} // namespace

bool UserMenuFits(const ProjectDoc& doc, int panelWidth, int panelHeight)
{
    std::int64_t stored = 0;
    for (const auto& s : doc.ImagePgDataList)
        stored += s->Length();
    return ScreensFit(doc, static_cast<std::int64_t>(doc.ImagePgDataList.size()), stored, panelWidth, panelHeight);
}

Bytes EncodeUserMenuFile(ProjectDoc& doc, const UserMenuPort& port)
{
    doc.UserMenuOffsetList.clear();
    std::uint32_t used = 0;
    for (const auto& s : doc.ImagePgDataList) {
        doc.UserMenuOffsetList.push_back(std::to_string(used));
        used += static_cast<std::uint32_t>(s->Length());
    }
    if (!doc.ImagePgDataList.empty())
        doc.UserMenuOffsetList.push_back(std::to_string(used));

    Bytes out(kUserMenuHeadSize, 0);
    PutU16le(out, 0, static_cast<std::uint16_t>(doc.MachineId));
    PutU16le(out, 2, static_cast<std::uint16_t>(doc.PanelModelIndex));
    PutU32le(out, 4, doc.DataVersion);
    out[8] = doc.HmiUnitAddr;
    out[9] = port.PortNumber;
    PutU32le(out, 10, port.Baud);
    std::copy(port.Settings.begin(), port.Settings.end(), out.begin() + 14);
    AppendU32le(out, 0);
    AppendU32le(out, 0);
    std::uint32_t start = 0;
    for (const auto& s : doc.ImagePgDataList) {
        AppendU32le(out, start);
        AppendU32le(out, start + static_cast<std::uint32_t>(s->Length()));
        AppendBytes(out, s->Data);
        start += static_cast<std::uint32_t>(s->Length());
    }
    return out;
}

ProjectError ParseUserMenuFile(ByteSpan f, ParsedUserMenu& out)
{
    out = ParsedUserMenu{};
    if (f.size() < kUserMenuHeadSize + 8)
        return ProjectError::TooShort;
    out.MachineId = static_cast<std::int16_t>(*GetU16le(f, 0));
    out.PanelModelIndex = static_cast<std::int16_t>(*GetU16le(f, 2));
    out.Version = *GetU32le(f, 4);
    out.HmiUnitAddr = f[8];
    // The empty chunk {0, 0} heads the row of screens.
    if (*GetU32le(f, kUserMenuHeadSize) != 0 || *GetU32le(f, kUserMenuHeadSize + 4) != 0)
        return ProjectError::Damaged;
    std::vector<ProjectChunk> chunks;
    if (const ProjectError e = ReadChunkRow(f, kUserMenuHeadSize, kMaxUserMenuScreens + 1, ProjectError::TooManyScreens,
                                            chunks, out.TailAt);
        e != ProjectError::None)
        return e;
    for (std::size_t k = 1; k < chunks.size(); ++k) {
        out.Screens.emplace_back(chunks[k].Bytes.begin(), chunks[k].Bytes.end());
        out.Ranges.emplace_back(chunks[k].Start, chunks[k].End);
    }
    return ProjectError::None;
}

bool UserMenuInArea(const ParsedUserMenu& menu, std::int64_t areaSize)
{
    if (menu.PanelModelIndex != 0 && menu.PanelModelIndex != 1)
        return false;
    std::uint32_t next = 0;
    for (const auto& [start, end] : menu.Ranges) {
        if (start != next || end < start || end > areaSize)
            return false;
        next = end;
    }
    return true;
}

ProjectError CheckUserMenu(const ParsedUserMenu& menu, const ProjectState& s, int panelWidth, int panelHeight)
{
    if (!UserMenuInArea(menu, s.ObjDataSize()))
        return ProjectError::OutOfImage;
    const std::int64_t stored = menu.Ranges.empty() ? 0 : menu.Ranges.back().second;
    if (!ScreensFit(s, static_cast<std::int64_t>(menu.Screens.size()), stored, panelWidth, panelHeight))
        return ProjectError::TooManyScreens;
    return ProjectError::None;
}

bool UserMenuMachine(const LxTypeCore& type, std::int16_t machineId)
{
    return machineId >= 0 && machineId <= 255 && type.MachineIndexOf(machineId) >= 0 &&
           !ProjectState::IsKeypadMachine(machineId);
}

ScreenRead FirstUnreadScreen(const ParsedUserMenu& menu, const PageEnv& env)
{
    for (std::size_t i = 0; i < menu.Screens.size(); ++i) {
        PageData trial;
        const PgReadResult r =
            ScreenDataToObj(trial, env, menu.Screens[i], 0, menu.Screens[i].size(), false, &ScreenKind);
        if (r.Error == DecodeError::LibraryMissing)
            break;
        if (!r.Ok())
            return {i, r};
    }
    return {menu.Screens.size(), {}};
}

} // namespace kes
