#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "output/engine/corner_writer.h"
#include "output/order/cut_order.h"
#include "support/cut_jobs.h"

namespace corvane {
namespace {

using Path = std::vector<std::pair<int, int>>;

std::vector<PathPoint> job(const std::vector<Path>& paths) {
  std::vector<PathPoint> points;
  for (const Path& path : paths) {
    points.push_back({path.front().first, path.front().second, 1});
    for (const auto& [x, y] : path) points.push_back({x, y, 0});
  }
  points.push_back({0, 0, 1});
  return points;
}

Path square(int x, int y, int size) {
  return {{x, y}, {x + size, y}, {x + size, y + size}, {x, y + size}, {x, y}};
}

// Where each path of the job is cut.
std::vector<std::size_t> places(const CutOrder& order) {
  std::vector<std::size_t> place(order.cuts.size());
  for (std::size_t i = 0; i < order.cuts.size(); ++i) place[order.cuts[i].path] = i;
  return place;
}

// Undirected cut segments, sorted: the geometry a stream cuts.
std::vector<std::tuple<int, int, int, int>> segments(const std::vector<PathPoint>& points) {
  std::vector<std::tuple<int, int, int, int>> out;
  for (std::size_t i = 1; i < points.size(); ++i) {
    const PathPoint& a = points[i - 1];
    const PathPoint& b = points[i];
    if (b.penUp || a.penUp || samePosition(a, b)) continue;
    out.push_back(std::min(std::tuple(a.x, a.y, b.x, b.y), std::tuple(b.x, b.y, a.x, a.y)));
  }
  std::sort(out.begin(), out.end());
  return out;
}

struct NestingCase {
  const char* name;
  std::vector<Path> paths;
  std::vector<std::pair<std::size_t, std::size_t>> before;  // (inner, outer) in the job
};

TEST(CutOrderTest, InnerPathsAreCutBeforeWhatEnclosesThem) {
  // An L-shaped outline: its box holds the square at its notch, itself not.
  const Path ell = {{0, 0}, {4000, 0}, {4000, 1000}, {1000, 1000}, {1000, 4000}, {0, 4000}, {0, 0}};
  const std::vector<NestingCase> cases = {
      {"letter O, outline exported first", {square(0, 0, 1000), square(300, 300, 400)}, {{1, 0}}},
      {"target of five rings, outermost first",
       {square(0, 0, 1000), square(100, 100, 800), square(200, 200, 600), square(300, 300, 400),
        square(400, 400, 200)},
       {{4, 3}, {3, 2}, {2, 1}, {1, 0}}},
      {"shape in a hole in a shape",
       {square(5000, 5000, 3000), square(5500, 5500, 2000), square(6000, 6000, 1000)},
       {{2, 1}, {1, 0}, {2, 0}}},
      {"open strokes inside a closed path",
       {square(0, 0, 2000), {{500, 500}, {1500, 500}}, {{500, 1500}, {1500, 1500}, {1500, 1000}}},
       {{1, 0}, {2, 0}}},
      {"a square in the notch of an L is not inside it", {ell, square(2000, 2000, 500)}, {}},
  };
  for (const NestingCase& c : cases) {
    SCOPED_TRACE(c.name);
    const CutOrder order = orderForCutting(job(c.paths));
    const auto place = places(order);
    for (const auto& [inner, outer] : c.before) EXPECT_LT(place[inner], place[outer]);
    EXPECT_EQ(insideAfterOutside(order.points), 0u);
  }
}

TEST(CutOrderTest, OverlappingClosedPathsAreFreeToGoEitherWay) {
  // Neither lies inside the other: the one nearer the origin goes first.
  const CutOrder order = orderForCutting(job({square(600, 600, 1000), square(100, 100, 1000)}));
  EXPECT_EQ(places(order), (std::vector<std::size_t>{1, 0}));
}

TEST(CutOrderTest, OpenPathRunsFromItsNearerEnd) {
  const CutOrder order = orderForCutting(job({{{5000, 100}, {3000, 100}, {100, 100}}}));
  ASSERT_EQ(order.cuts.size(), 1u);
  EXPECT_TRUE(order.cuts[0].reversed);
  EXPECT_EQ(order.points,
            (std::vector<PathPoint>{
                {100, 100, 1}, {100, 100, 0}, {3000, 100, 0}, {5000, 100, 0}, {5000, 100, 1}}));
}

TEST(CutOrderTest, ClosedPathStartsAtItsNearestVertexWithTheCornersThere) {
  // Its fourth vertex lies nearest the origin; the corner writer closes the
  // path there as it would have closed a path drawn from that vertex.
  const std::vector<PathPoint> drawn =
      job({{{2000, 2000}, {3000, 2000}, {3000, 1000}, {2000, 1000}, {2000, 2000}}});
  const std::vector<PathPoint> fromFourth =
      job({{{2000, 1000}, {2000, 2000}, {3000, 2000}, {3000, 1000}, {2000, 1000}}});
  const CutOrder order = orderForCutting(drawn);
  auto corners = [](const std::vector<PathPoint>& points) {
    StringSink sink;
    CommandWriter out(sink, Dialect::Hpgl);
    CornerWriter(out, 8.0, 160, 10).writeRuns(points, 40, 40);
    EXPECT_TRUE(out.flush());
    return sink.text;
  };
  EXPECT_EQ(order.cuts[0].startVertex, 3u);
  EXPECT_EQ(corners(order.points), corners(fromFourth));
  EXPECT_EQ(segments(order.points), segments(drawn));
}

struct GeneratedCase {
  const char* name;
  std::vector<PathPoint> points;
};

TEST(CutOrderTest, GeneratedJobsTravelLessAndCutTheSameGeometry) {
  const std::vector<GeneratedCase> cases = {
      {"sticker sheet of 500 shuffled shapes", testing::stickerSheet(500)},
      {"lettering of 2,000 paths", testing::lettering(2000)},
      {"marker of 30,000 paths", testing::marker(30000)},
  };
  for (const GeneratedCase& c : cases) {
    SCOPED_TRACE(c.name);
    const CutOrder order = orderForCutting(c.points);
    EXPECT_LE(order.travel, 0.9 * order.nearestTravel);
    EXPECT_LE(order.travel, order.fileTravel);
    EXPECT_DOUBLE_EQ(knifeUpTravel(order.points), order.travel);
    EXPECT_GT(insideAfterOutside(c.points), 0u);  // the file cuts outlines first
    EXPECT_EQ(insideAfterOutside(order.points), 0u);
    EXPECT_EQ(segments(order.points), segments(c.points));
    EXPECT_EQ(orderForCutting(c.points).points, order.points) << "not deterministic";
  }
}

TEST(CutOrderTest, IntermediateFileAxesGiveTheJobsOwnOrder) {
  // The corner road orders the intermediate file, whose axes are exchanged.
  auto exchanged = [](std::vector<PathPoint> points) {
    for (PathPoint& p : points) std::swap(p.x, p.y);
    return points;
  };
  const std::vector<PathPoint> job = testing::stickerSheet(500, 7);
  OrderOptions options;
  options.axesExchanged = true;
  EXPECT_EQ(orderForCutting(exchanged(job), options).points,
            exchanged(orderForCutting(job).points));
}

TEST(CutOrderTest, SmallJobsAreNeverWorseThanNearestNeighbour) {
  for (unsigned seed = 1; seed <= 20; ++seed) {
    SCOPED_TRACE(seed);
    const std::vector<PathPoint> points =
        seed % 2 ? testing::stickerSheet(12, seed) : testing::marker(12, seed);
    const CutOrder order = orderForCutting(points);
    EXPECT_LE(order.travel, order.nearestTravel);
  }
}

}  // namespace
}  // namespace corvane
