// Shared drawing steps of the drawn kinds.
#include "objects/lxshapekit.h"

#include "objects/lxtextkit.h"

namespace kes {

bool BeginPanelPicture(TLxObj& obj)
{
    if (obj.Picture.Width() < 1 || obj.Picture.Height() < 1)
        return false;
    ShrinkToPanel(obj);
    TCanvas& c = *obj.Picture.Canvas();
    const TBrush brush = c.Brush;
    c.Brush = TBrush{};
    c.FillRect(Rect(0, 0, obj.Picture.Width(), obj.Picture.Height()));
    c.Brush = brush;
    return true;
}

} // namespace kes
