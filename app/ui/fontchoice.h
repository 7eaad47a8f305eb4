#pragma once
// The desktop font dialog for a panel object's font, shared by the inspector and the settings
// dialogs. It runs through the prompt seam under its component name, so tests answer it.
#include <QFont>
#include <QString>

class QWidget;
struct TFont;

namespace kes {

class Prompt;

// A panel object's font as the desktop shows it.
QFont ToQFont(const TFont& font);
// The font dialog, starting from font, run through prompt; on OK font takes the choice (name,
// size, style). dialogName is the dialog's component name: the inspector's and the settings
// dialogs' FontDialog, the main window's FontTypeDlg.
bool ChooseFont(Prompt& prompt, QWidget* parent, TFont& font, const QString& dialogName = QStringLiteral("FontDialog"));

} // namespace kes
