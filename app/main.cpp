#include <QApplication>
#include <QMessageBox>

namespace kes { const char* ProductName(); }

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(kes::ProductName());
    QMessageBox::information(nullptr, kes::ProductName(), "Kestrova: the main window is not built yet.");
    return 0;
}
