// The color map against the plainest model of it: one record per position.
#include "support/QuillTest.h"

#include <random>

#include "view/CColorMap.h"

namespace {

using ColorRun = CColorMap::Run;

class Model {
public:
    explicit Model(int length) : m_records(size_t(length), CColorMap::kUnset) {}

    bool Assign(int start, int end, const std::vector<ColorRun>& runs, int gap) {
        std::vector<int> old = m_records;
        for (int p = start; p < end; ++p) {
            m_records[size_t(p)] = gap;
        }
        for (const ColorRun& r : runs) {
            for (int p = r.start; p < r.end; ++p) {
                m_records[size_t(p)] = r.record;
            }
        }
        return old != m_records;
    }
    void Replace(int pos, int removed, int added, int record) {
        m_records.erase(m_records.begin() + pos, m_records.begin() + pos + removed);
        m_records.insert(m_records.begin() + pos, size_t(added), record);
    }
    int Length() const { return int(m_records.size()); }
    const std::vector<int>& Records() const { return m_records; }

private:
    std::vector<int> m_records;
};

// Every position's record, read back through RunsIn over the whole text.
std::vector<int> Expand(const CColorMap& map) {
    std::vector<ColorRun> runs;
    map.RunsIn(0, map.Length(), runs);
    std::vector<int> out;
    int pos = 0;
    for (const ColorRun& r : runs) {
        EXPECT_EQ(r.start, pos) << "runs leave a hole or overlap";
        EXPECT_LT(r.start, r.end);
        out.insert(out.end(), size_t(r.end - r.start), r.record);
        pos = r.end;
    }
    return out;
}

TEST(ColorMap, FollowsEveryChangeOfAPlainModel) {
    std::mt19937 rng(20261207);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int round = 0; round < 200; ++round) {
        int length = pick(0, 60);
        CColorMap map(length);
        Model model(length);
        for (int step = 0; step < 60; ++step) {
            const int start = pick(0, length);
            const int end = pick(start, length);
            if (pick(0, 1) == 0) {
                std::vector<ColorRun> runs;
                for (int p = start; p < end;) {
                    const int s = pick(p, end);
                    const int e = pick(s, end);
                    if (s < e) {
                        runs.push_back({s, e, pick(1, 7)});
                    }
                    p = std::max(e, s + 1);
                }
                const int gap = pick(0, 2) == 0 ? CColorMap::kUnset : 0;
                ASSERT_EQ(map.Assign(start, end, runs, gap), model.Assign(start, end, runs, gap))
                    << "round " << round << " step " << step;
            } else {
                const int added = pick(0, 8);
                const int record = pick(-1, 7);
                map.Replace(start, end - start, added, record);
                model.Replace(start, end - start, added, record);
                length = model.Length();
            }
            ASSERT_EQ(map.Length(), model.Length());
            ASSERT_EQ(Expand(map), model.Records()) << "round " << round << " step " << step;
            const int probe = pick(-1, length);
            ASSERT_EQ(map.RecordAt(probe), probe >= 0 && probe < length
                                               ? model.Records()[size_t(probe)]
                                               : CColorMap::kUnset);
        }
    }
}

TEST(ColorMap, RunsAreClippedAndNeighboursOfOneRecordJoin) {
    CColorMap map(20);
    const std::vector<ColorRun> runs = {{2, 5, 3}, {5, 8, 3}, {10, 12, 4}};
    EXPECT_TRUE(map.Assign(0, 20, runs, 0));
    EXPECT_FALSE(map.Assign(0, 20, runs, 0));  // the same again changes nothing
    std::vector<ColorRun> out;
    map.RunsIn(3, 11, out);
    EXPECT_EQ(out, (std::vector<ColorRun>{{3, 8, 3}, {8, 10, 0}, {10, 11, 4}}));

    // Text inserted inside a colored word takes the record it is given;
    // the rest of the line moves on with its colors.
    map.Replace(4, 0, 2, 3);
    map.RunsIn(0, map.Length(), out);
    EXPECT_EQ(
        out, (std::vector<ColorRun>{{0, 2, 0}, {2, 10, 3}, {10, 12, 0}, {12, 14, 4}, {14, 22, 0}}));
}

}  // namespace
