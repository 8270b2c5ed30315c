#include "common/ZMCharset.h"

#include <cstdint>

namespace {
// The characters of bytes 0x80 to 0x9F; 0 where the byte is unused.
constexpr char32_t kHighBytes[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// Decodes the UTF-8 character at `pos` into `code`; returns its length in bytes,
// 0 when the bytes there are not valid UTF-8.
size_t DecodeAt(const std::string& text, size_t pos, char32_t& code) {
  const auto byte = [&text](size_t i) { return static_cast<std::uint8_t>(text[i]); };
  const std::uint8_t lead = byte(pos);
  size_t length;
  if (lead < 0x80) {
    code = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07u;
  } else {
    return 0;
  }
  if (pos + length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((byte(pos + i) & 0xC0u) != 0x80u) return 0;
    code = (code << 6) | (byte(pos + i) & 0x3Fu);
  }
  const char32_t smallest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
  if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

// The Windows-1252 byte of a character; -1 when there is none.
int Cp1252Byte(char32_t code) {
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<int>(code);
  for (int i = 0; i < 32; ++i)
    if (kHighBytes[i] == code) return 0x80 + i;
  return -1;
}

// Position and length of the first character that does not fit; npos when all do.
size_t FirstMisfit(const std::string& text, size_t& length) {
  for (size_t pos = 0; pos < text.size(); pos += length) {
    char32_t code = 0;
    length = DecodeAt(text, pos, code);
    if (length == 0) {
      length = 1;
      return pos;
    }
    if (Cp1252Byte(code) < 0) return pos;
  }
  return std::string::npos;
}
}  // namespace

bool AppendAsCp1252(const std::string& text, std::string& out) {
  bool complete = true;
  for (size_t pos = 0; pos < text.size();) {
    // Runs of plain ASCII, by far the most common, are copied as they are.
    size_t end = pos;
    while (end < text.size() && static_cast<std::uint8_t>(text[end]) < 0x80) ++end;
    out.append(text, pos, end - pos);
    pos = end;
    if (pos == text.size()) break;
    char32_t code = 0;
    const size_t length = DecodeAt(text, pos, code);
    const int converted = length ? Cp1252Byte(code) : -1;
    if (converted < 0) complete = false;
    out += converted < 0 ? '?' : static_cast<char>(static_cast<unsigned char>(converted));
    pos += length ? length : 1;
  }
  return complete;
}

std::string FirstCharacterNotInCp1252(const std::string& text) {
  size_t length = 0;
  const size_t pos = FirstMisfit(text, length);
  return pos == std::string::npos ? std::string() : text.substr(pos, length);
}

bool NameFitsConfigFile(const std::string& name) {
  return name.find(',') == std::string::npos && FirstCharacterNotInCp1252(name).empty();
}

std::string NameCharacterMessage(const std::string& character) {
  return "A name cannot contain the character \"" + character +
         "\". The configuration file holds only Western European (Windows-1252) characters.";
}
