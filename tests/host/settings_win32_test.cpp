// The settings file through the real ANSI profile functions and real files,
// under Wine. ctest runs this program twice, with ANSI code page 932 and with
// 1252 (GLINTRA_EXPECT_ACP says which), and both runs hold the written file
// to the same bytes.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>

#include "support/program_folder.h"
#include "support/win32_text.h"
#include "host/settings/ini_file.h"
#include "host/settings/settings.h"
#include "settings_test_app_folder.h"

namespace {

std::string ReadBytes(const std::string& path) {
    return PathExists(path) ? FileBytes(path) : "(no file)";
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    ASSERT_TRUE(WriteFileBytes(path, bytes)) << path;
}

// The bytes as hex, so that a failure shows which byte of a key differs.
std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
        out += ' ';
    }
    return out;
}

// A fresh folder that stands in for the application folder, with a music
// file and a sub-folder in it.
class SettingsFolder : public ::testing::Test {
protected:
    void SetUp() override {
        static int serial = 0;
        char temp[MAX_PATH] = {};
        ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
        folder_ = std::string(temp) + "glintra-settings-" + std::to_string(GetCurrentProcessId()) +
                  "-" + std::to_string(++serial);
        RemoveFolderTree(WideFromAnsi(folder_));
        ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr)) << folder_;
        ASSERT_TRUE(CreateDirectoryA(SubFolder().c_str(), nullptr));
        WriteBytes(Music(), "ID3");
        SetAppFolderForTest(folder_);
    }
    void TearDown() override { RemoveFolderTree(WideFromAnsi(folder_)); }

    std::string Ini() const { return folder_ + "\\Glintra.ini"; }
    std::string Music() const { return folder_ + "\\song.mp3"; }
    std::string SubFolder() const { return folder_ + "\\music"; }
    std::string Missing() const { return folder_ + "\\gone.mp3"; }

    std::string folder_;
    Settings settings;  // what was loaded, or is to be saved
};

