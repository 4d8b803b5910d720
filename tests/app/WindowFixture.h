#pragma once

#include "AppFakes.h"
#include "TempDir.h"
#include "app/MainWindow.h"

#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace td::fakes {

// The real main window, shown at 1200 x 700, answering its dialogs from the fakes.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<MainWindow>(WindowServices { &chooser, &boxes, dir.Path("recovery") });
        window->resize(1200, 700);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    testing::TempDir dir;
    FakeFileChooser chooser;
    FakeMessageBoxes boxes;
    std::unique_ptr<MainWindow> window;
};

}  // namespace td::fakes
