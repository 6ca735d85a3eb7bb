// The installer under Wine, end to end: the built Glintra-<version>-setup.exe
// run silently (/S) as a user would run it, then its uninstaller through the
// quiet command it registers. Seen from outside: the files, the registry, the
// installed programs' resources, a saver run of the installed host, an
// upgrade over an earlier install, and what the uninstaller leaves behind.
//
// Every case starts with Glintra not installed and ends with it uninstalled;
// a case that fails halfway is cleaned up by force, so the next one starts
// clean too.
#include <windows.h>
// After windows.h.
#include <shellapi.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "support/program_folder.h"
#include "support/test_window_win32.h"
#include "support/win32_child_process.h"
#include "support/win32_input.h"
#include "glintra_version.h"
#include "host/resources/host_icon.h"
#include "host/winmm_recorder/winmm_recorder_override.h"
#include "shared/program_contract.h"

namespace {

constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Glintra";
constexpr char kDesktopKey[] = "Control Panel\\Desktop";
// A folder of the user's choice, with a blank in its path.
constexpr char kChosenFolder[] = "C:\\Glintra Test";
constexpr double kInstallSeconds = 60;
constexpr double kStartSeconds = 30;  // Wine, WGL and llvmpipe from cold

// A string value, or nothing when the key or the value is missing.
std::optional<std::string> ReadString(const char* key, const char* name) {
    char value[2048] = {};
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, value, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::string(value);
}

std::optional<DWORD> ReadDword(const char* key, const char* name) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value;
}

bool KeyExists(const char* key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    RegCloseKey(handle);
    return true;
}

// Sets the value, or removes it when `value` is nothing.
void WriteString(const char* key, const char* name, const std::optional<std::string>& value) {
    HKEY handle = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              &handle, nullptr),
              ERROR_SUCCESS);
    if (value) {
        RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value->c_str()),
                       static_cast<DWORD>(value->size() + 1));
    } else {
        RegDeleteValueA(handle, name);
    }
    RegCloseKey(handle);
}

// The screen-saver setting: SCRNSAVE.EXE and ScreenSaveActive.
struct SaverSetting {
    std::optional<std::string> program, active;
    bool operator==(const SaverSetting& other) const {
        return program == other.program && active == other.active;
    }
};

std::ostream& operator<<(std::ostream& out, const SaverSetting& setting) {
    return out << "SCRNSAVE.EXE " << (setting.program ? "\"" + *setting.program + "\"" : "absent")
               << ", ScreenSaveActive "
               << (setting.active ? "\"" + *setting.active + "\"" : "absent");
}

SaverSetting ReadSaverSetting() {
    return {ReadString(kDesktopKey, "SCRNSAVE.EXE"), ReadString(kDesktopKey, "ScreenSaveActive")};
}

void WriteSaverSetting(const SaverSetting& setting) {
    WriteString(kDesktopKey, "SCRNSAVE.EXE", setting.program);
    WriteString(kDesktopKey, "ScreenSaveActive", setting.active);
}

// A string of a program's version resource, "" when missing.
std::string VersionString(const std::vector<char>& info, const std::string& name) {
    char* value = nullptr;
    UINT size = 0;
    const std::string path = "\\StringFileInfo\\040904B0\\" + name;
    if (!VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &size) ||
        size == 0) {
        return "";
    }
    return std::string(value);
}

// A visible top-level window of process `pid`, or null.
HWND WindowOf(DWORD pid) {
    const std::vector<HWND> windows = VisibleWindowsOf(pid);
    return windows.empty() ? nullptr : windows.front();
}

// A visible control inside `parent` (at any depth) showing `text`, or null.
HWND ControlWithText(HWND parent, const std::wstring& text) {
    struct Search {
        const std::wstring* text;
        HWND found;
    } search{&text, nullptr};
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            wchar_t buffer[256] = {};
            GetWindowTextW(window, buffer, 256);
            if (!IsWindowVisible(window) || *s->text != buffer) return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool ProcessRunning(const char* exeName) {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return false;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Process32First(snapshot, &entry); more && !found;
         more = Process32Next(snapshot, &entry)) {
        found = lstrcmpiA(entry.szExeFile, exeName) == 0;
    }
    CloseHandle(snapshot);
    return found;
}