// Opens a file the way a program that holds it exclusively would.
class LockedFile {
public:
    explicit LockedFile(const std::string& path)
        : handle_(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~LockedFile() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    bool locked() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

const std::string kKind = kIniKeyKind;
const std::string kRepeat = kIniKeyRepeat;
const std::string kFile = kIniKeyFile;

TEST(CodePage, IsTheOneThisRunIsFor) {
    const char* expected = std::getenv("GLINTRA_EXPECT_ACP");
    if (expected == nullptr)
        GTEST_SKIP() << "GLINTRA_EXPECT_ACP not set; ANSI code page " << GetACP();
    EXPECT_EQ(GetACP(), static_cast<UINT>(std::atoi(expected)));
}

// ---------------------------------------------------------------------------
// LoadSettings over files written byte for byte. In a row's file, MUSIC,
// FOLDER and MISSING stand for a music file that exists, a folder, and a
// file that doesn't; the expected path is written the same way.

struct LoadRow {
    const char* name;
    bool hasIni;  // false: no Glintra.ini at all
    std::string ini;
    int16_t kind;
    int16_t repeat;
    std::string file;
};

void PrintTo(const LoadRow& row, std::ostream* out) { *out << row.name; }

std::string Line(const std::string& key, const std::string& value) {
    return key + "=" + value + "\r\n";
}

std::string Section(const std::string& lines) { return "[Section]\r\n" + lines; }

class LoadSettingsFromFile : public SettingsFolder, public ::testing::WithParamInterface<LoadRow> {
protected:
    std::string Expand(std::string text) const {
        const std::pair<std::string, std::string> names[] = {
            {"MUSIC", Music()}, {"FOLDER", SubFolder()}, {"MISSING", Missing()}};
        for (const auto& [name, value] : names) {
            for (size_t at = text.find(name); at != std::string::npos;
                 at = text.find(name, at + value.size())) {
                text.replace(at, name.size(), value);
            }
        }
        return text;
    }
};

TEST_P(LoadSettingsFromFile, Loads) {
    const LoadRow& row = GetParam();
    if (row.hasIni) WriteBytes(Ini(), Expand(row.ini));
    settings = LoadSettings();
    EXPECT_EQ(settings.kind, row.kind);
    EXPECT_EQ(settings.repeat, row.repeat);
    EXPECT_EQ(settings.file, Expand(row.file));
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, LoadSettingsFromFile,
    ::testing::Values(
        LoadRow{"NoFile", false, "", 0, 0, ""},  //
        LoadRow{"EmptyFile", true, "", 0, 0, ""},
        LoadRow{"OtherSection", true, "[Other]\r\n" + Line(kKind, "1") + Line(kRepeat, "3"), 0, 0,
                ""},
        LoadRow{"Kind2WithoutFileKey", true, Section(Line(kKind, "2") + Line(kRepeat, "4")), 0, 4,
                ""},
        LoadRow{"Kind2WithEmptyFile", true, Section(Line(kKind, "2") + Line(kFile, "")), 0, 0, ""},
        LoadRow{"Kind2WithMissingFile", true, Section(Line(kKind, "2") + Line(kFile, "MISSING")), 0,
                0, ""},
        LoadRow{"Kind2WithExistingFile", true, Section(Line(kKind, "2") + Line(kFile, "MUSIC")), 2,
                0, "MUSIC"},
        LoadRow{"Kind1KeepsExistingFile", true,
                Section(Line(kKind, "1") + Line(kRepeat, "3") + Line(kFile, "MUSIC")), 1, 3,
                "MUSIC"},
        // The numbers as the profile functions hand them over (the number
        // rules themselves: settings_conversion_test).
        LoadRow{"BlankAndFraction", true, Section(Line(kKind, " 1") + Line(kRepeat, "1.7")), 1, 1,
                ""},
        LoadRow{"Folder", true, Section(Line(kKind, "2") + Line(kFile, "FOLDER")), 0, 0, ""},
        LoadRow{"FolderWithBackslash", true, Section(Line(kKind, "2") + Line(kFile, "FOLDER\\")), 0,
                0, ""},
        // One trailing backslash is dropped before the test, so a file named
        // with one still counts.
        LoadRow{"FileWithBackslash", true, Section(Line(kKind, "2") + Line(kFile, "MUSIC\\")), 2, 0,
                "MUSIC\\"},
        LoadRow{"Device", true, Section(Line(kKind, "2") + Line(kFile, "NUL")), 0, 0, ""}));

TEST_F(SettingsFolder, LockedMusicFileIsCleared) {
    WriteBytes(Ini(), Section(Line(kKind, "2") + Line(kFile, Music())));
    LockedFile lock(Music());
    ASSERT_TRUE(lock.locked());
    settings = LoadSettings();
    EXPECT_EQ(settings.kind, 0);
    EXPECT_EQ(settings.file, "");
}

// A value of more than 255 bytes arrives cut, and the cut path names no file
// even though the whole one does.
TEST_F(SettingsFolder, LongPathIsCutAndFailsTheTest) {
    const size_t pathLength = 258;  // within MAX_PATH, so the file can be made
    const std::string longMusic =
        folder_ + "\\" + std::string(pathLength - folder_.size() - 1 - 4, 'a') + ".mp3";
    ASSERT_EQ(longMusic.size(), pathLength);
    WriteBytes(longMusic, "ID3");
    ASSERT_TRUE(FileExists(longMusic));
    WriteBytes(Ini(), Section(Line(kKind, "2") + Line(kRepeat, "1") + Line(kFile, longMusic)));

    EXPECT_EQ(ReadIni(kIniSection, kFile, Ini()), longMusic.substr(0, 255));
    settings = LoadSettings();
    EXPECT_EQ(settings.kind, 0);
    EXPECT_EQ(settings.repeat, 1);
    EXPECT_EQ(settings.file, "");
}

// "ソ" is 83 5C in code page 932: a path that ends in it ends in no backslash.
TEST_F(SettingsFolder, PathEndingInSecondByte5CIsAFile) {
    if (GetACP() != 932) GTEST_SKIP() << "needs code page 932";
    const std::string music = folder_ + "\\\x83\x5C";
    const HANDLE made = CreateFileA(music.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    // Wine stores file names in the Unix locale's character set; without the
    // ja_JP locale installed that is ASCII.
    if (made == INVALID_HANDLE_VALUE) GTEST_SKIP() << "no Japanese file names on this system";
    CloseHandle(made);
    EXPECT_TRUE(FileExists(music));
    WriteBytes(Ini(), Section(Line(kKind, "2") + Line(kFile, music)));
    settings = LoadSettings();
    EXPECT_EQ(settings.kind, 2);
    EXPECT_EQ(settings.file, music);
}

// ---------------------------------------------------------------------------
// Writing.

// What the three writes of a confirmed dialog leave in a new file. The keys
// are code page 932 bytes whatever the system's code page. The profile
// writer drops the blank that a non-negative number is written with (" 2");
// readers strip it anyway.
const char kWrittenFile[] =
    "[Section]\r\n"
    "BGM\x8B\xE6\x95\xAA=2\r\n"
    "BGM\xD8\xCB\xDF\xB0\xC4=-3\r\n"
    "BGM\xCC\xA7\xB2\xD9=C:\\Music\\a.mp3\r\n";

// The same file after a second confirm: each key's value replaced in place.
const char kRewrittenFile[] =
    "[Section]\r\n"
    "BGM\x8B\xE6\x95\xAA=0\r\n"
    "BGM\xD8\xCB\xDF\xB0\xC4=12\r\n"
    "BGM\xCC\xA7\xB2\xD9=\r\n";

TEST_F(SettingsFolder, WrittenBytesDontDependOnTheCodePage) {
    settings.kind = 2;
    settings.repeat = -3;
    settings.file = "C:\\Music\\a.mp3";
    ASSERT_TRUE(SaveSettings(settings));
    EXPECT_EQ(Hex(ReadBytes(Ini())), Hex(kWrittenFile)) << "code page " << GetACP();

    settings.kind = 0;
    settings.repeat = 12;
    settings.file = "";
    ASSERT_TRUE(SaveSettings(settings));
    EXPECT_EQ(Hex(ReadBytes(Ini())), Hex(kRewrittenFile)) << "code page " << GetACP();
}

TEST_F(SettingsFolder, SavedSettingsLoadBack) {
    const struct {
        int16_t kind;
        int16_t repeat;
        std::string file;
    } cases[] = {{2, 0, Music()}, {1, 99, Music()}, {0, 0, ""}, {-32768, 32767, ""}, {7, -1, ""}};
    for (const auto& c : cases) {
        settings.kind = c.kind;
        settings.repeat = c.repeat;
        settings.file = c.file;
        ASSERT_TRUE(SaveSettings(settings));
        settings.kind = 5;
        settings.repeat = 5;
        settings.file = "x";
        settings = LoadSettings();
        EXPECT_EQ(settings.kind, c.kind);
        EXPECT_EQ(settings.repeat, c.repeat);
        EXPECT_EQ(settings.file, c.file);
    }
}

// A host without a folder of its own (AppFolder() empty: neither the
// folder's name nor its short name can be written in the ANSI code page)
// neither reads nor writes settings: a bare "\Glintra.ini" would name a file
// at the root of whatever drive is current.
TEST_F(SettingsFolder, WithoutAnAppFolderNothingIsReadOrWritten) {
    settings.kind = 1;
    settings.repeat = 3;
    ASSERT_TRUE(SaveSettings(settings));
    SetAppFolderForTest("");
    EXPECT_EQ(SettingsFilePath(), "");
    settings.kind = 0;
    settings.repeat = 0;
    settings = LoadSettings();
    EXPECT_EQ(settings.kind, 0);
    EXPECT_EQ(settings.repeat, 0);
    EXPECT_FALSE(SaveSettings(settings));
}

TEST_F(SettingsFolder, NamesAreCutTo127Bytes) {
    const std::string longKey(200, 'k');
    ASSERT_TRUE(WriteIni(kIniSection, longKey, "v", Ini()));
    EXPECT_EQ(ReadBytes(Ini()), "[Section]\r\n" + std::string(127, 'k') + "=v\r\n");
    EXPECT_EQ(ReadIni(kIniSection, std::string(127, 'k'), Ini()), "v");
}

TEST_F(SettingsFolder, FailedWritesAreReportedAndChangeNothing) {
    WriteBytes(Ini(), kWrittenFile);
    {
        LockedFile lock(Ini());
        ASSERT_TRUE(lock.locked());
        EXPECT_FALSE(WriteIni(kIniSection, kKind, " 1", Ini()));
        settings.kind = 1;
        EXPECT_FALSE(SaveSettings(settings));
    }
    EXPECT_EQ(Hex(ReadBytes(Ini())), Hex(kWrittenFile));

    const std::string noFolder = folder_ + "\\no such folder\\Glintra.ini";
    EXPECT_FALSE(WriteIni(kIniSection, kKind, " 1", noFolder));
    EXPECT_EQ(ReadBytes(noFolder), "(no file)");

    // Under Wine, a folder that not even root may write into.
    if (GetFileAttributesA("Z:\\sys") != INVALID_FILE_ATTRIBUTES) {
        EXPECT_FALSE(WriteIni(kIniSection, kKind, " 1", "Z:\\sys\\Glintra.ini"));
    }
}

// Settings go in whole or not at all: they are written into a copy that
// then replaces the file, keeping the file's attributes, so the copy never
// stays behind (one left by a killed run goes); a read-only file is left as
// it is, even where the system would let a write through. Where no copy can
// be made beside the file, the keys go into the file itself.
TEST_F(SettingsFolder, SavingReplacesTheFileWholeOrLeavesItAsItWas) {
    WriteBytes(Ini(), kWrittenFile);
    ASSERT_TRUE(SetFileAttributesA(Ini().c_str(), FILE_ATTRIBUTE_HIDDEN));
    const std::string draft = Ini() + kIniDraftSuffix;
    WriteBytes(draft, "left by a killed run");
    settings.kind = 0;
    settings.repeat = 12;
    settings.file = "";
    ASSERT_TRUE(SaveSettings(settings));
    EXPECT_EQ(Hex(ReadBytes(Ini())), Hex(kRewrittenFile));
    EXPECT_EQ(ReadBytes(draft), "(no file)");
    EXPECT_NE(GetFileAttributesA(Ini().c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u) << "attributes lost";

    settings.kind = 2;
    ASSERT_TRUE(SetFileAttributesA(Ini().c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(SaveSettings(settings));
    EXPECT_EQ(Hex(ReadBytes(Ini())), Hex(kRewrittenFile));
    EXPECT_EQ(ReadBytes(draft), "(no file)");
    ASSERT_TRUE(SetFileAttributesA(Ini().c_str(), FILE_ATTRIBUTE_NORMAL));

    // A folder in the copy's place: no copy can be made.
    WriteBytes(Ini(), kWrittenFile);
    ASSERT_TRUE(CreateDirectoryA(draft.c_str(), nullptr));
    settings.kind = 0;
    EXPECT_TRUE(SaveSettings(settings));
    EXPECT_EQ(Hex(ReadBytes(Ini())), Hex(kRewrittenFile));
    RemoveDirectoryA(draft.c_str());
}

// A folder where the file may be written but no file made (an
// administrator's install): the save still goes through, into the file
// itself. Made so from the Unix side (an immutable folder holds back root
// too).
TEST_F(SettingsFolder, SavingIntoAFolderThatTakesNoNewFilesWritesTheFileItself) {
    WriteBytes(Ini(), kWrittenFile);
    if (RunUnixCommand("chattr +i", {folder_}) != 0) {
        GTEST_SKIP() << "no folder that refuses new files can be made here";
    }
    struct Undo {
        std::string folder;
        ~Undo() { RunUnixCommand("chattr -i", {folder}); }
    } undo{folder_};
    const std::string other = folder_ + "\\other.txt";
    ASSERT_FALSE(WriteFileBytes(other, "x")) << "the folder takes new files";
    settings.kind = 0;
    settings.repeat = 12;
    settings.file = "";
    EXPECT_TRUE(SaveSettings(settings));
    EXPECT_EQ(Hex(ReadBytes(Ini())), Hex(kRewrittenFile));
}

// A read-only file, and a folder that can't be written into. Wine maps the
// read-only attribute to the Unix permissions, which don't hold back root,
// and Windows ignores it on folders; each part says so rather than pass on a
// write that the system let through.
TEST_F(SettingsFolder, ReadOnlyFileWriteIsReported) {
    WriteBytes(Ini(), kWrittenFile);
    ASSERT_TRUE(SetFileAttributesA(Ini().c_str(), FILE_ATTRIBUTE_READONLY));
    const HANDLE probe = CreateFileA(Ini().c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
        CloseHandle(probe);
        GTEST_SKIP() << "read-only files are writable here (Wine running as root)";
    }
    EXPECT_FALSE(WriteIni(kIniSection, kKind, " 1", Ini()));
    EXPECT_EQ(Hex(ReadBytes(Ini())), Hex(kWrittenFile));
}

TEST_F(SettingsFolder, ReadOnlyFolderWriteIsReported) {
    ASSERT_TRUE(SetFileAttributesA(SubFolder().c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string probePath = SubFolder() + "\\probe";
    const HANDLE probe = CreateFileA(probePath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
        CloseHandle(probe);
        DeleteFileA(probePath.c_str());
        GTEST_SKIP() << "the read-only folder takes new files here";
    }
    const std::string ini = SubFolder() + "\\Glintra.ini";
    EXPECT_FALSE(WriteIni(kIniSection, kKind, " 1", ini));
    EXPECT_EQ(ReadBytes(ini), "(no file)");
}

// ---------------------------------------------------------------------------
// Reading and the existence test on their own.

TEST_F(SettingsFolder, ReadIniGivesEmptyForWhatIsMissing) {
    WriteBytes(Ini(), kWrittenFile);
    EXPECT_EQ(ReadIni(kIniSection, kKind, Ini()), "2");
    EXPECT_EQ(ReadIni(kIniSection, kFile, Ini()), "C:\\Music\\a.mp3");
    EXPECT_EQ(ReadIni(kIniSection, "BGM", Ini()), "");
    EXPECT_EQ(ReadIni("Other", kKind, Ini()), "");
    EXPECT_EQ(ReadIni(kIniSection, kKind, Missing()), "");
}

TEST_F(SettingsFolder, FileExistsOnlyForFilesThatOpen) {
    const std::string readOnly = folder_ + "\\read-only.wav";
    WriteBytes(readOnly, "RIFF");
    ASSERT_TRUE(SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string busy = folder_ + "\\busy.wav";
    WriteBytes(busy, "RIFF");
    // Another program writing the file, sharing it: it can still be read.
    const HANDLE writer =
        CreateFileA(busy.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);

    const struct {
        std::string path;
        bool exists;
    } cases[] = {
        {Music(), true},
        {Music() + "\\", true},
        {readOnly, true},
        {busy, true},
        {Missing(), false},
        {SubFolder(), false},
        {SubFolder() + "\\", false},
        {folder_ + "\\", false},
        {"C:\\", false},
        {"", false},
        {"\\", false},
        {folder_ + "\\so?ng.mp3", false},
        {folder_ + "\\*.mp3", false},
        {"NUL", false},
        {"CON", false},
        {Music() + "\\\\", false},
    };
    for (const auto& c : cases) EXPECT_EQ(FileExists(c.path), c.exists) << '"' << c.path << '"';
    CloseHandle(writer);

    LockedFile lock(Music());
    ASSERT_TRUE(lock.locked());
    EXPECT_FALSE(FileExists(Music()));
}

}  // namespace
