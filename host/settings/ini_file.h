#pragma once

#include <string>

// The settings file's access routines: the system's ANSI profile functions
// and a plain open for reading. All strings are in the ANSI code page; where
// that code page can't carry a section or key name's bytes (code page 932's
// under UTF-8), the file is read and edited byte for byte (ini_text.h), so
// it holds the same bytes on every system. Defined in settings_file_win32.cpp.

// One key's value, "" when the file, the section or the key is missing. The
// value holds at most 255 bytes; a longer one arrives cut short.
std::string ReadIni(const std::string& section, const std::string& key,
                    const std::string& fileName);

// Writes one key, creating the file and the section when they are missing.
// Section and key names longer than 127 bytes are cut to 127. Returns false
// when the file could not be written (a locked file, a missing folder, a
// read-only file or folder); what the file holds is then unchanged.
[[nodiscard]] bool WriteIni(const std::string& section, const std::string& key,
                            const std::string& value, const std::string& fileName);

// Whether Path names a file that can be opened for reading right now. One
// trailing backslash is dropped first, so that a folder, named with or
// without it, is never a file. Missing files, folders, files that another
// program holds locked, devices, and empty or malformed names all give false.
bool FileExists(const std::string& path);
