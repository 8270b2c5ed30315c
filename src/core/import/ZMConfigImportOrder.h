#pragma once
// An order of items that keeps given pairs in order, preferring among the free
// items the one that `before` puts first.
#include <functional>
#include <set>
#include <utility>
#include <vector>

namespace zmimport {

// Items 0..count-1. Where the pairs form a loop, the preferred free-or-not item
// is taken to go on, and `loop` is set.
inline std::vector<int> OrderItems(int count, const std::vector<std::pair<int, int>>& pairs,
                                   const std::function<bool(int, int)>& before, bool& loop) {
  std::vector<std::vector<int>> next(static_cast<size_t>(count));
  std::vector<int> waiting(static_cast<size_t>(count), 0);
  for (const auto& [a, b] : pairs) {
    next[static_cast<size_t>(a)].push_back(b);
    ++waiting[static_cast<size_t>(b)];
  }
  auto less = [&before](int a, int b) { return before(a, b); };
  std::set<int, decltype(less)> free(less), rest(less);
  for (int i = 0; i < count; ++i) (waiting[static_cast<size_t>(i)] == 0 ? free : rest).insert(i);
  std::vector<int> order;
  order.reserve(static_cast<size_t>(count));
  loop = false;
  while (!free.empty() || !rest.empty()) {
    int item;
    if (!free.empty()) {
      item = *free.begin();
      free.erase(free.begin());
    } else {
      loop = true;
      item = *rest.begin();
      rest.erase(rest.begin());
    }
    order.push_back(item);
    waiting[static_cast<size_t>(item)] = -1;
    for (int n : next[static_cast<size_t>(item)]) {
      int& w = waiting[static_cast<size_t>(n)];
      if (w > 0 && --w == 0) {
        rest.erase(n);
        free.insert(n);
      }
    }
  }
  return order;
}

}  // namespace zmimport
