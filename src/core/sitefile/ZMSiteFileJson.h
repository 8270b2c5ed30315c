#pragma once
// The site file reader's JSON layer: parsing with duplicate keys refused, the
// JSON path of what is being read, and typed, range-checked reads of members.
// Every fault is thrown as ESiteFault with its path and reason.
#include <cstdint>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

using TSiteJson = nlohmann::ordered_json;

struct ESiteFault {
  std::string Path;
  std::string Reason;
};

// Parses the text; invalid JSON and a key given twice in one object are
// faults at the path where the parser stood.
TSiteJson ParseSiteJson(const std::string& text);

// The path of the value being read, as "batteries[1].strings[0].Name".
class TSitePath {
 public:
  void Push(std::string_view key) { Segments_.push_back({key, 0}); }
  void Push(size_t index) { Segments_.push_back({{}, index}); }
  void Pop() { Segments_.pop_back(); }
  std::string Text() const;
  [[noreturn]] void Fail(std::string reason) const;

 private:
  struct TSegment {
    std::string_view Key;  // empty for an array index
    size_t Index;
  };
  std::vector<TSegment> Segments_;
};

// Enters a member or an element for as long as it lives.
class TSiteScope {
 public:
  TSiteScope(TSitePath& path, std::string_view key) : Path_(path) { path.Push(key); }
  TSiteScope(TSitePath& path, size_t index) : Path_(path) { path.Push(index); }
  ~TSiteScope() { Path_.Pop(); }
  TSiteScope(const TSiteScope&) = delete;
  TSiteScope& operator=(const TSiteScope&) = delete;

 private:
  TSitePath& Path_;
};

// Reads the members of one JSON object, at the path it was found.
class TSiteObject {
 public:
  // Refuses a value that is not an object, and any key not in `keys`.
  TSiteObject(const TSiteJson& json, TSitePath& path, std::initializer_list<std::string_view> keys);

  bool Has(std::string_view key) const { return Json_.contains(std::string(key)); }
  // Each of these refuses a missing member, a wrong type or a value out of range.
  const TSiteJson& Array(std::string_view key, size_t maxSize = SIZE_MAX, const char* what = "");
  std::string Text(std::string_view key);
  bool Flag(std::string_view key);
  double Number(std::string_view key);
  int Whole(std::string_view key, long long minimum, long long maximum);
  // -1 for none, or a value from `minimum` to `maximum`.
  int WholeOrNone(std::string_view key, long long minimum, long long maximum);
  // One of the names in `names`; returns its position there.
  size_t Choice(std::string_view key, const std::vector<const char*>& names);
  const TSiteJson& Member(std::string_view key);

  TSitePath& Path() { return Path_; }

 private:
  const TSiteJson& Json_;
  TSitePath& Path_;
};

// A value of a member already entered: a whole number of the int range.
long long SiteWholeValue(const TSiteJson& value, const TSitePath& path);
