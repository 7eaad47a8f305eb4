#pragma once
// The windows of other subsystems that the main window makes on its own steps: its two tool
// windows (the page tree and the object inspector, made while they are switched on) and the key
// settings window of the keypad types. The main window makes its own (MainShellWindows) unless
// it is handed others.
class QWidget;
class TKhm;

namespace kes {

class ShellWindows {
public:
    virtual ~ShellWindows() = default;
    // A new window of the main window's; null when none can be made now.
    virtual QWidget* CreatePageTree() = 0;
    virtual QWidget* CreateObjInspector() = 0;
    virtual QWidget* CreateKeySetting() = 0;
};

// The main window's own, each made where its subsystem is wired: the page tree in
// shelltools.cpp, the inspector in tkhm_inspector.cpp, the key settings in tkhm_commwin.cpp.
class MainShellWindows : public ShellWindows {
public:
    explicit MainShellWindows(TKhm& khm) : khm_(khm) {}

    QWidget* CreatePageTree() override;
    QWidget* CreateObjInspector() override;
    QWidget* CreateKeySetting() override;

private:
    TKhm& khm_;
};

} // namespace kes
