#pragma once
// The decoder library bound for one header read, with its six header entry points. A
// missing library or entry point leaves Decoders() incomplete, which the header reader
// treats as "nothing to read".
#include "app/project/imageheader.h"
#include "app/project/morvikload.h"

#include <string>

namespace kes {

class HeaderLib {
public:
    // Loads path, or the library beside the program when path is empty.
    explicit HeaderLib(const std::string& path = {});
    HeaderLib(const HeaderLib&) = delete;
    HeaderLib& operator=(const HeaderLib&) = delete;

    bool Loaded() const { return dec_.Complete(); }
    const HeaderDecoders& Decoders() const { return dec_; }

private:
    MorvikLib lib_;
    HeaderDecoders dec_;
};

} // namespace kes