// The settings dialog of the host `hostPath` once it shows ("<Glintra>" in a
// process started from that file); nullptr when none shows in time.
HWND WaitForSettingsDialog(const std::string& hostPath, double seconds) {
    HWND dialog = nullptr;
    WaitUntil(
        [&] {
            dialog = FindWindowA(nullptr, kSettingsDialogCaption);
            if (dialog == nullptr || !IsWindowVisible(dialog)) return false;
            DWORD pid = 0;
            GetWindowThreadProcessId(dialog, &pid);
            const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
            if (process == nullptr) return false;
            char image[MAX_PATH] = {};
            DWORD size = MAX_PATH;
            const bool named = QueryFullProcessImageNameA(process, 0, image, &size) != FALSE;
            CloseHandle(process);
            return named && lstrcmpiA(image, hostPath.c_str()) == 0;
        },
        seconds);
    return dialog != nullptr && IsWindowVisible(dialog) ? dialog : nullptr;
}

// The text of the settings dialog's repeat box (the combo box on its panel).
std::wstring RepeatBoxText(HWND dialog) {
    const HWND panel = FindWindowExW(dialog, nullptr, L"Glintra.PictureBox", nullptr);
    const HWND box =
        panel != nullptr ? FindWindowExW(panel, nullptr, L"COMBOBOX", nullptr) : nullptr;
    wchar_t text[64] = {};
    // WM_GETTEXT itself: GetWindowText doesn't ask a window of another
    // process, and the combo box keeps its text in its edit field.
    if (box != nullptr) SendMessageW(box, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
    return box != nullptr ? text : L"(no repeat box)";
}

// A hidden top-level window of the test's own with `title`: a running
// Glintra's window, as the installer sees it.
class GlintraWindow {
public:
    explicit GlintraWindow(const char* title) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "GlintraInstallerTestWindow";
        RegisterClassA(&windowClass);
        window_ = CreateWindowA(windowClass.lpszClassName, title, WS_OVERLAPPEDWINDOW, 0, 0, 100,
                                100, nullptr, nullptr, windowClass.hInstance, nullptr);
    }
    ~GlintraWindow() {
        if (window_ != nullptr) DestroyWindow(window_);
    }
    GlintraWindow(const GlintraWindow&) = delete;
    GlintraWindow& operator=(const GlintraWindow&) = delete;
    bool ok() const { return window_ != nullptr; }

private:
    HWND window_ = nullptr;
};

class InstallerTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* setup = std::getenv("GLINTRA_SETUP");
        const char* bin = std::getenv("GLINTRA_BIN_DIR");
        const char* localAppData = std::getenv("LOCALAPPDATA");
        ASSERT_NE(setup, nullptr) << "GLINTRA_SETUP: the installer to test";
        ASSERT_NE(bin, nullptr);
        ASSERT_NE(localAppData, nullptr);
        setup_ = Windows(setup);
        binDir_ = Windows(bin);
        folder_ = offeredFolder_ = std::string(localAppData) + "\\Programs\\Glintra";
        savedSetting_ = ReadSaverSetting();
        CleanUp();
        ASSERT_FALSE(PathExists(folder_)) << folder_ << " is there before the install";
        ASSERT_FALSE(KeyExists(kUninstallKey));
    }

    void TearDown() override {
        folder_ = offeredFolder_;
        CleanUp();
        WriteSaverSetting(savedSetting_);
    }

    static std::string Windows(std::string path) {
        for (char& c : path) {
            if (c == '/') c = '\\';
        }
        return path;
    }

    // What an earlier case may have left when it failed halfway.
    void CleanUp() {
        for (const std::string& folder : {folder_, std::string(kChosenFolder)}) {
            for (const char* name :
                 {"Glintra.scr", "Glintra.dll", "Glintra.ini", "Uninstall.exe", "winmm.dll",
                  "winmm.log", "winmm.script", "Sound.wav", "notes.txt"}) {
                DeleteFileA((folder + "\\" + name).c_str());
            }
            RemoveDirectoryA(folder.c_str());
        }
        RegDeleteTreeA(HKEY_CURRENT_USER, kUninstallKey);
        for (const char* name : {"Glintra.bmp", "other.bmp"}) {
            DeleteFileA((std::string(kGlowBitmapFolder) + "\\" + name).c_str());
        }
        RemoveDirectoryA(kGlowBitmapFolder);
    }

    // Runs `program` with `arguments`, waits for it and expects `status`.
    static void RunAndExpect(const std::string& program, const std::string& arguments,
                             DWORD expected) {
        ChildProcess child(program, arguments, false);
        ASSERT_TRUE(child.started()) << program << ": error " << GetLastError();
        const std::optional<DWORD> status = child.WaitForExit(kInstallSeconds);
        ASSERT_TRUE(status.has_value()) << program << " did not end";
        ASSERT_EQ(*status, expected) << program << " " << arguments;
    }

    // Runs the installer with `arguments` and waits for it.
    void Install(const std::string& arguments) { RunAndExpect(setup_, arguments, 0); }

    // Runs the quiet uninstall command that the installer registered. The
    // uninstaller runs a copy of itself (Un.exe in the temporary folder) and
    // ends at once; the copy removes the key last. The next uninstall can't
    // copy itself while that copy runs, so this waits for its end too.
    void Uninstall() {
        const std::optional<std::string> command =
            ReadString(kUninstallKey, "QuietUninstallString");
        ASSERT_TRUE(command.has_value());
        const std::string quoted = "\"" + folder_ + "\\Uninstall.exe\"";
        ASSERT_EQ(command->rfind(quoted, 0), 0u) << *command;
        RunAndExpect(folder_ + "\\Uninstall.exe", command->substr(quoted.size() + 1), 0);
        ASSERT_TRUE(WaitUntil([] { return !KeyExists(kUninstallKey); }, kInstallSeconds, 50))
            << "the uninstall key is still there";
        ASSERT_TRUE(WaitUntil([] { return !ProcessRunning("Un.exe"); }, kInstallSeconds, 50))
            << "the uninstaller's copy did not end";
    }

    // Nothing of ours after the uninstall.
    void ExpectNothingLeft() {
        EXPECT_FALSE(PathExists(folder_)) << folder_;
        EXPECT_FALSE(KeyExists(kUninstallKey));
        EXPECT_FALSE(KeyExists("Software\\Glintra"));
        EXPECT_FALSE(PathExists(kGlowBitmapPath));
    }

    void WriteFile(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
        ASSERT_TRUE(PathExists(path)) << path;
    }

    std::string setup_, binDir_, offeredFolder_;
    std::string folder_;  // where the case installs
    SaverSetting savedSetting_;
};

