#pragma once
// The dialogs behind the inspector's "..." buttons: the picture-file dialog is the
// inspector's own, the font dialog the UI base's (app/ui/fontchoice.h).
#include "app/ui/fontchoice.h"

#include <QString>

class QWidget;

namespace kes {

class Prompt;

// The open-picture dialog ("Bitmaps (*.bmp)"), run through prompt; on OK fileName is the chosen
// file.
bool ChooseBitmapFile(Prompt& prompt, QWidget* parent, QString& fileName);

} // namespace kes
