// The one owner template behind every handle kind, and the guard that
// undoes a selection into a device context.
#include "fw/handle.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

namespace gd::test {
namespace {

// Handles as plain integers, with a record of every close.
struct CountingTraits {
    using Type = int;
    static Type Invalid() { return 0; }
    static void Close(Type h) { closed.push_back(h); }
    static inline std::vector<int> closed;
};
using Counted = Handle<CountingTraits>;

class HandleTest : public ::testing::Test {
  protected:
    void SetUp() override { CountingTraits::closed.clear(); }
    const std::vector<int>& closed() { return CountingTraits::closed; }
};

TEST_F(HandleTest, EachHandleIsClosedExactlyOnce) {
    {
        Counted a(1);
        Counted b(std::move(a));
        EXPECT_FALSE(a);
        EXPECT_EQ(b.get(), 1);
        Counted c(2);
        c = std::move(b);  // closes 2, takes 1
        EXPECT_EQ(closed(), std::vector<int>{2});
        c = std::move(c);  // self-move keeps the handle
        EXPECT_EQ(c.get(), 1);
        c.reset(3);    // closes 1
        c.reset(3);    // the same handle again: nothing to close
        *c.put() = 4;  // put closes 3 first
        int given = c.release();
        EXPECT_EQ(given, 4);
        EXPECT_FALSE(c);
        Counted none;
        none.reset();
    }
    EXPECT_EQ(closed(), (std::vector<int>{2, 1, 3}));
}

}  // namespace
}  // namespace gd::test
