#include "view/TextCache.h"

#include <gtest/gtest.h>

namespace td {
namespace {

// One redraw asking for `count` labels numbered from `first`; returns how many were not kept.
int Redraw(TextCache<int>& cache, int first, int count)
{
    cache.BeginPass();
    int misses = 0;
    for (int n = first; n < first + count; ++n) {
        TextKey key{14 << 16 | 400, 0, QString::number(n)};
        if (!cache.Find(key)) {
            ++misses;
            cache.Insert(key, n);
        }
    }
    return misses;
}

// Every label of a screen of many is kept from one redraw to the next; labels scrolled out of
// sight are let go.
TEST(TextCache, KeepsAScreenOfLabelsAndLetsScrolledOutOnesGo)
{
    TextCache<int> cache;
    Redraw(cache, 0, 20000);
    EXPECT_EQ(Redraw(cache, 0, 20000), 0);
    for (int screen = 0; screen < 50; ++screen)
        Redraw(cache, screen * 3000, 3000);
    EXPECT_LE(cache.Size(), 4u * 3000);
}

}  // namespace
}  // namespace td
