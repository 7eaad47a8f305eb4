// Binding the record decoder library with dlopen and dlsym.
#include "app/project/morvikload.h"

#include "platform/fileio.h"

#include <dlfcn.h>

#include <type_traits>

namespace kes {

std::string MorvikLib::LibraryPath() { return AppDir() + kMorvikFileName; }

DecodeError MorvikLib::Open(unsigned exports, const std::string& path)
{
    Close();
    const std::string file = path.empty() ? LibraryPath() : path;
    // RTLD_NOW: a library that cannot resolve its own needs fails here, not mid-walk.
    // RTLD_NODELETE: once loaded it stays mapped, so the next walk's load is only a lookup
    // instead of mapping and relocating it again.
    handle_ = dlopen(OsPath(file).c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (!handle_) {
        const char* why = dlerror();
        detail_ = file + ": " + (why ? why : "cannot be loaded");
        return DecodeError::LibraryMissing;
    }
    const char* missing = nullptr;
    auto fetch = [&](unsigned bit, const char* name, auto& fn) {
        if (!(exports & bit))
            return true;
        fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(dlsym(handle_, name));
        if (!fn)
            missing = name;
        return fn != nullptr;
    };
    const bool ok = fetch(kExpDataToLxObj, kDataToLxObjName, fns_.DataToLxObj) &&
                    fetch(kExpDatatoObjInfo, kDatatoObjInfoName, fns_.DatatoObjInfo) &&
                    fetch(kExpDataToPgJmp, kDataToPgJmpName, fns_.DataToPgJmp) &&
                    fetch(kExpDataToPgFunKey, kDataToPgFunKeyName, fns_.DataToPgFunKey) &&
                    fetch(kExpDataToPgSys, kDataToPgSysName, fns_.DataToPgSys) &&
                    fetch(kExpDataToPgHide, kDataToPgHideName, fns_.DataToPgHide) &&
                    fetch(kExpDataToPLCValSet, kDataToPLCValSetName, fns_.DataToPLCValSet) &&
                    fetch(kExpDataToMacPowerOn, kDataToMacPowerOnName, fns_.DataToMacPowerOn) &&
                    fetch(kExpDataToParaDataSet, kDataToParaDataSetName, fns_.DataToParaDataSet);
    if (!ok) {
        Close();
        detail_ = file + ": missing entry point " + missing;
        return DecodeError::ExportMissing;
    }
    return DecodeError::None;
}

void MorvikLib::Close()
{
    if (handle_)
        dlclose(handle_);
    handle_ = nullptr;
    fns_ = MorvikFns{};
    detail_.clear();
}

} // namespace kes
