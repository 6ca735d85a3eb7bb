#pragma once

// The settings dialog's messages, UTF-8, shown in a message box with an OK
// button and no icon under the host's application title, as the host's other
// message is ("Glintra.dllが同じﾌｫﾙﾀﾞに見つかりません！"). After each one the
// dialog stays open, so the user's choices are not lost.

// "設定" with a repeat number that a 16-bit track number can't hold
// (RepeatFromText gave nothing). Nothing is written.
inline constexpr char kRepeatOutOfRangeMessage[] =
    "ﾘﾋﾟｰﾄする曲目は-32768から32767までの数で入力してください！";

// "設定" when the settings could not be written to Glintra.ini (a read-only
// folder or file, a full disk). The user's choices stay in the dialog.
inline constexpr char kSettingsNotSavedMessage[] = "設定をGlintra.iniに保存できませんでした！";

// A file chosen in the file chooser whose path the system's ANSI code page
// can't hold (the settings file stores it in that code page). The previous
// file stays chosen.
inline constexpr char kPathNotStorableMessage[] =
    "このﾌｧｲﾙ名にはGlintra.iniに保存できない文字が含まれています！";

// A chosen file whose path is longer than the settings file can hold and
// read back (kMaxStoredPathBytes in the ANSI code page). The previous file
// stays chosen.
inline constexpr char kPathTooLongMessage[] = "このﾌｧｲﾙ名は長すぎてGlintra.iniに保存できません！";
