// The page list's previews come from the hidden renderer over the main window's records.
#include "app/project/pagehooks.h"
#include "app/project/tprntmp.h"
#include "app/project/ui/tlxtype.h"
#include "app/shell/tkhm.h"

namespace kes {

void InstallPageRenderer()
{
    // The windows are looked up at each call, so the hook outlives neither of them.
    PageHooks().RenderPage = [](int index) {
        return Khm && LxType ? RenderStoredPage(Khm->Doc, *LxType, index) : QImage();
    };
}

} // namespace kes
