#pragma once
// The open project as the main window holds it: the project state, the stored pages, the
// start-up screen and the user-menu screens, and the compiled panel memory image. Everything
// that reads or writes project files, builds the image or checks the project works on it,
// without windows; the program owns one and the main window works on it.
#include "app/model/projectstate.h"
#include "app/project/dochost.h"
#include "app/project/pgdatastr.h"
#include "app/project/projecterror.h"
#include "platform/bytes.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kes {

struct WriteWatch;

using PgDataVector = std::vector<std::unique_ptr<PgDataStr>>;

class ProjectDoc : public ProjectState {
public:
    ProjectDoc();
    ~ProjectDoc();
    ProjectDoc(const ProjectDoc&) = delete;
    ProjectDoc& operator=(const ProjectDoc&) = delete;

    // ---- Stored pages (the list owns its records)
    PgDataVector PgDataList;      // pages, in page order
    PgDataVector ImagePgDataList; // user-menu screens
    std::unique_ptr<PgDataStr> StartScreenData = std::make_unique<PgDataStr>();

    // ---- The panel memory image of the last build
    Bytes MemImage;                      // sized to the model's area, 0xFF where unused
    std::int32_t MemImageLen = 0;        // used length: header and pages
    std::vector<std::string> OffsetList; // page starts as decimal texts, then the end
    std::int32_t ImageHeaderLen = 0;
    std::vector<std::string> UserMenuOffsetList;

    // ---- The program around the document (given at start-up; null: headless use)
    void SetHost(DocHost* host) { host_ = host; }
    DocHost* Host() const { return host_; }
    // The open editors store what they hold into the records (before a build or save reads them).
    // The host's edit mode; the page windows' without a host.
    Editing EditMode() const { return host_ ? host_->EditMode() : Editing::Pages; }
    void SetEditMode(Editing m) const
    {
        if (host_)
            host_->SetEditMode(m);
    }
    void StoreActivePage() const
    {
        if (host_)
            host_->StoreActivePage();
    }
    void StoreStartScreen() const
    {
        if (host_)
            host_->StoreStartScreen();
    }
    // Shows message n of the message table; dropped without a host.
    void Report(int n) const
    {
        if (host_)
            host_->ShowMsg(n);
    }
    // Handed to the writer of every save of the project's files (tests: a full disk, a kill
    // after a step); none in the program.
    const WriteWatch* SaveWatch = nullptr;

    // ---- System records that the image header fills, each to "none"
    void ResetSysFunKeys();
    void ResetSysPgSys();
    void ClearSysPgJumps() { SysPgJumps.clear(); }
    void ResetSysClockWrite() { InitDevRef(SysClockWrite.Ref); }
    // All records the image header carries: keys, parameter set, buzzer and lamp, jumps,
    // clock write and power-on macro.
    void ResetHeaderRecords();
    // The default password of a new project in every slot, level 0.
    void ResetUserPasswords();
    // Every system record (new project, close), in the order closing a project resets them.
    void ResetSystemRecords();

private:
    DocHost* host_ = nullptr;
};

// The offset list's texts as numbers; false when one is not a decimal number of 32 bits.
bool OffsetsOf(const std::vector<std::string>& list, std::vector<std::uint32_t>& out);

} // namespace kes
