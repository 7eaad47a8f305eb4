#include "app/project/projectdoc.h"

#include "app/project/pagedata.h"

#include <charconv>

namespace kes {

const char* ProjectErrorName(ProjectError e)
{
    switch (e) {
    case ProjectError::None:
        return "None";
    case ProjectError::Damaged:
        return "Damaged";
    case ProjectError::TooShort:
        return "TooShort";
    case ProjectError::OutOfImage:
        return "OutOfImage";
    case ProjectError::NoModel:
        return "NoModel";
    case ProjectError::CannotRead:
        return "CannotRead";
    case ProjectError::CannotWrite:
        return "CannotWrite";
    case ProjectError::BadName:
        return "BadName";
    case ProjectError::NoSpace:
        return "NoSpace";
    case ProjectError::Inconsistent:
        return "Inconsistent";
    case ProjectError::UnknownModel:
        return "UnknownModel";
    case ProjectError::TooManyPages:
        return "TooManyPages";
    case ProjectError::TooManyScreens:
        return "TooManyScreens";
    case ProjectError::TooLarge:
        return "TooLarge";
    case ProjectError::ScreenDamaged:
        return "ScreenDamaged";
    }
    return "?";
}

ProjectDoc::ProjectDoc() = default;
ProjectDoc::~ProjectDoc() = default;

void ProjectDoc::ResetSysFunKeys()
{
    for (std::size_t i = 0; i < SysFunKeys.size(); ++i) {
        SysFunKeys[i].KeyIndex = static_cast<std::uint8_t>(i);
        InitFunKeyRec(*this, SysFunKeys[i]);
        SysFunKeyUsed[i] = 0;
    }
}

void ProjectDoc::ResetSysPgSys()
{
    for (PgSysRec* rec : {&SysBuzzer, &SysAlarmLamp}) {
        *rec = PgSysRec{};
        InitDevRef(rec->Ref);
    }
}

void ProjectDoc::ResetHeaderRecords()
{
    ResetSysFunKeys();
    ResetParaDataSet();
    ResetSysPgSys();
    ClearSysPgJumps();
    ResetSysClockWrite();
    ResetPowerOnMacro();
}

void ProjectDoc::ResetUserPasswords()
{
    // The default password of a new project: six digits, the same in every slot.
    static const char kDigits[] = "000000";
    for (PassWordRec& slot : UserPasswords) {
        slot.Password.clear();
        for (int i = 0; i < 6; ++i)
            slot.Password += kDigits[i];
        slot.Level = 0;
    }
}

void ProjectDoc::ResetSystemRecords()
{
    ResetSysDevRefs();
    ResetSysFunKeys();
    ResetParaDataSet();
    ResetUserPasswords();
    ResetSysPgSys();
    ClearSysPgJumps();
    ResetSysClockWrite();
    ResetPowerOnMacro();
}

bool OffsetsOf(const std::vector<std::string>& list, std::vector<std::uint32_t>& out)
{
    out.clear();
    out.reserve(list.size());
    for (const std::string& text : list) {
        std::uint32_t v = 0;
        const char* end = text.data() + text.size();
        const auto r = std::from_chars(text.data(), end, v);
        if (text.empty() || r.ec != std::errc() || r.ptr != end)
            return false;
        out.push_back(v);
    }
    return true;
}

} // namespace kes
