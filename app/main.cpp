// Kestrova: the panel design tool.
#include "app/project/projectdoc.h"
#include "app/shell/startup.h"
#include "app/shell/tkhm.h"
#include "platform/codepage.h"

#include <QApplication>
#include <QMessageBox>

#include <exception>

int main(int argc, char** argv)
{
    kes::InitAnsiCodePage();
    QApplication app(argc, argv);
    try {
        // The open project belongs to the program; the main window works on it.
        kes::ProjectDoc doc;
        kes::StartupOptions options;
        options.arguments = QApplication::arguments().mid(1);
        const kes::Started started = kes::StartUp(doc, options);
        TKhm* const window = started.window;
        window->show();
        window->activateWindow();
        // The window's first activation sets its commands by the project state: with no
        // project only those that start or open one can be chosen.
        window->FormActivate();
        // The splash stays in front of the main window until it goes.
        if (started.splash)
            started.splash->raise();
        const int rc = QApplication::exec();
        delete window;
        return rc;
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QApplication::applicationName(), QString::fromLocal8Bit(e.what()));
        return 1;
    }
}
