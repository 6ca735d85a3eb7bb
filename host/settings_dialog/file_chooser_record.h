#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The contents of the music-file chooser's record (ChooseButton_Click), as
// portable data. Every field not named here is zero or null: no initial
// folder, filter index 0, flags 0 (so the read-only check box shows and a
// typed name need not exist).
//
// For the form's author (Win32, in the form's own file):
// - The chooser is the wide one, GetOpenFileNameW with an OPENFILENAMEW, so
//   the Japanese title and filter read correctly whatever the system's ANSI
//   code page; the strings below are its UTF-16 texts.
// - lStructSize is OPENFILENAME_SIZE_VERSION_400W: the short record without
//   the fields later Windows versions appended (76 bytes in a 32-bit program,
//   136 in this 64-bit one; sizeof(OPENFILENAMEW) is the long record).
// - hwndOwner is the dialog's window, hInstance the host's module.
// - The chosen path (ChosenPath of the file buffer) becomes the music file in the
//   ANSI code page, as the settings file stores it. CheckChosenPath says
//   whether it may: a path that the code page can't hold (WideCharToMultiByte
//   with WC_NO_BEST_FIT_CHARS reports a default character used), or one
//   longer than the settings file reads back, is not stored: the message of
//   ChosenPathMessage (dialog_messages.h), and the previous file stays.

// "ﾌｧｲﾙを開く"
inline constexpr char16_t kChooserTitle[] = u"ﾌｧｲﾙを開く";

// One description and pattern pair, each closed by a NUL, and the NUL that
// closes the list: "BGMﾌｧｲﾙ (MP3 WAV)" NUL "*.MP3;*.WAV" NUL NUL. The
// literal's own terminating NUL is the last one.
inline constexpr char16_t kChooserFilter[] = u"BGMﾌｧｲﾙ (MP3 WAV)\0*.MP3;*.WAV\0";

// The file buffer (lpstrFile, nMaxFile) and the title buffer (lpstrFileTitle,
// nMaxFileTitle), in characters, each all NUL before the call. A path that
// doesn't fit with its closing NUL makes the chooser fail, and nothing changes.
constexpr uint32_t kChooserFileChars = 255;
constexpr uint32_t kChooserFileTitleChars = 255;

constexpr uint32_t kChooserFlags = 0;
constexpr uint32_t kChooserFilterIndex = 0;

// The path the chooser returned: the file buffer's text up to its first NUL
// (the whole buffer when it holds none).
std::u16string ChosenPath(const char16_t* buffer, std::size_t chars);

// The longest path, in bytes of the ANSI code page, that is stored: what the
// narrow chooser's 255-character buffer held with its closing NUL. The
// settings file reads back at most 255 bytes, so a longer path would come
// back cut short and be dropped at the next start.
constexpr std::size_t kMaxStoredPathBytes = 254;

enum class ChosenPathCheck {
    kStorable,
    kNotInCodePage,  // the ANSI code page has no character for some of it
    kTooLong,        // longer than kMaxStoredPathBytes in the ANSI code page
};

// Whether a chosen path can be stored, from its conversion to the ANSI code
// page: `converted` is false when a character had no match, `ansiBytes` the
// length of the converted text without its NUL.
ChosenPathCheck CheckChosenPath(bool converted, std::size_t ansiBytes);

// The message that tells the user why a chosen path is not stored; nullptr
// for a path that is.
const char* ChosenPathMessage(ChosenPathCheck check);
