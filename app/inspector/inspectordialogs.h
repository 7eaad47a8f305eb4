#pragma once
// The dialogs behind the inspector's "..." buttons. The picture-file dialog is the
// inspector's own, the font dialog the UI base's (app/ui/fontchoice.h); the text-lines and device-address dialogs belong to other parts of
// the program, which register them here by row class. A button whose dialog is not
// registered does nothing.
#include "app/ui/fontchoice.h"

#include <QString>

#include <cstdint>
#include <functional>

class QWidget;
class TDlgProp;
class TPropBase;
struct TFont;

namespace kes
{

// Returns true when it changed the row; the inspector then writes the rows to the object.
using RowDialog = std::function<bool(TDlgProp& inspector, TPropBase& row)>;

// Registers (or, with an empty function, removes) the dialog of a row class.
void RegisterRowDialog(std::uint8_t propType, RowDialog dialog);
// The dialog registered for a row class, or null.
const RowDialog* FindRowDialog(std::uint8_t propType);

// The open-picture dialog ("Bitmaps (*.bmp)"); on OK fileName is the chosen file.
bool ChooseBitmapFile(QWidget* parent, QString& fileName);

} // namespace kes
