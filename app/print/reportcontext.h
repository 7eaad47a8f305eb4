#pragma once
// What the print and cross-reference windows take from the main window: the project, the model
// form, the menu captions they print, where the project's files lie and what opens a written
// file. The main window's commands fill one before they open a window (printcommands.cpp);
// tests fill their own.
#include "app/print/objdatarows.h"
#include "app/print/printjob.h"

#include <string>

namespace kes {

class FileOpener;
class LxTypeCore;
class ProjectDoc;

struct ReportContext {
    ReportContext(ProjectDoc& doc, const LxTypeCore& lx) : Doc(doc), Lx(lx) {}

    ProjectDoc& Doc;
    const LxTypeCore& Lx;
    PrintNames Print;             // titles and headings taken from menu captions
    ObjDataNames ObjData;         // setting and page names of the cross-reference rows
    std::string DocDir;           // the project's folder, where exports and PDF files are offered
    std::string ObjDataDb;        // the cross-reference database; empty: the user's data folder
    FileOpener* Opener = nullptr; // shows a written text table; none: it is not shown
};

} // namespace kes
