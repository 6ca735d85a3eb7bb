// The settings file's text read and edited byte for byte. The rows are what
// the system's profile functions give for the same files (checked against
// Wine's), except where a row says the edit keeps a byte they drop.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "host/settings/ini_text.h"

namespace {

// "BGM区分" in code page 932.
const std::string kKey = "BGM\x8B\xE6\x95\xAA";

TEST(IniText, Reads) {
    const struct {
        const char* name;
        std::string text;
        std::string key;
        std::optional<std::string> value;
    } rows[] = {
        {"plain", "[Section]\r\nk=x\r\n", "k", "x"},
        {"names in any case", "[SECTION]\r\nK=x\r\n", "k", "x"},
        {"blanks around", " [ Section ] \r\n\t k \t=  a b \t\r\n", "k", "a b"},
        {"line feeds only, no last line end", "[Section]\nk=x", "k", "x"},
        {"byte order mark", "\xEF\xBB\xBF[Section]\r\nk=x\r\n", "k", "x"},
        {"quotes", "[Section]\r\nk=\"a b\"\r\n", "k", "a b"},
        {"single quotes", "[Section]\r\nk='a'\r\n", "k", "a"},
        {"one quote stays", "[Section]\r\nk=\"a\r\n", "k", "\"a"},
        {"a lone quote stays", "[Section]\r\nk=\"\r\n", "k", "\""},
        {"equals in the value", "[Section]\r\nk=a=b\r\n", "k", "a=b"},
        {"the first of two", "[Section]\r\nk=1\r\nk=2\r\n", "k", "1"},
        {"only the first section", "[Section]\r\na=1\r\n[Section]\r\nk=2\r\n", "k", std::nullopt},
        {"other section", "[Other]\r\nk=x\r\n", "k", std::nullopt},
        {"before any section", "k=x\r\n[Section]\r\n", "k", std::nullopt},
        {"unclosed header", "[Section\r\nk=x\r\n", "k", std::nullopt},
        {"comment", "[Section]\r\n;k=x\r\n", "k", std::nullopt},
        {"no equals", "[Section]\r\nk\r\n", "k", ""},
        {"code page 932 key", "[Section]\r\n" + kKey + "=2\r\n", kKey, "2"},
        // "ャ" is 83 61 and "ア" 83 41: second bytes that are no "a" and "A".
        {"no case in second bytes", "[Section]\r\nBGM\x83\x61=2\r\n", "BGM\x83\x41", std::nullopt},
        {"empty", "", "k", std::nullopt},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(IniTextValue(row.text, "Section", row.key), row.value) << row.name;
    }
}

TEST(IniText, Writes) {
    const struct {
        const char* name;
        std::string text;
        std::string value;
        std::string written;
    } rows[] = {
        {"new file", "", " 2", "[Section]\r\nk=2\r\n"},
        {"new section after another", "[Other]\r\na=1\r\n", "v",
         "[Other]\r\na=1\r\n[Section]\r\nk=v\r\n"},
        {"no last line end", "[Other]\r\na=1", "v", "[Other]\r\na=1\r\n[Section]\r\nk=v\r\n"},
        {"value replaced, name kept", "; c\r\n[section]\r\n  K  =  old  \r\nz=1\r\n", "v",
         "; c\r\n[section]\r\nK=v\r\nz=1\r\n"},
        {"trailing blanks kept", "[Section]\r\nk=old\r\n", "v  ", "[Section]\r\nk=v  \r\n"},
        {"line feeds kept", "[Section]\nk=old\nz=1\n", "v", "[Section]\nk=v\nz=1\n"},
        {"comment left alone", "[Section]\r\n;k=1\r\nk=old\r\n", "v",
         "[Section]\r\n;k=1\r\nk=v\r\n"},
        {"into the first section", "[Section]\r\na=1\r\n[Section]\r\nk=old\r\n", "v",
         "[Section]\r\na=1\r\nk=v\r\n[Section]\r\nk=old\r\n"},
        // The profile functions drop the blank line; the edit keeps it.
        {"after the last line that is not blank", "[Section]\r\na=1\r\n\r\n[Next]\r\n", "v",
         "[Section]\r\na=1\r\nk=v\r\n\r\n[Next]\r\n"},
        {"after a header without a line end", "[Section]", "v", "[Section]\r\nk=v\r\n"},
        {"byte order mark kept", "\xEF\xBB\xBF[Section]\r\nk=old\r\n", "v",
         "\xEF\xBB\xBF[Section]\r\nk=v\r\n"},
        {"byte order mark alone", "\xEF\xBB\xBF", "v", "\xEF\xBB\xBF[Section]\r\nk=v\r\n"},
    };
    for (const auto& row : rows) {
        const std::string written = IniTextWith(row.text, "Section", "k", row.value);
        EXPECT_EQ(written, row.written) << row.name;
        EXPECT_EQ(IniTextValue(written, "Section", "k"), IniTextValue(row.written, "Section", "k"))
            << row.name;
    }
}

}  // namespace
