#pragma once

// What Glintra.scr, Glintra.dll and the end-to-end tests agree on, each
// written once. Nothing else spells these out: a change here reaches both
// programs and the tests that check them. Plain constants, without
// <windows.h>, so that the portable code and the native build include them
// too. Texts are UTF-8; they reach the user through the wide functions.

// The renderer's window. The host polls for a top-level window of this
// title and ends its saver run once none is left.
constexpr char kRendererWindowTitle[] = "Glintra_VC";

// The two programs' files: they lie side by side, and the host starts the
// renderer as its application folder followed by kRendererFile.
constexpr char kRendererFile[] = "\\Glintra.dll";
constexpr char kHostFile[] = "\\Glintra.scr";

// The glow bitmap: the host writes it before it starts the renderer, which
// reads it once. The native renderer reads its counterpart under /tmp.
#ifdef _WIN32
constexpr char kGlowBitmapFolder[] = "C:\\q_vane";
constexpr char kGlowBitmapPath[] = "C:\\q_vane\\Glintra.bmp";
#else
constexpr char kGlowBitmapFolder[] = "/tmp/q_vane";
constexpr char kGlowBitmapPath[] = "/tmp/q_vane/Glintra.bmp";
#endif

// The host's captions. A top-level window captioned kSaverFormCaption (the
// saver form, hidden) or kSettingsDialogCaption (the settings dialog) means
// a saver run or a dialog is under way, and a new start of the host ends at
// once. The preview form's caption is no such marker.
constexpr char kSaverFormCaption[] = "Glintra_Main";
constexpr char kSettingsDialogCaption[] = "<Glintra>";
constexpr char kPreviewFormCaption[] = "Preview Window";

// The host's message when the renderer is not beside it, and the title of
// its message boxes.
constexpr char kHostTitle[] = "Glintra (ScreenSaver)";
constexpr char kRendererMissingText[] = "Glintra.dllが同じﾌｫﾙﾀﾞに見つかりません！";

// The home page that the settings dialog's "その他の作品" opens in the user's
// browser: the project's page, with its other works.
constexpr char kHomePageAddress[] = "https://glintra.example.org/";