TEST_F(InstallerTest, InstallsThePrograms_RegistersTheUninstaller_LeavesTheSaverAlone) {
    const SaverSetting before = {"C:\\windows\\system32\\other.scr", "0"};
    WriteSaverSetting(before);
    // The installer's name carries the release's version.
    const std::string name = "Glintra-" GLINTRA_VERSION "-setup.exe";
    ASSERT_GE(setup_.size(), name.size());
    EXPECT_EQ(setup_.substr(setup_.size() - name.size()), name);

    Install("/S");
    for (const char* program : {"Glintra.scr", "Glintra.dll"}) {
        SCOPED_TRACE(program);
        const std::string installed = FileBytes(folder_ + "\\" + program);
        EXPECT_FALSE(installed.empty());
        EXPECT_TRUE(installed == FileBytes(binDir_ + "\\" + program)) << "not the built program";
    }
    ASSERT_TRUE(PathExists(folder_ + "\\Uninstall.exe"));
    EXPECT_FALSE(PathExists(folder_ + "\\Glintra.ini")) << "the settings file is the user's";

    const std::string uninstaller = "\"" + folder_ + "\\Uninstall.exe\"";
    const struct {
        const char* name;
        std::string value;
    } strings[] = {
        {"DisplayName", "Glintra"},
        {"DisplayVersion", GLINTRA_VERSION},
        {"Publisher", GLINTRA_PUBLISHER},
        {"DisplayIcon", folder_ + "\\Glintra.scr,0"},
        {"InstallLocation", folder_},
        {"UninstallString", uninstaller},
        {"QuietUninstallString", uninstaller + " /S"},
    };
    for (const auto& expected : strings) {
        EXPECT_EQ(ReadString(kUninstallKey, expected.name).value_or("(absent)"), expected.value)
            << expected.name;
    }
    // The size in KiB of what the folder holds.
    long long bytes = 0;
    for (const char* file : {"Glintra.scr", "Glintra.dll", "Uninstall.exe"}) {
        bytes += static_cast<long long>(FileBytes(folder_ + "\\" + file).size());
    }
    const std::optional<DWORD> size = ReadDword(kUninstallKey, "EstimatedSize");
    ASSERT_TRUE(size.has_value());
    EXPECT_GE(*size, bytes / 1024);
    EXPECT_LE(*size, bytes / 1024 + 3);
    // Japanese on a Japanese system, English otherwise; the uninstaller
    // speaks the same.
    EXPECT_EQ(ReadDword(kUninstallKey, "Language").value_or(0), GetACP() == 932 ? 1041u : 1033u)
        << "code page " << GetACP();
    EXPECT_EQ(ReadSaverSetting(), before) << "chosen without being asked";

    Uninstall();
    ExpectNothingLeft();
    EXPECT_EQ(ReadSaverSetting(), before);
}

