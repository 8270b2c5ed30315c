#pragma once
// The configuration file's character set. The monitoring equipment reads one
// byte per character, Windows-1252 (Western European); texts inside the program
// are UTF-8. Names that cannot be written that way are refused where they are
// typed, and the file writer converts every cell on the way out.
#include <string>

// Appends `text` (UTF-8) to `out` as Windows-1252 bytes. A character that has no
// place in Windows-1252, or a byte that is not valid UTF-8, is written as "?";
// the result is then false.
bool AppendAsCp1252(const std::string& text, std::string& out);

// The first character of `text` that Windows-1252 cannot hold, as UTF-8 (a byte
// that is not valid UTF-8 comes back on its own); empty when every character fits.
std::string FirstCharacterNotInCp1252(const std::string& text);

// Whether a typed name can go into the configuration file as it is: no comma (the
// field separator) and only Windows-1252 characters.
bool NameFitsConfigFile(const std::string& name);

// The message for a typed name that holds `character`, which Windows-1252 lacks.
std::string NameCharacterMessage(const std::string& character);
