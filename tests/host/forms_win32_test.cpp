// The form toolkit under Wine: real windows and real window-message timers.
// What ends the process (End, the last form unloading) is watched from
// outside, on this program started again as a child in one of its modes.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/forms/application.h"
#include "host/forms/form.h"
#include "host/forms/timer.h"

using forms::Form;
using forms::Timer;
using forms::UnloadMode;

namespace {

using Log = std::vector<std::string>;

double Now() { return static_cast<double>(GetTickCount64()) / 1000.0; }

// Dispatches messages, as a modal loop would, until `done` or the time is up.
bool PumpUntil(const std::function<bool()>& done, double seconds) {
    const double deadline = Now() + seconds;
    for (;;) {
        MSG message;
        const bool got = PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);
        if (got) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (done()) return true;
        if (Now() >= deadline) return false;
        if (!got) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void PumpFor(double seconds) {
    PumpUntil([] { return false; }, seconds);
}

// A form that writes its events into a log, under its caption.
class LoggingForm : public Form {
public:
    LoggingForm(std::string caption, std::function<void(const std::string&)> write)
        : Form(std::move(caption)), write_(std::move(write)) {}
    LoggingForm(std::string caption, Log& log)
        : LoggingForm(std::move(caption),
                      [&log](const std::string& line) { log.push_back(line); }) {}

    bool cancelInQueryUnload = false;
    bool cancelInUnload = false;
    std::function<void()> onLoad;
    std::optional<UnloadMode> unloadMode;

protected:
    void Form_Load() override {
        write_(Caption() + ".Load");
        if (onLoad) onLoad();
    }
    void Form_QueryUnload(bool& cancel, UnloadMode mode) override {
        write_(Caption() + ".QueryUnload");
        unloadMode = mode;
        cancel = cancelInQueryUnload;
    }
    void Form_Unload(bool& cancel) override {
        write_(Caption() + ".Unload");
        cancel = cancelInUnload;
    }

private:
    std::function<void(const std::string&)> write_;
};

TEST(Form, LoadsHiddenAndIsFoundByItsCaption) {
    Log log;
    LoggingForm form("Glintra_Main", log);
    ASSERT_EQ(FindWindowA(nullptr, "Glintra_Main"), nullptr);
    ASSERT_TRUE(form.Load());
    const HWND window = form.hwnd();
    EXPECT_EQ(log, Log{"Glintra_Main.Load"});
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(FindWindowA(nullptr, "Glintra_Main"), window);
    EXPECT_EQ(GetAncestor(window, GA_PARENT), GetDesktopWindow()) << "not a top-level window";
    EXPECT_EQ(Form::LoadedForms(), std::vector<Form*>{&form});

    form.Load();  // loaded already: no second Form_Load
    EXPECT_EQ(log.size(), 1u);

    // A caption outside the ANSI code page arrives as written.
    LoggingForm japanese("設定 <Glintra>", log);
    ASSERT_TRUE(japanese.Load());
    EXPECT_EQ(FindWindowW(nullptr, L"\u8A2D\u5B9A <Glintra>"), japanese.hwnd());

    EXPECT_TRUE(form.Unload());
    EXPECT_TRUE(japanese.Unload());
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(FindWindowA(nullptr, "Glintra_Main"), nullptr);
    EXPECT_TRUE(Form::LoadedForms().empty());
}

TEST(Form, UnloadAsksQueryUnloadThenUnloadAndEitherCanCancel) {
    Log log;
    LoggingForm form("F", log);
    ASSERT_TRUE(form.Load());

    form.cancelInQueryUnload = true;
    EXPECT_FALSE(form.Unload());
    EXPECT_EQ(log, (Log{"F.Load", "F.QueryUnload"}));
    EXPECT_TRUE(form.IsLoaded());
    EXPECT_EQ(form.unloadMode, UnloadMode::FormCode);

    form.cancelInQueryUnload = false;
    form.cancelInUnload = true;
    EXPECT_FALSE(form.Unload());
    EXPECT_EQ(log, (Log{"F.Load", "F.QueryUnload", "F.QueryUnload", "F.Unload"}));
    EXPECT_TRUE(form.IsLoaded());
    EXPECT_TRUE(IsWindow(form.hwnd()));

    // The window's close command takes the same road, with its own mode.
    form.cancelInUnload = false;
    log.clear();
    const HWND window = form.hwnd();
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(log, (Log{"F.QueryUnload", "F.Unload"}));
    EXPECT_EQ(form.unloadMode, UnloadMode::FormControlMenu);
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_FALSE(IsWindow(window));

    // An unloaded form loads again, with a new window.
    log.clear();
    ASSERT_TRUE(form.Load());
    EXPECT_EQ(log, Log{"F.Load"});
    EXPECT_TRUE(form.Unload());
}

TEST(Form, WindowDestroyedFromOutsideUnloadsTheFormWhateverItSays) {
    Log log;
    LoggingForm form("F", log);
    ASSERT_TRUE(form.Load());
    form.cancelInQueryUnload = true;  // can't keep a window that is going
    DestroyWindow(form.hwnd());
    EXPECT_EQ(log, (Log{"F.Load", "F.QueryUnload", "F.Unload"}));
    EXPECT_EQ(form.unloadMode, UnloadMode::FormOwner);
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(form.hwnd(), nullptr);
}

TEST(Form, UnloadInsideItsOwnHandlerKeepsTheWindowUntilTheHandlerReturns) {
    Log log;
    LoggingForm form("F", log);
    bool windowDuringHandler = false;
    int ticks = 0;
    Timer timer(form, 10, true, [&] {
        ++ticks;
        const HWND window = form.hwnd();
        form.Unload();
        windowDuringHandler = IsWindow(window) && form.hwnd() == window;
    });
    ASSERT_TRUE(form.Load());
    const HWND window = form.hwnd();
    ASSERT_TRUE(PumpUntil([&] { return ticks > 0; }, 5));
    EXPECT_TRUE(windowDuringHandler);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(form.hwnd(), nullptr);
    PumpFor(0.1);
    EXPECT_EQ(ticks, 1) << "an unloaded form's timer ticked";
}

TEST(Form, ShowModalDisablesTheOtherFormsAndReturnsWhenTheFormUnloads) {
    Log log;
    LoggingForm other("Other", log);
    LoggingForm dialog("Dialog", log);
    ASSERT_TRUE(other.Load());
    int ticks = 0;
    bool visibleWhileShown = false, otherEnabledWhileShown = true;
    Timer timer(dialog, 20, true, [&] {
        if (++ticks < 3) return;
        visibleWhileShown = IsWindowVisible(dialog.hwnd()) != FALSE;
        otherEnabledWhileShown = IsWindowEnabled(other.hwnd()) != FALSE;
        dialog.Unload();
    });
    // Should the modal loop miss the unload, this ends the test instead of
    // hanging it.
    bool rescued = false;
    Timer rescue(dialog, 10000, true, [&] {
        rescued = true;
        dialog.Unload();
    });

    dialog.ShowModal();
    EXPECT_FALSE(rescued);
    EXPECT_EQ(ticks, 3);
    EXPECT_TRUE(visibleWhileShown);
    EXPECT_FALSE(otherEnabledWhileShown);
    EXPECT_TRUE(IsWindowEnabled(other.hwnd()));
    EXPECT_FALSE(dialog.IsLoaded());
    EXPECT_EQ(log, (Log{"Other.Load", "Dialog.Load", "Dialog.QueryUnload", "Dialog.Unload"}));
    EXPECT_TRUE(other.Unload());
}

TEST(Timer, TicksOnlyOnceTheLoadingCodeHasReturned) {
    Log log;
    LoggingForm form("F", log);
    int ticks = 0;
    int ticksDuringLoad = -1;
    Timer atDesign(form, 5, true, [&] { ++ticks; });
    int laterTicks = 0;
    Timer enabledInLoad(form, 5, false, [&] { ++laterTicks; });
    form.onLoad = [&] {
        enabledInLoad.SetEnabled(true);
        PumpFor(0.2);  // a message loop inside the load handler: a message box's, say
        ticksDuringLoad = ticks + laterTicks;
    };
    ASSERT_TRUE(form.Load());
    EXPECT_EQ(ticksDuringLoad, 0);
    EXPECT_TRUE(PumpUntil([&] { return ticks > 0 && laterTicks > 0; }, 5));
    form.Unload();
}

TEST(Timer, TicksNeverOverlap) {
    Log log;
    LoggingForm form("F", log);
    int running = 0, overlaps = 0, slowTicks = 0;
    Timer slow(form, 5, true, [&] {
        if (running++ > 0) ++overlaps;
        PumpFor(0.1);  // the handler runs a message loop; other ticks come due meanwhile
        --running;
        ++slowTicks;
    });
    Timer fast(form, 5, true, [&] {
        if (running > 0) ++overlaps;
    });
    ASSERT_TRUE(form.Load());
    EXPECT_TRUE(PumpUntil([&] { return slowTicks >= 3; }, 10));
    EXPECT_EQ(overlaps, 0);
    form.Unload();
}

TEST(Timer, TicksOnlyWhileEnabledWithAnInterval) {
    Log log;
    LoggingForm form("F", log);
    int offTicks = 0, zeroTicks = 0, ticks = 0;
    Timer off(form, 5, false, [&] { ++offTicks; });
    Timer zero(form, 0, true, [&] { ++zeroTicks; });
    Timer selfStopping(form, 5, true, [&] {
        ++ticks;
        // A tick of this timer may be in the queue already; it must not run.
        Sleep(30);
    });
    ASSERT_TRUE(form.Load());
    ASSERT_TRUE(PumpUntil([&] { return ticks > 0; }, 5));
    selfStopping.SetEnabled(false);
    const int ticksWhenStopped = ticks;
    PumpFor(0.15);
    EXPECT_EQ(ticks, ticksWhenStopped);
    EXPECT_EQ(offTicks, 0);
    EXPECT_EQ(zeroTicks, 0);

    off.SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return offTicks > 0; }, 5));
    zero.SetInterval(5);
    EXPECT_TRUE(PumpUntil([&] { return zeroTicks > 0; }, 5));
    form.Unload();
}

