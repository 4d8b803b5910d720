#pragma once

#include "model/Workspace.h"
#include "tests/model/WorkspaceTestSupport.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>

namespace td::testing {

// A control of a dialog by its object name; fails the test when it is missing.
template <typename Widget>
Widget* Control(QWidget* dialog, const char* name)
{
    auto* widget = dialog->findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

inline void Click(QWidget* dialog, const char* name) { QTest::mouseClick(Control<QAbstractButton>(dialog, name), Qt::LeftButton); }
inline QString Shown(QWidget* dialog, const char* list) { return Control<QComboBox>(dialog, list)->currentText(); }

// A project or schedule document of one row whose items are all selected, in the given order.
struct SelectedWorkspace {
    SelectedWorkspace(int kind, std::initializer_list<ChartItem> items)
    {
        ws.AddDocument(kind);
        for (const ChartItem& item : items)
            ws.SelectItem(0, ws.AddItem(0, item));
    }
    ChartItem Selected(int n) const { return fixtures::SelectedItem(ws, 0, n); }

    Workspace ws;
};

inline ChartItem Item(int type, Color lineColor = 0, const char* text = "")
{
    ChartItem item = fixtures::Task(0, 1, 10, 12);
    item.type = type;
    item.lineColor = lineColor;
    item.textSize = 14;
    item.textWeight = 400;
    std::snprintf(item.text, sizeof item.text, "%s", text);
    return item;
}

}  // namespace td::testing
