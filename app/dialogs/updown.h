#pragma once
// An up-down control beside an edit: two small arrow buttons that step a position within
// Min..Max and report the step. Owners that wrap round give it a range one past each end
// of theirs and put the position back in their handler.
#include <QWidget>

#include <functional>

class QToolButton;

namespace kes {

class TUpDown : public QWidget {
public:
    explicit TUpDown(QWidget* parent);

    int Min = 0;
    int Max = 100;
    int Position = 0;
    // After a step: up is true for the upper button. Position is already moved by one.
    std::function<void(bool up)> OnClick;

    // What a press of a button does: move by one within Min..Max, then report.
    void Click(bool up);

    QToolButton* UpBtn = nullptr;
    QToolButton* DownBtn = nullptr;
};

} // namespace kes
