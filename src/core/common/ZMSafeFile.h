#pragma once
// Writing a file safely: the text goes to a temporary file in the target's
// folder, which is flushed, closed and renamed over the target. On failure the
// earlier file is untouched, the temporary file is removed and ESafeFileError
// names the file and the system's reason.
#include <stdexcept>
#include <string>

class ESafeFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

void WriteFileSafely(const std::string& path, const std::string& contents);
