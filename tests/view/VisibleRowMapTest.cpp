#include "ChartFixture.h"

#include "view/VisibleRowMap.h"

#include <gtest/gtest.h>

namespace td {
namespace {

// The painters look rows up through the map instead of the workspace's scan; every answer must
// be the scan's, for hidden rows, repeated ids and the far-apart ids of a damaged file too.
TEST(VisibleRowMap, AnswersAsTheWorkspaceFindsRows)
{
    ChartFixture f;
    f.AddProject({1, 1, 1, 1, 1, 1});
    f.AddProject({1, 1, 1, 1});
    Workspace& workspace = f.workspace;
    workspace.RowAt(2)->state = RowHidden;
    workspace.RowAt(3)->id = 1 << 30;
    workspace.RowAt(4)->id = -7;
    workspace.RowAt(5)->id = workspace.RowAt(1)->id;
    workspace.RowAt(8)->id = 1 << 30;
    for (int doc = 0; doc < workspace.DocumentCount(); ++doc) {
        const VisibleRowMap rows(workspace, doc);
        for (int32_t id : {-7, 0, 1, 2, 3, 4, 5, 6, 1 << 30, (1 << 30) - 1, 99}) {
            EXPECT_EQ(rows.Find(id), workspace.FindVisibleRow(doc, id))
                << "document " << doc << " row id " << id;
        }
    }
}

}  // namespace
}  // namespace td
