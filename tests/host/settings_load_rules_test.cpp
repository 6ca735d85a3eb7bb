// LoadSettings' order and fallbacks, over a settings source held in memory.
// The same rows run through real files under Wine in settings_win32_test.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "host/settings/settings.h"
#include "host/settings/settings_conversion.h"

namespace {

using ::testing::ElementsAre;

class MemorySource : public SettingsSource {
public:
    std::map<std::string, std::string> keys;
    std::set<std::string> files;
    std::vector<std::string> calls;

    std::string ReadKey(const char* key) override {
        calls.push_back(std::string("read ") + key);
        const auto found = keys.find(key);
        return found == keys.end() ? "" : found->second;
    }
    bool FileExists(const std::string& path) override {
        calls.push_back("exists " + path);
        return files.count(path) != 0;
    }
};

constexpr const char* kMissing = nullptr;
const char kMusic[] = "C:\\Music\\song.mp3";

struct LoadCase {
    const char* name;
    const char* kind;  // kMissing: no such key
    const char* repeat;
    const char* file;
    bool fileExists;
    Settings loaded;
};

void PrintTo(const LoadCase& c, std::ostream* out) { *out << c.name; }

class LoadSettingsRules : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadSettingsRules, Loads) {
    const LoadCase& c = GetParam();
    MemorySource source;
    if (c.kind) source.keys[kIniKeyKind] = c.kind;
    if (c.repeat) source.keys[kIniKeyRepeat] = c.repeat;
    if (c.file) source.keys[kIniKeyFile] = c.file;
    if (c.fileExists) source.files.insert(c.file);

    const Settings values = LoadSettingsFrom(source);
    EXPECT_EQ(values.kind, c.loaded.kind);
    EXPECT_EQ(values.repeat, c.loaded.repeat);
    EXPECT_EQ(values.file, c.loaded.file);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LoadSettingsRules,
    ::testing::Values(
        LoadCase{"NothingInTheFile", kMissing, kMissing, kMissing, false, {0, 0, ""}},
        LoadCase{"Kind2WithoutFileKey", " 2", " 0", kMissing, false, {0, 0, ""}},
        LoadCase{"Kind2WithEmptyFile", " 2", " 3", "", false, {0, 3, ""}},
        LoadCase{"Kind2WithMissingFile", " 2", " 0", kMusic, false, {0, 0, ""}},
        LoadCase{"Kind2WithExistingFile", " 2", " 0", kMusic, true, {2, 0, kMusic}},
        LoadCase{"Kind1KeepsExistingFile", " 1", " 5", kMusic, true, {1, 5, kMusic}},
        LoadCase{"Kind1DropsMissingFile", " 1", " 5", kMusic, false, {1, 5, ""}},
        LoadCase{"Kind7StaysUnchecked", "7", "-2", kMissing, false, {7, -2, ""}},
        LoadCase{"FractionsRoundDown", "1.7", "-0.5", kMissing, false, {1, -1, ""}},
        LoadCase{"NoNumberLeavesZero", "abc", "40000", kMissing, false, {0, 0, ""}},
        LoadCase{"EmptyNumberIsZero", "", "", kMissing, false, {0, 0, ""}},
        // Kind 2 only falls back once it is known to be 2, after conversion.
        LoadCase{"Kind2FromFractionFallsBack", "2.9", kMissing, kMissing, false, {0, 0, ""}}));

TEST(LoadSettingsFrom, ReadsTheKeysInOrderThenTestsTheFile) {
    MemorySource source;
    source.keys[kIniKeyFile] = kMusic;
    LoadSettingsFrom(source);
    EXPECT_THAT(
        source.calls,
        ElementsAre(std::string("read ") + kIniKeyKind, std::string("read ") + kIniKeyRepeat,
                    std::string("read ") + kIniKeyFile, std::string("exists ") + kMusic));
}

TEST(LoadSettingsFrom, TestsNoFileWhenTheKeyIsEmpty) {
    MemorySource source;
    source.keys[kIniKeyKind] = " 2";
    LoadSettingsFrom(source);
    EXPECT_EQ(source.calls.size(), 3u);
}

}  // namespace
