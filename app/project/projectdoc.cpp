#include "app/project/projectdoc.h"

#include "app/project/pagedata.h"

#include <charconv>

namespace kes {

const char* ProjectErrorText(ProjectError e)
{
    switch (e) {
    case ProjectError::None:
        return "no error";
    case ProjectError::Damaged:
        return "the file is damaged";
    case ProjectError::TooShort:
        return "the file is shorter than its header";
    case ProjectError::OutOfImage:
        return "the file holds data outside the panel's memory area";
    case ProjectError::NoModel:
        return "the panel model has no memory area";
    case ProjectError::CannotRead:
        return "the file can not be read";
    case ProjectError::CannotWrite:
        return "the file can not be written";
    case ProjectError::BadName:
        return "the project name is not allowed";
    case ProjectError::NoSpace:
        return "the disk is full";
    case ProjectError::Inconsistent:
        return "the compiled image does not hold every page";
    case ProjectError::UnknownModel:
        return "the file names a controller or panel model this program does not know";
    case ProjectError::TooManyPages:
        return "the file holds more pages than a panel can count";
    case ProjectError::TooManyScreens:
        return "the file holds more screens than the user menu's memory area holds";
    case ProjectError::TooLarge:
        return "the file is larger than any file of its kind";
    case ProjectError::ScreenDamaged:
        return "a screen's records do not read";
    }
    return "unknown error";
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
