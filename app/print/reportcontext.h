#pragma once
// What the print and cross-reference windows take from the main window: the project, the model
// form, its prompt, the menu captions they print, where the project's files lie, what opens a
// written file and the screens the preview is fitted into. The main window's commands fill one before they open a
// window (printcommands.cpp); tests fill their own.
#include "app/print/objdatarows.h"
#include "app/print/printjob.h"
#include "app/ui/screenfit.h"

#include <string>

namespace kes {

class FileOpener;
class LxTypeCore;
class ProjectDoc;
class Prompt;

struct ReportContext {
    ReportContext(ProjectDoc& doc, const LxTypeCore& lx, Prompt& ask) : Doc(doc), Lx(lx), Ask(ask) {}

    ProjectDoc& Doc;
    const LxTypeCore& Lx;
    Prompt& Ask;                  // what the windows and their dialogs ask the user through
    PrintNames Print;             // titles and headings taken from menu captions
    ObjDataNames ObjData;         // setting and page names of the cross-reference rows
    std::string DocDir;           // the project's folder (in the code page), where exports and PDF files are offered
    std::string ObjDataDb;        // the cross-reference database; empty: the user's data folder
    FileOpener* Opener = nullptr; // shows a written text table; none: it is not shown
    ScreenArea Screen;            // the screens the preview is fitted into
};

} // namespace kes
