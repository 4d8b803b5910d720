#include "app/MainWindow.h"

#include <QApplication>
#include <QFile>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    // Lets the desktop match the window to the installed entry, for its icon in docks.
    QGuiApplication::setDesktopFileName("timeline-draft");
    td::MainWindow window;
    window.show();
    std::vector<std::string> paths;
    for (const QString& argument : application.arguments().mid(1))
        paths.push_back(QFile::encodeName(argument).toStdString());
    window.OpenFiles(paths);
    return application.exec();
}
