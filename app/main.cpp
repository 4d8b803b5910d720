#include "app/MainWindow.h"
#include "app/QtTranslations.h"
#include "app/StartOptions.h"

#include <QApplication>

#include <csignal>
#include <iostream>

int main(int argc, char* argv[])
{
    // Over a file size limit a save then fails with its message instead of the signal ending the
    // editor with the unsaved edits.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication application(argc, argv);
    td::InstallQtTranslations(application);
    // Lets the desktop match the window to the installed entry, for its icon in docks.
    QGuiApplication::setDesktopFileName("timeline-draft");
    std::string error;
    const auto options = td::ParseStartOptions(application.arguments().mid(1), error);
    if (!options) {
        std::cerr << "timeline-draft: " << error << "\n" << td::StartUsage << "\n";
        return 2;
    }
    td::MainWindow window;
    window.show();
    window.OfferRecoveredPlans();
    window.OpenFiles(options->files);
    window.ShowView(options->zoom, options->firstDate);
    return application.exec();
}
