#pragma once

#include <QString>

#include <memory>

class QTextBrowser;
class QWidget;

namespace td {

// Shows the help pages. As with a help viewer that cannot be loaded, a failure to find the
// pages is silent and is never retried.
class HelpWindow {
public:
    explicit HelpWindow(QString indexPage = QStringLiteral(":/help/index.html"));
    ~HelpWindow();
    // 1 when the pages are shown, 0 after a failure.
    int Show(QWidget* owner);
    bool Failed() const { return failed; }
    QTextBrowser* Browser() const { return browser.get(); }

private:
    QString indexPage;
    std::unique_ptr<QTextBrowser> browser;
    bool failed = false;
};

}  // namespace td
