#include "host/app/startup.h"

#include <utility>

#include "host/forms/application.h"
#include "host/app/command_line.h"
#include "host/preview/preview_form.h"
#include "host/saver/saver_form.h"
#include "host/settings/ini_file.h"
#include "host/settings/settings.h"
#include "host/settings_dialog/settings_dialog.h"
#include "shared/program_contract.h"

std::unique_ptr<forms::Form> StartUp() {
    // Both look-ups are made, whatever the first one found. FindWindowA sees
    // hidden windows too, and the saver's form is never shown.
    const bool saverRunning = FindWindowA(nullptr, kSaverFormCaption) != nullptr;
    const bool dialogOpen = FindWindowA(nullptr, kSettingsDialogCaption) != nullptr;
    if (saverRunning || dialogOpen) End();

    const std::u16string commandLine = CommandLine();
    const char16_t letter = SwitchLetter(commandLine);

    if (letter == u'P') return ShowPreviewIn(PreviewHandle(commandLine));

    Settings settings = LoadSettings();

    // Without a folder of its own (AppFolder) the host can't find its
    // renderer either.
    const std::string folder = AppFolder();
    if (folder.empty() || !FileExists(folder + kRendererFile)) {
        MsgBox(kRendererMissingText, kHostTitle);
        End();
    }

    if (letter == u'C') {
        // Modal, with no owner: a handle after the switch (/c:1234, the
        // Display Properties' window) is not used. The host ends once the
        // dialog has closed.
        SettingsDialog settingsDialog(std::move(settings));
        settingsDialog.ShowModal();
        End();
    }

    if (!commandLine.empty() && letter != u'S') End();

    // Windows starts a screen saver with S; an empty command line runs it
    // with the cursor left alone.
    const bool asScreenSaver = letter == u'S';
    if (asScreenSaver) ShowCursor(FALSE);

    // The saver form is loaded, never shown; its Form_Load starts the run and
    // its timers end it.
    auto saverForm = std::make_unique<SaverForm>(std::move(settings), asScreenSaver);
    saverForm->Load();
    return saverForm;
}
