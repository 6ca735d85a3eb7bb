#pragma once

#include <string>

// The portable halves of the application object, over UTF-16 text as Windows
// gives it. Working on characters rather than ANSI bytes matters: in code
// page 932 the second byte of a character can be 0x5C, a backslash.

// The folder part of a program's full path: everything before the last
// backslash, and "C:\" rather than "C:" when that is a drive root.
std::u16string FolderOfProgramPath(const std::u16string& path);

// What follows the program's name on a process command line. The name ends at
// its closing quote when it starts with one, else at the first blank or tab;
// one blank or tab after it separates it from the arguments and is dropped.
// Anything further, leading blanks included, belongs to the arguments.
std::u16string ArgumentsOfCommandLine(const std::u16string& commandLine);
