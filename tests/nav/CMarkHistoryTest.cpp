#include <gtest/gtest.h>

#include <vector>

#include "nav/CMarkHistory.h"

namespace {

using Sel = CMarkHistory::Selection;

std::vector<Sel> Entries(const CMarkHistory& h) {
    std::vector<Sel> v;
    for (int i = 0; i < h.MarkCount(); ++i) {
        v.push_back(h.Entry(i));
    }
    return v;
}

const Sel P{1, 1}, Q{20, 25}, R{30, 30}, S{40, 44};

}  // namespace

TEST(CMarkHistory, EmptyHistoryRefusesBothWays) {
    CMarkHistory h;
    Sel out{7, 7};
    EXPECT_FALSE(h.Back(&out));
    EXPECT_FALSE(h.Forward(&out));
    EXPECT_EQ(h.MarkPos(), 0);
    EXPECT_EQ(h.MarkCount(), 0);
    EXPECT_EQ(out, (Sel{7, 7}));
}

TEST(CMarkHistory, BackAndForwardWalkTheEntries) {
    CMarkHistory h;
    h.Mark(P);
    h.Mark(Q);
    Sel out;
    ASSERT_TRUE(h.Back(&out));
    EXPECT_EQ(out, Q);
    ASSERT_TRUE(h.Back(&out));
    EXPECT_EQ(out, P);
    EXPECT_FALSE(h.Back(&out));
    ASSERT_TRUE(h.Forward(&out));
    EXPECT_EQ(out, Q);
    // Past the newest entry: refused, and the position returns to the end,
    // so the next Back goes to the newest entry again.
    EXPECT_FALSE(h.Forward(&out));
    EXPECT_EQ(h.MarkPos(), 2);
    ASSERT_TRUE(h.Back(&out));
    EXPECT_EQ(out, Q);
}

TEST(CMarkHistory, MarkAfterBackReplacesAndDiscardsLaterEntries) {
    CMarkHistory once;
    Sel out;
    for (Sel s : {P, Q, R}) {
        once.Mark(s);
    }
    once.Back(&out);
    once.Mark(S);
    EXPECT_EQ(Entries(once), (std::vector<Sel>{P, Q, S}));

    CMarkHistory twice;
    for (Sel s : {P, Q, R}) {
        twice.Mark(s);
    }
    twice.Back(&out);
    twice.Back(&out);
    EXPECT_EQ(out, Q);
    twice.Mark(S);
    EXPECT_EQ(Entries(twice), (std::vector<Sel>{P, S}));
    EXPECT_FALSE(twice.Forward(&out));
}

TEST(CMarkHistory, ElevenMarksDropTheOldest) {
    CMarkHistory h;
    for (int i = 0; i < 11; ++i) {
        h.Mark({i, i + 1});
    }
    EXPECT_EQ(h.MarkCount(), 10);
    EXPECT_EQ(h.MarkPos(), 10);
    Sel out;
    for (int i = 10; i >= 1; --i) {
        ASSERT_TRUE(h.Back(&out));
        EXPECT_EQ(out, (Sel{i, i + 1}));
    }
    EXPECT_FALSE(h.Back(&out));
    // Full and at the newest again: the next mark drops the oldest too.
    while (h.Forward(&out)) {
    }
    h.Mark({99, 99});
    EXPECT_EQ(h.Entry(0), (Sel{2, 3}));
    EXPECT_EQ(h.Entry(9), (Sel{99, 99}));
}
