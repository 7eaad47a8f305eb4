#pragma once
// The splash window shown while the program starts: the splash picture with the version.
#include <QWidget>

class QLabel;

class TLogo : public QWidget {
public:
    explicit TLogo(QWidget* owner = nullptr);

    QLabel* Image1 = nullptr;
    QLabel* Label6 = nullptr; // version number
    QLabel* Label2 = nullptr; // "Version"

    // Loads the picture from AppDir + "SplashPageZQ.jpg" (a missing picture leaves it blank).
    void FormCreate();
};
