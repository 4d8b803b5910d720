#pragma once

#include "AppFakes.h"
#include "TempDir.h"
#include "app/CommandId.h"
#include "app/MainWindow.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

namespace td::fakes {

// The real main window, shown at 1200 x 700, answering its dialogs from the fakes.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<MainWindow>(WindowServices { &chooser, &boxes });
        window->resize(1200, 700);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    // Hands the modal dialog that the next step opens, or null when none opened, to `answer`.
    template <typename Answer>
    static void AnswerNextDialog(Answer answer)
    {
        QTimer::singleShot(0, [answer] { answer(QApplication::activeModalWidget()); });
    }

    Workspace& Model() { return window->Model(); }
    ChartView& View() { return window->View(); }
    void AddDocument(int kind) { Model().AddDocument(kind), View().DocumentAdded(kind); }
    void MarkModified(int doc, const std::string& path)
    {
        std::snprintf(Model().Doc(doc)->Path(), PathSize, "%s", path.c_str());
        Model().Doc(doc)->SetModState(Modified);
    }

    testing::TempDir dir;
    FakeFileChooser chooser;
    FakeMessageBoxes boxes;
    std::unique_ptr<MainWindow> window;
};

}  // namespace td::fakes
