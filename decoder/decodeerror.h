#pragma once
// Why a walk over page records stopped. Shared by the decoder library and the program's
// readers; the texts are for logs and the messages the callers build around them.
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

inline const char* DecodeErrorText(DecodeError e)
{
    switch (e) {
    case DecodeError::None:
        return "no error";
    case DecodeError::LibraryMissing:
        return "the decoder library could not be loaded";
    case DecodeError::ExportMissing:
        return "the decoder library lacks an entry point";
    case DecodeError::BadRange:
        return "the data range lies outside its buffer";
    case DecodeError::ShortHead:
        return "a record head is cut off at the end of the data";
    case DecodeError::ZeroLength:
        return "a record has a length of zero";
    case DecodeError::LengthPastEnd:
        return "a record's length runs past the end of the data";
    case DecodeError::UnknownKind:
        return "an object record of a kind that cannot be read";
    case DecodeError::Truncated:
        return "a record holds fewer bytes than its contents need";
    case DecodeError::KeyIndexRange:
        return "a function-key record names a key outside F0 to Right";
    case DecodeError::SlotRange:
        return "a buzzer or alarm lamp record names neither slot";
    case DecodeError::BadContent:
        return "a record holds a count or size out of range";
    case DecodeError::NoProgress:
        return "a record was not consumed";
    case DecodeError::Internal:
        return "the decoder failed unexpectedly";
    }
    return "unknown decoder error";
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
