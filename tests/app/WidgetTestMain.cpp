#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

// The widget tests run under one application, on the offscreen platform: the window tests
// measure the pixels of windows of a fixed size.
int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
