#include <windows.h>
#include <objbase.h>

#include "host/forms/application.h"
#include "host/forms/application_paths.h"
#include "host/forms/form.h"
#include "host/forms/text_win32.h"
#include "host/forms/timer.h"

namespace {

std::u16string U16(const std::wstring& text) { return {text.begin(), text.end()}; }

// The short (8.3) form of an existing path, "" when there is none.
// https://learn.microsoft.com/en-us/windows/win32/api/fileapi/nf-fileapi-getshortpathnamew
std::wstring ShortPath(const std::wstring& path) {
    const DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (size == 0) return {};
    std::wstring shortPath(size, L'\0');
    const DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), size);
    if (length == 0 || length >= size) return {};
    shortPath.resize(length);
    return shortPath;
}

}  // namespace

std::string AppFolder() {
    // The wide path, since the path may be longer than MAX_PATH and since the
    // folder is cut off by characters, not ANSI bytes. A full buffer means
    // the path was truncated:
    // https://learn.microsoft.com/en-us/windows/win32/api/libloaderapi/nf-libloaderapi-getmodulefilenamew
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::u16string folder16 = FolderOfProgramPath(U16(path));
    const std::wstring folder(folder16.begin(), folder16.end());
    if (const auto ansi = forms::AnsiFromWide(folder)) return *ansi;
    // A name that the code page can't hold: the short name, where the file
    // system keeps one, names the same folder in characters it can. A
    // look-alike of the name would name another folder, and the host would
    // start the renderer found there.
    const std::wstring shortFolder = ShortPath(folder);
    if (!shortFolder.empty()) {
        if (const auto ansi = forms::AnsiFromWide(shortFolder)) return *ansi;
    }
    return {};
}

std::u16string CommandLine() {
    // Not WinMain's lpCmdLine: the C runtime drops every blank before the
    // arguments there, and a leading blank changes which switch letter the
    // host sees.
    return ArgumentsOfCommandLine(U16(GetCommandLineW()));
}

namespace {
MousePointer applicationPointer = MousePointer::Default;
// Whether RunApplication initialised COM on the user-interface thread.
bool comInitialized = false;
}  // namespace

void SetMousePointer(MousePointer pointer) {
    applicationPointer = pointer;
    if (pointer == MousePointer::Hourglass) {
        SetCursor(LoadCursor(nullptr, IDC_WAIT));
        return;
    }
    // The window under the pointer chooses its own again, as if the pointer
    // had just moved there.
    POINT at = {};
    const HWND under = GetCursorPos(&at) ? WindowFromPoint(at) : nullptr;
    if (under != nullptr && GetWindowThreadProcessId(under, nullptr) == GetCurrentThreadId()) {
        const LRESULT hit = SendMessageW(under, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y));
        SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                     MAKELPARAM(static_cast<WORD>(hit), WM_MOUSEMOVE));
    } else {
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
    }
}

MousePointer CurrentMousePointer() { return applicationPointer; }

void MsgBox(const std::string& text, const std::string& title) {
    MessageBoxW(GetActiveWindow(), forms::WideFromUtf8(text).c_str(),
                forms::WideFromUtf8(title).c_str(), MB_OK);
}

void RunApplication(const std::function<std::unique_ptr<forms::Form>()>& startUp) {
    // The shell's functions (ShellExecute, the Open dialog) may hand their
    // work to shell extensions, COM objects, and ask their caller to have
    // initialised COM, apartment-threaded, on the thread. End releases it.
    // https://learn.microsoft.com/en-us/windows/win32/api/shellapi/nf-shellapi-shellexecutew
    comInitialized =
        SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    std::unique_ptr<forms::Form> started;
    {
        forms::LoadingScope loading;
        started = startUp();
    }
    while (!forms::Form::LoadedForms().empty()) {
        MSG message;
        if (GetMessageW(&message, nullptr, 0, 0) <= 0) break;  // WM_QUIT, or no queue
        forms::Form::Dispatch(message);
    }
    End();
}

void End() {
    if (comInitialized) CoUninitialize();
    // ExitProcess, not exit() or a return from WinMain: the destructors of
    // static form objects do not run either.
    ExitProcess(0);
}