// Explorer's Properties and the screen-saver list read these.
TEST_F(InstallerTest, InstalledProgramsCarryTheVersionAndTheHostItsIcon) {
    Install("/S");
    const struct {
        const char* file;
        const char* description;
    } programs[] = {{"Glintra.scr", "Glintra screen saver"}, {"Glintra.dll", "Glintra renderer"}};
    for (const auto& program : programs) {
        SCOPED_TRACE(program.file);
        const std::string path = folder_ + "\\" + program.file;
        DWORD ignored = 0;
        std::vector<char> info(GetFileVersionInfoSizeA(path.c_str(), &ignored));
        ASSERT_FALSE(info.empty()) << "no version resource";
        ASSERT_TRUE(
            GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
        EXPECT_EQ(VersionString(info, "ProductName"), "Glintra");
        EXPECT_EQ(VersionString(info, "FileDescription"), program.description);
        EXPECT_EQ(VersionString(info, "FileVersion"), GLINTRA_VERSION);
        EXPECT_EQ(VersionString(info, "ProductVersion"), GLINTRA_VERSION);
        EXPECT_EQ(VersionString(info, "OriginalFilename"), program.file);
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT size = 0;
        ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &size));
        EXPECT_EQ(fixed->dwFileVersionMS,
                  static_cast<DWORD>(GLINTRA_VERSION_MAJOR << 16 | GLINTRA_VERSION_MINOR));
        EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(GLINTRA_VERSION_PATCH << 16));
        EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
        EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
    }

    // The host's first icon (the one Explorer shows) is IDI_GLINTRA, with a
    // 256-colour picture of each size.
    const std::string host = folder_ + "\\Glintra.scr";
    const HMODULE module = LoadLibraryExA(host.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    ULONG_PTR first = 0;
    EnumResourceNamesA(
        module, RT_GROUP_ICON,
        [](HMODULE, LPCSTR, LPSTR name, LONG_PTR first) -> BOOL {
            *reinterpret_cast<ULONG_PTR*>(first) = reinterpret_cast<ULONG_PTR>(name);
            return FALSE;
        },
        reinterpret_cast<LONG_PTR>(&first));
    EXPECT_EQ(first, static_cast<ULONG_PTR>(IDI_GLINTRA));
    for (int size : {16, 32, 48}) {
        SCOPED_TRACE("size " + std::to_string(size));
        const HICON icon = static_cast<HICON>(
            LoadImageA(module, MAKEINTRESOURCEA(IDI_GLINTRA), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr);
        ICONINFO iconInfo{};
        ASSERT_TRUE(GetIconInfo(icon, &iconInfo));
        BITMAP colour{};
        GetObjectA(iconInfo.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, size);
        EXPECT_EQ(colour.bmHeight, size);
        DeleteObject(iconInfo.hbmColor);
        DeleteObject(iconInfo.hbmMask);
        DestroyIcon(icon);
    }
    FreeLibrary(module);
    EXPECT_EQ(ExtractIconExA(host.c_str(), -1, nullptr, nullptr, 0), 1u);

    Uninstall();
    ExpectNothingLeft();
}

// Choosing Glintra at the end of the install, and the uninstall's putting
// back the saver it replaced, unless the user has chosen another since.
TEST_F(InstallerTest, ChoosingGlintraRemembersThePreviousSaverAndUninstallRestoresIt) {
    const std::string glintra = folder_ + "\\Glintra.scr";
    const SaverSetting other = {"C:\\windows\\system32\\other.scr", "0"};
    const SaverSetting none = {std::nullopt, std::nullopt};
    const SaverSetting chosenSince = {"C:\\windows\\system32\\since.scr", "1"};
    const struct {
        const char* name;
        SaverSetting before;
        int installs;                           // installing again must not forget the first
        std::optional<SaverSetting> meanwhile;  // the user's choice after the install
        SaverSetting after;
    } cases[] = {
        {"another saver before", other, 1, std::nullopt, other},
        {"none before", none, 1, std::nullopt, none},
        {"installed twice", other, 2, std::nullopt, other},
        {"another chosen since", other, 1, chosenSince, chosenSince},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteSaverSetting(c.before);
        for (int i = 0; i < c.installs; ++i) {
            Install("/S /SETSAVER");
            if (HasFatalFailure()) return;
            EXPECT_EQ(ReadSaverSetting(), (SaverSetting{glintra, "1"}));
        }
        if (c.meanwhile) WriteSaverSetting(*c.meanwhile);
        Uninstall();
        if (HasFatalFailure()) return;
        ExpectNothingLeft();
        EXPECT_EQ(ReadSaverSetting(), c.after);
    }
}

// The installer as a user meets it, through the keyboard: Enter installs into
// the offered folder, the finish page offers (both ticked, in the system's
// language) to choose Glintra and to open its settings, Enter takes both: the
// installed host's settings dialog opens, and its close box ends that host.
TEST_F(InstallerTest, FinishPageChoosesGlintraAndOpensTheSettings) {
    const bool japanese = GetACP() == 932;
    const std::wstring chooseText =
        japanese ? L"スクリーン セーバーを Glintra にする" : L"Use Glintra as my screen saver";
    const std::wstring settingsText =
        japanese ? L"Glintra の設定を開く" : L"Open Glintra's settings";
    const SaverSetting before = {"C:\\windows\\system32\\other.scr", "1"};
    WriteSaverSetting(before);

    ChildProcess installer(setup_, "", true);
    ASSERT_TRUE(installer.started()) << setup_ << ": error " << GetLastError();
    HWND window = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (window = WindowOf(installer.pid())) != nullptr; }, 30))
        << "no installer window";
    // Enter: the offered folder, Install.
    auto pressEnterIn = [&](HWND target) {
        SetForegroundWindow(target);
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == target; }, 10))
            << "the installer is not in front";
        TapKey(VK_RETURN);
    };
    pressEnterIn(window);
    if (HasFatalFailure()) return;
    HWND choose = nullptr, settings = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (choose = ControlWithText(window, chooseText)) != nullptr; },
                          kInstallSeconds))
        << "no finish page with its offer to choose Glintra";
    settings = ControlWithText(window, settingsText);
    ASSERT_NE(settings, nullptr) << "no offer to open the settings";
    EXPECT_EQ(SendMessageW(choose, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(settings, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(PathExists(folder_ + "\\Glintra.scr"));

    // Enter: Finish.
    pressEnterIn(window);
    if (HasFatalFailure()) return;
    const std::optional<DWORD> status = installer.WaitForExit(kInstallSeconds);
    ASSERT_TRUE(status.has_value()) << "the installer did not end";
    EXPECT_EQ(*status, 0u);
    EXPECT_EQ(ReadSaverSetting(), (SaverSetting{folder_ + "\\Glintra.scr", "1"}));
    const HWND dialog = WaitForSettingsDialog(folder_ + "\\Glintra.scr", kStartSeconds);
    EXPECT_NE(dialog, nullptr) << "no settings dialog of the installed host after Finish";
    if (dialog != nullptr) PostMessageW(dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([] { return !ProcessRunning("Glintra.scr"); }, 30))
        << "the settings' host did not end after its dialog closed";

    Uninstall();
    ExpectNothingLeft();
    EXPECT_EQ(ReadSaverSetting(), before);
}

// The installed host runs the saver from the install folder: the real
// renderer beside it, the music settings from the Glintra.ini beside it
// (observed through the recording stand-in for winmm).
TEST_F(InstallerTest, InstalledHostRunsTheSaverWithTheSettingsBesideIt) {
    Install("/S");
    const char* bin = std::getenv("GLINTRA_BIN_DIR");
    const std::string sound = folder_ + "\\Sound.wav";
    WriteFile(sound, "RIFF");
    const std::string ini = folder_ + "\\Glintra.ini";
    // The host's own keys, in its code page 932 bytes: BGM区分, BGMﾘﾋﾟｰﾄ, BGMﾌｧｲﾙ.
    WriteFile(ini,
              "[Section]\r\nBGM\x8b\xe6\x95\xaa= 2\r\nBGM\xd8\xcb\xdf\xb0\xc4= "
              "7\r\nBGM\xcc\xa7\xb2\xd9=" +
                  sound + "\r\n");
    ASSERT_TRUE(CopyFileA((Windows(bin) + "\\" + WINMM_RECORDER_FROM_BIN).c_str(),
                          (folder_ + "\\winmm.dll").c_str(), FALSE));
    const std::string log = folder_ + "\\winmm.log";
    WriteFile(folder_ + "\\winmm.script", "waveout 1\n");
    SetEnvironmentVariableA("GLINTRA_WINMM_LOG", log.c_str());
    SetEnvironmentVariableA("GLINTRA_WINMM_SCRIPT", (folder_ + "\\winmm.script").c_str());
    {
        WinmmRecorderOverride override("Glintra.scr");
        ASSERT_TRUE(override.ok());
        ChildProcess host(folder_ + "\\Glintra.scr", "/s", false);
        ASSERT_TRUE(host.started()) << "error " << GetLastError();
        HWND renderer = nullptr;
        ASSERT_TRUE(WaitUntil(
            [&] { return (renderer = FindWindowA(nullptr, kRendererWindowTitle)) != nullptr; },
            kStartSeconds))
            << "no \"Glintra_VC\"; host running: " << host.Running();
        EXPECT_TRUE(PathExists(kGlowBitmapPath));
        // The end of the run: the renderer's window closed, the host follows.
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == renderer; }, 10));
        TapKey(VK_ESCAPE);
        const std::optional<DWORD> status = host.WaitForExit(30);
        ASSERT_TRUE(status.has_value()) << "the host did not end after the renderer";
        EXPECT_EQ(*status, 0u);
    }
    SetEnvironmentVariableA("GLINTRA_WINMM_LOG", nullptr);
    SetEnvironmentVariableA("GLINTRA_WINMM_SCRIPT", nullptr);
    const std::string calls = FileBytes(log);
    EXPECT_NE(calls.find("PlaySoundA \"" + sound + "\""), std::string::npos)
        << "the music of the installed folder's Glintra.ini was not played; calls:\n"
        << calls;
    for (const char* name : {"winmm.dll", "winmm.log", "winmm.script"}) {
        DeleteFileA((folder_ + "\\" + name).c_str());
    }

    // /c opens the settings dialog with the same Glintra.ini (the repeat box
    // shows its 7); its close box writes nothing and ends the host.
    {
        const std::string before = FileBytes(ini);
        ChildProcess host(folder_ + "\\Glintra.scr", "/c", false);
        ASSERT_TRUE(host.started()) << "error " << GetLastError();
        const HWND dialog = WaitForSettingsDialog(folder_ + "\\Glintra.scr", kStartSeconds);
        ASSERT_NE(dialog, nullptr) << "no settings dialog; host running: " << host.Running();
        EXPECT_EQ(RepeatBoxText(dialog), L"7");
        PostMessageW(dialog, WM_CLOSE, 0, 0);
        const std::optional<DWORD> status = host.WaitForExit(30);
        ASSERT_TRUE(status.has_value()) << "the host did not end after its dialog closed";
        EXPECT_EQ(*status, 0u);
        EXPECT_EQ(FileBytes(ini), before);
    }
    DeleteFileA(sound.c_str());

    // The uninstall takes the settings file and the bitmap with it, and the
    // bitmap folder that the run made.
    Uninstall();
    ExpectNothingLeft();
    EXPECT_FALSE(PathExists(kGlowBitmapFolder));
}

