#include "app/project/headerlib.h"

namespace kes {

HeaderLib::HeaderLib(const std::string& path)
{
    const unsigned exports = kExpDataToPgJmp | kExpDataToPgFunKey | kExpDataToPgSys | kExpDataToPLCValSet |
                             kExpDataToMacPowerOn | kExpDataToParaDataSet;
    if (lib_.Open(exports, path) != DecodeError::None)
        return;
    const MorvikFns& f = lib_.Fns();
    dec_.PgJmp = f.DataToPgJmp;
    dec_.PgFunKey = f.DataToPgFunKey;
    dec_.PgSys = f.DataToPgSys;
    dec_.PLCValSet = f.DataToPLCValSet;
    dec_.MacPowerOn = f.DataToMacPowerOn;
    dec_.ParaDataSet = f.DataToParaDataSet;
}

} // namespace kes
