#include "output/order/box_index.h"

#include <boost/geometry.hpp>
#include <boost/geometry/index/rtree.hpp>
#include <utility>

namespace corvane::order {

namespace bg = boost::geometry;
namespace bgi = boost::geometry::index;

namespace {

using BgPoint = bg::model::point<double, 2, bg::cs::cartesian>;
using BgBox = bg::model::box<BgPoint>;
using Entry = std::pair<BgBox, std::size_t>;

BgBox toBox(const Box& box) {
  return {BgPoint(static_cast<double>(box.min.x), static_cast<double>(box.min.y)),
          BgPoint(static_cast<double>(box.max.x), static_cast<double>(box.max.y))};
}

}  // namespace

struct BoxIndex::Tree {
  bgi::rtree<Entry, bgi::rstar<16>> rtree;
};

BoxIndex::BoxIndex() : tree_(std::make_unique<Tree>()) {}
BoxIndex::~BoxIndex() = default;

void BoxIndex::build(const std::vector<JobPath>& paths, const std::vector<std::size_t>& which) {
  std::vector<Entry> entries;
  entries.reserve(which.size());
  for (const std::size_t id : which) entries.emplace_back(toBox(paths[id].box), id);
  // Packed at once: faster to build and to query than one insert at a time.
  tree_->rtree = bgi::rtree<Entry, bgi::rstar<16>>(entries);
}

void BoxIndex::insert(const JobPath& path, std::size_t id) {
  tree_->rtree.insert(Entry(toBox(path.box), id));
}

void BoxIndex::remove(const JobPath& path, std::size_t id) {
  tree_->rtree.remove(Entry(toBox(path.box), id));
}

bool BoxIndex::empty() const { return tree_->rtree.empty(); }

void BoxIndex::covering(const Box& box, std::vector<std::size_t>& out) const {
  const BgBox query = toBox(box);
  for (auto it = tree_->rtree.qbegin(bgi::covers(query)); it != tree_->rtree.qend(); ++it) {
    out.push_back(it->second);
  }
}

void BoxIndex::nearest(const Vertex& from, std::size_t k,
                       std::vector<std::pair<double, std::size_t>>& out) const {
  const BgPoint point(static_cast<double>(from.x), static_cast<double>(from.y));
  out.clear();
  for (auto it = tree_->rtree.qbegin(bgi::nearest(point, static_cast<unsigned>(k)));
       it != tree_->rtree.qend(); ++it) {
    out.emplace_back(bg::distance(point, it->first), it->second);
  }
}

void BoxIndex::nearestTo(const Box& box, std::size_t k, std::vector<std::size_t>& out) const {
  const BgBox query = toBox(box);
  for (auto it = tree_->rtree.qbegin(bgi::nearest(query, static_cast<unsigned>(k)));
       it != tree_->rtree.qend(); ++it) {
    out.push_back(it->second);
  }
}

}  // namespace corvane::order
