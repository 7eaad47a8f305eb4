#pragma once
// Dialogs a test stands in for object kinds' settings dialogs, handed to what opens them (a
// DialogContext's Dialogs, a page host, the started window's StartupOptions::dialogs): a kind
// without a stand-in opens the kind table's dialog.
#include "app/dialogs/objdialogs.h"

#include <map>

namespace kes::test {

class StandInDialogs : public ObjDialogFinder {
public:
    // dialog opens for kind from now on; an empty one gives the table's back.
    void StandIn(ObjKind kind, ObjDialog dialog)
    {
        if (dialog)
            standIns_[kind] = std::move(dialog);
        else
            standIns_.erase(kind);
    }
    ObjDialog Find(ObjKind kind) const override
    {
        const auto it = standIns_.find(kind);
        return it != standIns_.end() ? it->second : ObjDialogFinder::Find(kind);
    }

private:
    std::map<ObjKind, ObjDialog> standIns_;
};

} // namespace kes::test
