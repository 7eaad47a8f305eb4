#include "app/project/headerlib.h"

#include "platform/fileio.h"

#include <dlfcn.h>

namespace kes {

namespace {

template <typename F> void Get(void* handle, F& f, const char* name)
{
    f = reinterpret_cast<F>(::dlsym(handle, name));
}

} // namespace

HeaderLib::HeaderLib(const std::string& path)
{
    const std::string file = path.empty() ? AppDir() + "libMorvik.so" : path;
    handle_ = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_)
        return;
    Get(handle_, dec_.PgJmp, "_DataToPgJmp");
    Get(handle_, dec_.PgFunKey, "_DataToPgFunKey");
    Get(handle_, dec_.PgSys, "_DataToPgSys");
    Get(handle_, dec_.PLCValSet, "_DataToPLCValSet");
    Get(handle_, dec_.MacPowerOn, "_DataToMacPowerOn");
    Get(handle_, dec_.ParaDataSet, "_DataToParaDataSet");
}

HeaderLib::~HeaderLib()
{
    if (handle_)
        ::dlclose(handle_);
}

} // namespace kes
