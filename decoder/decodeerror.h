#pragma once
// Why a walk over page records stopped. Shared by the decoder library and the program's
// readers, which return the code; the window that tells the user words it from the message
// table (app/ui/errortext.h).
#include "decoder/morvik.h"

namespace kes {

enum class DecodeError {
    None,
    LibraryMissing, // the decoder library could not be loaded
    ExportMissing,  // the library lacks an entry point the walk needs
    BadRange,       // start and end do not lie inside the buffer
    ShortHead,      // fewer bytes left than a record head needs
    ZeroLength,     // a stored length of 0, or below the record head
    LengthPastEnd,  // a stored length that runs past the end of the data
    UnknownKind,    // an object kind the decoder cannot read
    Truncated,      // a body that needs more bytes than its record holds
    KeyIndexRange,  // a function-key index outside 0..13
    SlotRange,      // a buzzer or alarm record for neither slot
    BadContent,     // a count or size the format does not allow (more than 100
                    // geometry points, 20 page jumps, a box past any panel)
    NoProgress,     // a decoder consumed nothing
    Internal,       // an unexpected failure inside the decoder
};

// The code's name ("LengthPastEnd"), for logs and test output.
inline const char* DecodeErrorName(DecodeError e)
{
    switch (e) {
    case DecodeError::None:
        return "None";
    case DecodeError::LibraryMissing:
        return "LibraryMissing";
    case DecodeError::ExportMissing:
        return "ExportMissing";
    case DecodeError::BadRange:
        return "BadRange";
    case DecodeError::ShortHead:
        return "ShortHead";
    case DecodeError::ZeroLength:
        return "ZeroLength";
    case DecodeError::LengthPastEnd:
        return "LengthPastEnd";
    case DecodeError::UnknownKind:
        return "UnknownKind";
    case DecodeError::Truncated:
        return "Truncated";
    case DecodeError::KeyIndexRange:
        return "KeyIndexRange";
    case DecodeError::SlotRange:
        return "SlotRange";
    case DecodeError::BadContent:
        return "BadContent";
    case DecodeError::NoProgress:
        return "NoProgress";
    case DecodeError::Internal:
        return "Internal";
    }
    return "?";
}

// The error a negative decoder result stands for.
inline DecodeError DecodeErrorOfResult(int result)
{
    switch (result) {
    case kDecUnknownKind:
        return DecodeError::UnknownKind;
    case kDecTruncated:
        return DecodeError::Truncated;
    case kDecBadContent:
        return DecodeError::BadContent;
    case kDecOtherSlot:
        return DecodeError::NoProgress;
    default:
        return DecodeError::Internal;
    }
}

} // namespace kes