// Installing again, with no folder given, goes to the earlier install's
// folder, replaces the programs there and keeps the user's Glintra.ini byte
// for byte; in a folder with a blank in its path, the screen-saver setting
// names the host by a path without blanks (the system starts it unquoted).
TEST_F(InstallerTest, InstallingAgainKeepsTheSettingsFileByteForByte) {
    const std::string offered = folder_;
    for (const std::string& folder : {offered, std::string(kChosenFolder)}) {
        SCOPED_TRACE(folder);
        folder_ = folder;
        Install(folder == offered ? "/S /SETSAVER" : "/S /SETSAVER /D=" + folder);
        if (HasFatalFailure()) return;
        const std::optional<std::string> saver = ReadString(kDesktopKey, "SCRNSAVE.EXE");
        ASSERT_TRUE(saver.has_value());
        EXPECT_EQ(saver->find(' '), std::string::npos) << *saver;
        char longPath[MAX_PATH] = {};
        GetLongPathNameA(saver->c_str(), longPath, MAX_PATH);
        EXPECT_EQ(std::string(longPath), folder + "\\Glintra.scr") << *saver;

        // Japanese key names in code page 932, a path with Japanese in it,
        // and bytes the profile functions would not write themselves.
        const std::string settings =
            "[Section]\r\nBGM\x8b\xe6\x95\xaa= 2\r\nBGM\xd8\xcb\xdf\xb0\xc4= 3\r\n"
            "BGM\xcc\xa7\xb2\xd9=C:\\\x89\xb9\x8a\x79\\song.mp3\r\n; kept\r\n\r\n";
        const std::string ini = folder_ + "\\Glintra.ini";
        WriteFile(ini, settings);
        // An older build of the programs in the folder.
        WriteFile(folder_ + "\\Glintra.dll", "older");

        Install("/S");
        if (HasFatalFailure()) return;
        EXPECT_TRUE(FileBytes(ini) == settings) << "Glintra.ini changed";
        EXPECT_TRUE(FileBytes(folder_ + "\\Glintra.dll") == FileBytes(binDir_ + "\\Glintra.dll"))
            << "the program was not replaced";
        EXPECT_EQ(ReadString(kUninstallKey, "InstallLocation").value_or(""), folder_);
        if (folder != offered) {
            EXPECT_FALSE(PathExists(offered)) << "installed twice";
        }

        Uninstall();
        if (HasFatalFailure()) return;
        ExpectNothingLeft();
    }
}

