#pragma once

// The settings file's text read and edited byte for byte, for a system whose
// ANSI code page can't carry the key names through the profile functions (a
// Windows with UTF-8 as its code page turns the code page 932 bytes of
// "BGM区分" into U+FFFD and writes those back). The rules are the profile
// functions' own, so a file reads the same either way:
//   - lines end in CR LF or LF; a UTF-8 byte order mark before the first is
//     skipped;
//   - a section starts at a line "[name]" and runs to the next line that
//     starts with "["; blanks around the line and the name don't count;
//   - a key line is "name=value"; a line without "=" is a name with no value,
//     and a line starting with ";" is a comment;
//   - names are compared without regard to the case of ASCII letters, as
//     code page 932 text (the second byte of a double-byte character is
//     compared exactly); the first matching section and key count;
//   - a value loses the blanks around it, and one pair of quotes (" or ')
//     around all of it.
// An edit changes one line or adds one, and leaves every other byte as it was.

#include <optional>
#include <string>
#include <string_view>

// The value of `key` in `section`; nothing when the section or key is missing.
std::optional<std::string> IniTextValue(std::string_view text, std::string_view section,
                                        std::string_view key);

// `text` with `key` in `section` set to `value`, as the profile functions
// write it: "key=value" with the value's leading blanks dropped. An existing
// key line is replaced (keeping the name as the file spells it); a new key
// goes after the section's last line that is not blank; a new section goes at
// the end. Added lines end in CR LF.
std::string IniTextWith(std::string_view text, std::string_view section, std::string_view key,
                        std::string_view value);
