#pragma once
// The check-result window: one line per finding of the project check; a double click opens
// the page the line names and selects the object it names.
#include <QWidget>

#include <optional>
#include <string>
#include <vector>

class QDockWidget;
class QListWidget;

namespace kes {

// What a result line names: "[Error]<text> [<x>,<y>] (<page word> <page>) : <message>".
struct CheckLineTarget {
    bool System = false; // a line about the system settings: the first page opens
    int Page = -1;
    bool HasObject = false;
    std::string Text;
    int X = 0, Y = 0;
};
// Reads a line as the double click does: the English "Page number" opens its page; the
// object's position is read only when the line also holds pageWord (the language's word);
// a line with "System" opens the first page. Nothing when the line names neither or its
// page number is not a number.
std::optional<CheckLineTarget> ParseCheckLine(const std::string& line, const std::string& pageWord);

class PageWindows;
class ProjectDoc;

} // namespace kes

class TFrmMsgShow : public QWidget {
public:
    // The lines name pages of doc; a double click opens them in pages.
    TFrmMsgShow(QWidget* owner, const kes::ProjectDoc& doc, kes::PageWindows& pages);

    QListWidget* lsbChk = nullptr;
    bool Closing = false;
    // Where a double click opens its page and selects its object.
    kes::PageWindows* Pages;

    void SetLines(const std::vector<std::string>& lines);
    void FormShow();
    void lsbChkDblClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    const kes::ProjectDoc& doc_;
};

namespace kes {
// Shows the lines in the check-result window, docked in the bottom panel dock or floating as
// the project's layout says: the one the dock holds, or a new one owned by owner; the window,
// or null when there are no lines.
TFrmMsgShow* ShowCheckResult(QWidget* owner, QDockWidget* dock, const ProjectDoc& doc, PageWindows& pages,
                             const std::vector<std::string>& lines);
} // namespace kes
