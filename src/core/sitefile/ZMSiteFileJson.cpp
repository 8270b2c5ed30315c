#include "sitefile/ZMSiteFileJson.h"

#include <algorithm>
#include <climits>

namespace {
// Where the parser stands: one frame per open object or array.
struct TParseFrame {
  bool IsArray = false;
  size_t Index = 0;          // element being read, in an array
  std::string Key;           // member being read, in an object
  std::vector<std::string> Keys;  // members seen so far, in an object
};

std::string PathOf(const std::vector<TParseFrame>& frames) {
  std::string path;
  for (const TParseFrame& f : frames) {
    if (f.IsArray) {
      path.append(1, '[').append(std::to_string(f.Index)).append(1, ']');
    } else if (!f.Key.empty()) {
      if (!path.empty()) path += '.';
      path += f.Key;
    }
  }
  return path;
}

// A value is complete: an array goes on to its next element, an object waits
// for its next key.
void ElementDone(std::vector<TParseFrame>& frames) {
  if (frames.empty()) return;
  if (frames.back().IsArray)
    ++frames.back().Index;
  else
    frames.back().Key.clear();
}

// "[json.exception.parse_error.101] parse error at line 1, column 2: ..." without its tag.
std::string ParserReason(const std::string& what) {
  const size_t tag = what.find("] ");
  return "is not valid JSON: " + (tag == std::string::npos ? what : what.substr(tag + 2));
}

std::string Quoted(std::string_view text) {
  std::string quoted(1, '"');
  return quoted.append(text).append(1, '"');
}
}  // namespace

TSiteJson ParseSiteJson(const std::string& text) {
  std::vector<TParseFrame> frames;
  auto track = [&frames](int, TSiteJson::parse_event_t event, TSiteJson& parsed) {
    using E = TSiteJson::parse_event_t;
    switch (event) {
      case E::object_start: frames.emplace_back(); break;
      case E::array_start:
        frames.emplace_back().IsArray = true;
        break;
      case E::key: {
        TParseFrame& f = frames.back();
        f.Key = parsed.get<std::string>();
        if (std::find(f.Keys.begin(), f.Keys.end(), f.Key) != f.Keys.end())
          throw ESiteFault{PathOf(frames), "is given twice"};
        f.Keys.push_back(f.Key);
        break;
      }
      case E::object_end:
      case E::array_end:
        frames.pop_back();
        ElementDone(frames);
        break;
      case E::value: ElementDone(frames); break;
    }
    return true;
  };
  try {
    return TSiteJson::parse(text, track);
  } catch (const TSiteJson::exception& e) {
    throw ESiteFault{PathOf(frames), ParserReason(e.what())};
  }
}

std::string TSitePath::Text() const {
  std::string text;
  for (const TSegment& s : Segments_) {
    if (s.Key.empty()) {
      text.append(1, '[').append(std::to_string(s.Index)).append(1, ']');
    } else {
      if (!text.empty()) text += '.';
      text += s.Key;
    }
  }
  return text;
}

void TSitePath::Fail(std::string reason) const { throw ESiteFault{Text(), std::move(reason)}; }

TSiteObject::TSiteObject(const TSiteJson& json, TSitePath& path, std::initializer_list<std::string_view> keys)
    : Json_(json), Path_(path) {
  if (!json.is_object()) path.Fail("must be an object");
  for (auto it = json.begin(); it != json.end(); ++it) {
    if (std::find(keys.begin(), keys.end(), it.key()) != keys.end()) continue;
    TSiteScope scope(path, it.key());
    path.Fail("is not a known key here");
  }
}

const TSiteJson& TSiteObject::Member(std::string_view key) {
  const auto it = Json_.find(std::string(key));
  if (it == Json_.end()) {
    TSiteScope scope(Path_, key);
    Path_.Fail("is missing");
  }
  return *it;
}

const TSiteJson& TSiteObject::Array(std::string_view key, size_t maxSize, const char* what) {
  const TSiteJson& value = Member(key);
  TSiteScope scope(Path_, key);
  if (!value.is_array()) Path_.Fail("must be an array");
  if (value.size() > maxSize)
    Path_.Fail("holds " + std::to_string(value.size()) + " " + what + "; a string has at most " +
               std::to_string(maxSize));
  return value;
}

std::string TSiteObject::Text(std::string_view key) {
  const TSiteJson& value = Member(key);
  TSiteScope scope(Path_, key);
  if (!value.is_string()) Path_.Fail("must be a string");
  return value.get<std::string>();
}

bool TSiteObject::Flag(std::string_view key) {
  const TSiteJson& value = Member(key);
  TSiteScope scope(Path_, key);
  if (!value.is_boolean()) Path_.Fail("must be true or false");
  return value.get<bool>();
}

double TSiteObject::Number(std::string_view key) {
  const TSiteJson& value = Member(key);
  TSiteScope scope(Path_, key);
  if (!value.is_number()) Path_.Fail("must be a number");
  return value.get<double>();
}

long long SiteWholeValue(const TSiteJson& value, const TSitePath& path) {
  if (!value.is_number_integer()) path.Fail("must be a whole number");
  if (value.is_number_unsigned()) {
    const auto u = value.get<std::uint64_t>();
    if (u > static_cast<std::uint64_t>(INT_MAX)) path.Fail("is too large: " + std::to_string(u));
    return static_cast<long long>(u);
  }
  return value.get<std::int64_t>();
}

int TSiteObject::Whole(std::string_view key, long long minimum, long long maximum) {
  const TSiteJson& value = Member(key);
  TSiteScope scope(Path_, key);
  const long long v = SiteWholeValue(value, Path_);
  if (v < minimum || v > maximum)
    Path_.Fail("must be from " + std::to_string(minimum) + " to " + std::to_string(maximum) + ", not " +
               std::to_string(v));
  return static_cast<int>(v);
}

int TSiteObject::WholeOrNone(std::string_view key, long long minimum, long long maximum) {
  const TSiteJson& value = Member(key);
  TSiteScope scope(Path_, key);
  const long long v = SiteWholeValue(value, Path_);
  if (v != -1 && (v < minimum || v > maximum))
    Path_.Fail("must be -1 (none) or from " + std::to_string(minimum) + " to " + std::to_string(maximum) +
               ", not " + std::to_string(v));
  return static_cast<int>(v);
}

size_t TSiteObject::Choice(std::string_view key, const std::vector<const char*>& names) {
  const std::string text = Text(key);
  for (size_t i = 0; i < names.size(); ++i)
    if (text == names[i]) return i;
  TSiteScope scope(Path_, key);
  std::string list;
  for (size_t i = 0; i < names.size(); ++i) list += (i ? ", " : "") + Quoted(names[i]);
  Path_.Fail("must be one of " + list + ", not " + Quoted(text));
}
