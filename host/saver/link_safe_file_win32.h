#pragma once

#include <string>

// Writes `size` bytes as the file `path` in the folder `folder` (both full
// paths with a drive letter, `path` directly inside `folder`), making the
// folder if it is missing and replacing what the file held. Nothing is
// written, and false comes back, unless the folder and the file are what
// their names say: a folder or file that is a symbolic link, a junction or a
// mount point, or a file with a second name (a hard link), may lead anywhere,
// to a file that the user running the saver may write but never meant to.
// A dangling link is not followed either: no file is made where it points.
bool WriteFileWithoutFollowingLinks(const std::wstring& folder, const std::wstring& path,
                                    const void* bytes, unsigned long size);
