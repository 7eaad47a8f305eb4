#pragma once
// How a transfer over the panel link ends, kept apart by what went wrong: the panel refused,
// what arrived was no reply, nothing arrived, the project does not fit the panel, a file is
// missing. The engine reports these; only a window turns them into messages. The texts are
// for logs and tests.
namespace kes {

enum class LinkError {
    None,    // the transfer finished
    Stopped, // ended on purpose (the program is closing): nothing to say
    // The panel answered and refused.
    PanelRefused, // an error reply (its function byte has bit 7 set)
    BaudRefused,  // the set-baud reply does not echo the rate asked for
    WrongModel,   // the panel is another panel model than the project's
    OldFirmware,  // the panel's firmware is older than the link supports
    // What arrived is no reply.
    BadLrc,     // a reply line whose sum does not check, or too short to be a reply
    RxOverflow, // more characters than a reply line holds
    BadUpload,  // an uploaded system block or page table that cannot describe a project
    PanelEmpty, // an upload from a panel that holds no project (an erased system block)
    BadProject, // what an upload read does not read as a project (see UploadProblem)
    // Nothing arrived.
    NoReply, // no reply to a request sent again as often as allowed
    // The project does not fit the panel.
    NoRoom, // an image, page table, system block or firmware larger than its area
    // Files.
    FirmwareMissing, // the firmware file is missing or cannot be read
};

inline const char* LinkErrorText(LinkError e)
{
    switch (e) {
    case LinkError::None:
        return "the transfer finished";
    case LinkError::Stopped:
        return "the transfer was stopped";
    case LinkError::PanelRefused:
        return "the panel refused a request";
    case LinkError::BaudRefused:
        return "the panel did not take the baud rate";
    case LinkError::WrongModel:
        return "the panel is another model than the project's";
    case LinkError::OldFirmware:
        return "the panel's firmware is too old";
    case LinkError::BadLrc:
        return "a reply failed its check sum";
    case LinkError::RxOverflow:
        return "a reply ran past the receive buffer";
    case LinkError::BadUpload:
        return "the panel's system block or page table cannot be right";
    case LinkError::PanelEmpty:
        return "the panel holds no project";
    case LinkError::BadProject:
        return "what the panel holds does not read as a project";
    case LinkError::NoReply:
        return "the panel did not reply";
    case LinkError::NoRoom:
        return "the data does not fit the panel's memory";
    case LinkError::FirmwareMissing:
        return "the firmware file is missing";
    }
    return "unknown link error";
}

} // namespace kes
