#pragma once
// The record decoder library, bound for the length of one walk: loaded from the program
// directory, its entry points looked up by name, and unloaded when the binding ends (the
// system keeps it mapped after its first load, so later walks bind it quickly).
// A missing library or entry point is an error result, never a call through null.
#include "decoder/decodeerror.h"
#include "decoder/morvik.h"

#include <cstdint>
#include <initializer_list>
#include <string>

namespace kes {

// The library's entry points, one bit each, to say which a walk needs.
enum MorvikExport : std::uint16_t {
    kExpDataToLxObj = 1u << 0,
    kExpDatatoObjInfo = 1u << 1,
    kExpDataToPgJmp = 1u << 2,
    kExpDataToPgFunKey = 1u << 3,
    kExpDataToPgSys = 1u << 4,
    kExpDataToPgHide = 1u << 5,
    kExpDataToPLCValSet = 1u << 6,
    kExpDataToMacPowerOn = 1u << 7,
    kExpDataToParaDataSet = 1u << 8,
};

// The entry points a walk fetched; the ones it did not ask for stay null.
struct MorvikFns {
    DataToLxObjFn DataToLxObj = nullptr;
    DatatoObjInfoFn DatatoObjInfo = nullptr;
    DataToPgJmpFn DataToPgJmp = nullptr;
    DataToPgFunKeyFn DataToPgFunKey = nullptr;
    DataToPgSysFn DataToPgSys = nullptr;
    DataToPgHideFn DataToPgHide = nullptr;
    DataToPLCValSetFn DataToPLCValSet = nullptr;
    DataToMacPowerOnFn DataToMacPowerOn = nullptr;
    DataToParaDataSetFn DataToParaDataSet = nullptr;
};

class MorvikLib {
public:
    MorvikLib() = default;
    ~MorvikLib() { Close(); }
    MorvikLib(const MorvikLib&) = delete;
    MorvikLib& operator=(const MorvikLib&) = delete;

    // Loads the library from path (LibraryPath() when empty) and fetches the entry points
    // of the mask. On failure nothing stays loaded and Detail() says what was missing.
    DecodeError Open(unsigned exports, const std::string& path = {});
    void Close();
    bool IsOpen() const { return handle_ != nullptr; }
    // The module handle while open (the page's DataLib).
    void* Handle() const { return handle_; }

    const MorvikFns& Fns() const { return fns_; }
    const std::string& Detail() const { return detail_; }

    // The library beside the program: AppDir() + "libMorvik.so".
    static std::string LibraryPath();

private:
    void* handle_ = nullptr;
    MorvikFns fns_;
    std::string detail_;
};

} // namespace kes
