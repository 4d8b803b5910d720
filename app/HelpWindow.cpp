#include "app/HelpWindow.h"

#include <QFile>
#include <QTextBrowser>
#include <QUrl>

namespace td {

HelpWindow::HelpWindow(QString indexPage)
    : indexPage(std::move(indexPage))
{
}

HelpWindow::~HelpWindow() = default;

int HelpWindow::Show(QWidget* owner)
{
    if (failed)
        return 0;
    if (!browser) {
        if (!QFile::exists(indexPage)) {
            failed = true;
            return 0;
        }
        browser = std::make_unique<QTextBrowser>();
        // The help pages never keep the program running once the main window has gone.
        browser->setAttribute(Qt::WA_QuitOnClose, false);
        browser->setWindowTitle("Timeline Draft ヘルプ");
        browser->setOpenLinks(true);
        browser->setSource(QUrl(indexPage.startsWith(':') ? "qrc" + indexPage : QUrl::fromLocalFile(indexPage).toString()));
        if (owner)
            browser->resize(owner->width() / 2, owner->height() * 3 / 4);
    }
    browser->show();
    browser->raise();
    return 1;
}

}  // namespace td