// What is not ours stays: a bitmap folder that was there before the install,
// and the user's own files in the program folder (with the folder itself).
TEST_F(InstallerTest, UninstallKeepsWhatIsNotOurs) {
    ASSERT_TRUE(CreateDirectoryA(kGlowBitmapFolder, nullptr));
    const std::string otherBitmap = std::string(kGlowBitmapFolder) + "\\other.bmp";
    WriteFile(otherBitmap, "BM");
    Install("/S");
    WriteFile(kGlowBitmapPath, "BM");
    WriteFile(folder_ + "\\notes.txt", "mine");

    Uninstall();
    EXPECT_FALSE(PathExists(kGlowBitmapPath));
    EXPECT_EQ(FileBytes(otherBitmap), "BM");
    EXPECT_EQ(FileBytes(folder_ + "\\notes.txt"), "mine");
    for (const char* ours : {"Glintra.scr", "Glintra.dll", "Uninstall.exe"}) {
        EXPECT_FALSE(PathExists(folder_ + "\\" + ours)) << ours;
    }
    EXPECT_FALSE(KeyExists(kUninstallKey));

    // An empty bitmap folder that was there before stays too.
    DeleteFileA(otherBitmap.c_str());
    DeleteFileA((folder_ + "\\notes.txt").c_str());
    RemoveDirectoryA(folder_.c_str());
    Install("/S");
    WriteFile(kGlowBitmapPath, "BM");
    Uninstall();
    ExpectNothingLeft();
    EXPECT_TRUE(PathExists(kGlowBitmapFolder));
}

