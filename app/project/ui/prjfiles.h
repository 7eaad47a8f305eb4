#pragma once
// The open project's files as the main window uses them on its own steps: saving the project
// before a close, the automatic working copy, opening the project the open dialog names (the
// command line's) and the user-menu mode's save question. The main window uses the project
// commands' own (HostProjectFiles over its ProjectCommandsHost) unless it is handed others.
namespace kes {

class ProjectCommandsHost;

class ProjectFiles {
public:
    virtual ~ProjectFiles() = default;
    // Builds the image and saves the project; false when it was not saved (the save dialog
    // cancelled, the image lost a page, a write failed).
    virtual bool SaveProject() = 0;
    // Writes the working copy under DocFiles; false after a message when it failed.
    virtual bool WriteWorkingCopy() = 0;
    // Opens the project named in OpenDlg (project file, page titles, start-up screen); false
    // after a message when it could not be read.
    virtual bool ReadProjectFiles() = 0;
    // 6 written, 7 not written, 2 cancelled.
    virtual int SaveUserMenu() = 0;
};

// The project commands (prjcommands.h) on what host lends them.
class HostProjectFiles : public ProjectFiles {
public:
    explicit HostProjectFiles(ProjectCommandsHost& host) : host_(host) {}

    bool SaveProject() override;
    bool WriteWorkingCopy() override;
    bool ReadProjectFiles() override;
    int SaveUserMenu() override;

private:
    ProjectCommandsHost& host_;
};

} // namespace kes
