#pragma once
// Qt's own texts (the standard buttons of every question, the file, font and print dialogs)
// in the program's language, from the translations Debian ships with Qt: Traditional and
// Simplified Chinese have one, English is Qt's own. The few texts those translations lack (the
// file dialog's kinds of entry) come from the message table.

namespace kes {

// Puts Qt's translation for the language (a LangIndex) in force, in place of the one before;
// nothing happens when it is in force already. False when the language's translation file is
// not installed: Qt's texts are English then.
bool UseQtLanguage(int langIndex);

} // namespace kes