// ---- The process's end, seen from outside ----

std::FILE* childLog = nullptr;

void WriteChildLog(const std::string& line) {
    std::fprintf(childLog, "%s\n", line.c_str());
    std::fflush(childLog);  // End() leaves no buffer to flush
}

// Main of the child that ends through End() in a timer tick after Main has
// returned; the form's unload handlers must not run.
void MainEndingInATick() {
    static LoggingForm form("A", WriteChildLog);
    static Timer timer(form, 10, true, [] {
        WriteChildLog("A.Timer");
        End();
    });
    form.Load();
    WriteChildLog("Main returns");
}

// Main of the child that ends when its last form unloads. Ticks wait for Main
// to return, even while Main runs a message loop.
void MainEndingWithTheLastForm() {
    static LoggingForm a("A", WriteChildLog);
    static LoggingForm b("B", WriteChildLog);
    static int ticks = 0;
    static Timer timer(a, 10, true, [] {
        WriteChildLog("A.Timer");
        if (++ticks == 1) b.Unload();
        if (ticks == 2) a.Unload();
    });
    a.Load();
    b.Load();
    PumpFor(0.1);
    WriteChildLog("Main returns");
}

[[noreturn]] void RunChild(const std::string& mode) {
    if (mode == "end-in-tick") RunApplication(MainEndingInATick);
    if (mode == "last-form") RunApplication(MainEndingWithTheLastForm);
    if (mode == "end-in-main") {
        RunApplication([] {
            static LoggingForm form("A", WriteChildLog);
            form.Load();
            End();
        });
    }
    ExitProcess(90);
}

