#include "support/QuillTest.h"

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

TEST(CMarkHistory, MarkAfterBackReplacesAndDiscardsLaterEntries) {
    for (int backs : {1, 2}) {
        CMarkHistory h;
        Sel out;
        for (Sel s : {P, Q, R}) {
            h.Mark(s);
        }
        for (int i = 0; i < backs; ++i) {
            h.Back(&out);
        }
        h.Mark(S);
        EXPECT_EQ(Entries(h), backs == 1 ? (std::vector<Sel>{P, Q, S}) : (std::vector<Sel>{P, S}));
        EXPECT_FALSE(h.Forward(&out));
    }
}

TEST(CMarkHistory, ElevenMarksDropTheOldest) {
    CMarkHistory h;
    for (int i = 0; i < 11; ++i) {
        h.Mark({i, i + 1});
    }
    EXPECT_EQ(h.MarkCount(), 10);
    EXPECT_EQ(h.Entry(0), (Sel{1, 2}));
    Sel out;
    while (h.Back(&out)) {
    }
    while (h.Forward(&out)) {
    }
    h.Mark({99, 99});
    EXPECT_EQ(h.Entry(0), (Sel{2, 3}));
    EXPECT_EQ(h.Entry(9), (Sel{99, 99}));
}

TEST(CMarkHistory, ForwardFromTheLastEntryMovesPastItAndFindsNothing) {
    CMarkHistory h;
    Sel out;
    h.Mark(P);
    h.Mark(Q);
    ASSERT_TRUE(h.Back(&out));
    EXPECT_EQ(out, Q);
    EXPECT_FALSE(h.Forward(&out));
    ASSERT_TRUE(h.Back(&out));  // from past the end, Back gives the last entry again
    EXPECT_EQ(out, Q);
}