// While Glintra runs (its saver, its renderer or its settings dialog is up),
// neither the installer nor the uninstaller touches its files: each ends with
// status 2 and changes nothing. The uninstaller runs in place here (_?=), so
// that its status is its own and not that of the copy it would start.
TEST_F(InstallerTest, RefusesWhileGlintraRunsAndChangesNothing) {
    const std::string inPlace = "/S _?=" + folder_;
    for (const char* title : {"Glintra_Main", "Glintra_VC", "<Glintra>"}) {
        SCOPED_TRACE(title);
        {
            GlintraWindow running(title);
            ASSERT_TRUE(running.ok());
            RunAndExpect(setup_, "/S", 2);
            if (HasFatalFailure()) return;
            EXPECT_FALSE(PathExists(folder_)) << "installed beside a running Glintra";
            EXPECT_FALSE(KeyExists(kUninstallKey));
        }
        Install("/S");
        if (HasFatalFailure()) return;
        {
            GlintraWindow running(title);
            RunAndExpect(folder_ + "\\Uninstall.exe", inPlace, 2);
            if (HasFatalFailure()) return;
            for (const char* file : {"Glintra.scr", "Glintra.dll", "Uninstall.exe"}) {
                EXPECT_TRUE(PathExists(folder_ + "\\" + file)) << file << " removed";
            }
            EXPECT_TRUE(KeyExists(kUninstallKey));
        }
        Uninstall();
        if (HasFatalFailure()) return;
        ExpectNothingLeft();
    }
}

// A preview host (/p, the screen-saver settings showing Glintra) has no
// window to find, but runs from the installed Glintra.scr: an upgrade and an
// uninstall refuse too, and the files stay.
TEST_F(InstallerTest, RefusesWhileAPreviewRunsFromTheInstalledFolder) {
    Install("/S");
    if (HasFatalFailure()) return;
    const std::string host = folder_ + "\\Glintra.scr";
    const std::string before = FileBytes(host);
    {
        PreviewWindow monitor(152, 112);
        ChildProcess preview(host, "/p " + monitor.HandleText(), false);
        ASSERT_TRUE(preview.started());
        ASSERT_TRUE(PumpUntil([&] { return GetWindow(monitor.hwnd(), GW_CHILD) != nullptr; }, 20))
            << "no preview in the window";
        RunAndExpect(setup_, "/S", 2);
        RunAndExpect(folder_ + "\\Uninstall.exe", "/S _?=" + folder_, 2);
        EXPECT_EQ(FileBytes(host), before) << "the running host's file was touched";
        EXPECT_TRUE(KeyExists(kUninstallKey));
        monitor.Destroy();
        EXPECT_EQ(preview.WaitForExit(10, [] { PumpMessages(); }), std::optional<DWORD>(0));
    }
    Uninstall();
    ExpectNothingLeft();
}

}  // namespace