struct ChildResult {
    std::optional<DWORD> status;
    Log log;
};

ChildResult RunChildProcess(const std::string& mode) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string logPath = std::string(folder) + "forms_win32_test_" + mode + ".log";
    DeleteFileA(logPath.c_str());

    std::string commandLine =
        "\"" + std::string(self) + "\" --child " + mode + " \"" + logPath + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ChildResult result;
    if (!CreateProcessA(self, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        ADD_FAILURE() << "cannot start " << commandLine << ": error " << GetLastError();
        return result;
    }
    if (WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0) {
        DWORD status = 0;
        GetExitCodeProcess(process.hProcess, &status);
        result.status = status;
    } else {
        TerminateProcess(process.hProcess, 99);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::ifstream in(logPath);
    for (std::string line; std::getline(in, line);) result.log.push_back(line);
    DeleteFileA(logPath.c_str());
    return result;
}

TEST(Application, EndExitsAtOnceWithoutUnloadingTheForms) {
    ChildResult inMain = RunChildProcess("end-in-main");
    EXPECT_EQ(inMain.status, std::optional<DWORD>(0));
    EXPECT_EQ(inMain.log, Log{"A.Load"});

    ChildResult inTick = RunChildProcess("end-in-tick");
    EXPECT_EQ(inTick.status, std::optional<DWORD>(0));
    EXPECT_EQ(inTick.log, (Log{"A.Load", "Main returns", "A.Timer"}));
}

TEST(Application, EndsWhenTheLastFormUnloadsAndTicksWaitForMain) {
    ChildResult child = RunChildProcess("last-form");
    EXPECT_EQ(child.status, std::optional<DWORD>(0));
    EXPECT_EQ(child.log, (Log{"A.Load", "B.Load", "Main returns", "A.Timer", "B.QueryUnload",
                              "B.Unload", "A.Timer", "A.QueryUnload", "A.Unload"}));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--child") {
        childLog = std::fopen(argv[3], "w");
        if (childLog == nullptr) return 91;
        RunChild(argv[2]);
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
