// Sub-strings and null channels that lay a string's channel rows out exactly as
// the file has them.
//
// The grid builder lays out a run (a whole string or one sub-string) of n cells
// with ch channels (cells plus their null channels) from a fresh DCM: with ch a
// multiple of 4 each cell is followed by its own null channels; otherwise
// 4 - ch mod 4 filler rows go before cell ch - 4 when that cell exists, and to
// the end of the run when it does not. A cell holds at most 3 null channels, so
// a gap of more than 3 null rows can only be such a filler.
#include <algorithm>

#include "import/ZMConfigImportPlan.h"

namespace zmimport {
namespace {

constexpr int kMaxNulls = 3;

// Fits cells [first, end) with `length` rows into one run; fills their null counts.
bool FitRun(const std::vector<int>& gaps, int first, int end, int length, std::vector<int>& nulls) {
  const int n = end - first;
  int sum = 0, big = 0, bigAt = -1;
  for (int k = first; k < end; ++k) {
    sum += gaps[static_cast<size_t>(k)];
    if (gaps[static_cast<size_t>(k)] > kMaxNulls) ++big, bigAt = k;
  }
  if (big > 1) return false;
  auto take = [&](int at, int own) {
    for (int k = first; k < end; ++k) nulls[static_cast<size_t>(k)] = gaps[static_cast<size_t>(k)];
    if (at >= 0) nulls[static_cast<size_t>(at)] = own;
    return true;
  };
  if (big == 0) return take(-1, 0);
  // Filler at the end of the run: the last cell's own nulls, then the padding.
  if (bigAt == end - 1) {
    for (int pad = 1; pad <= 3; ++pad) {
      const int own = gaps[static_cast<size_t>(bigAt)] - pad;
      if (own >= 0 && own <= kMaxNulls && sum - pad >= 4) return take(bigAt, own);
    }
  }
  // Filler before cell ch - 4, after the nulls of the cell before it.
  for (int fill = 1; fill <= 3; ++fill) {
    const int channels = length - fill;
    const int at = channels - 4;  // relative index of the cell the filler precedes
    if (channels < 4 || at < 1 || at > n - 1 || first + at - 1 != bigAt) continue;
    const int own = gaps[static_cast<size_t>(bigAt)] - fill;
    if (own >= 0 && own <= kMaxNulls && sum - fill < 4) return take(bigAt, own);
  }
  return false;
}

}  // namespace

bool PlanRuns(const std::vector<int>& gaps, std::vector<int>& subStrings, std::vector<int>& nullCounts) {
  const int n = static_cast<int>(gaps.size());
  subStrings.clear();
  nullCounts.assign(gaps.size(), 0);
  if (n == 0) return true;
  // Row position of each cell, and the cells that start a DCM (where a run may start).
  std::vector<int> at(gaps.size() + 1, 0);
  for (int i = 0; i < n; ++i) at[static_cast<size_t>(i) + 1] = at[static_cast<size_t>(i)] + 1 + gaps[static_cast<size_t>(i)];
  if (FitRun(gaps, 0, n, at.back(), nullCounts)) return true;
  std::vector<int> starts;
  for (int i = 0; i < n; ++i)
    if (at[static_cast<size_t>(i)] % 4 == 0) starts.push_back(i);
  starts.push_back(n);
  // from[b]: the start of the run that reaches boundary b (-1 for the first, -2 unreached).
  const size_t bounds = starts.size();
  std::vector<int> from(bounds, -2);
  from[0] = -1;
  std::vector<int> scratch(gaps.size(), 0);
  for (size_t a = 0; a + 1 < bounds; ++a) {
    if (from[a] == -2) continue;
    int big = 0;
    for (size_t b = a + 1; b < bounds; ++b) {
      const int first = starts[a], end = starts[b];
      for (int k = starts[b - 1]; k < end; ++k) big += gaps[static_cast<size_t>(k)] > kMaxNulls;
      if (big > 1) break;
      if (from[b] == -2 && FitRun(gaps, first, end, at[static_cast<size_t>(end)] - at[static_cast<size_t>(first)], scratch))
        from[b] = static_cast<int>(a);
    }
  }
  if (from[bounds - 1] == -2) return false;
  for (size_t b = bounds - 1; b > 0; b = static_cast<size_t>(from[b])) {
    const size_t a = static_cast<size_t>(from[b]);
    const int first = starts[a], end = starts[b];
    FitRun(gaps, first, end, at[static_cast<size_t>(end)] - at[static_cast<size_t>(first)], nullCounts);
    subStrings.push_back(end - first);
  }
  std::reverse(subStrings.begin(), subStrings.end());
  return true;
}

}  // namespace zmimport
