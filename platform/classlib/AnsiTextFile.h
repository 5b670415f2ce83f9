#pragma once
// Text files in the ANSI code page, as the library's own text files are
// kept: written without a byte-order mark, lines ended by CR LF, and a text
// the code page cannot carry refused instead of turned into "?"; read
// honouring a UTF-8 or UTF-16 byte-order mark, else in the ANSI code page,
// with lines ended by CR LF, LF or CR.

#include <string>

#include "platform/classlib/StringList.h"

// Builds the whole file first and writes it in one go; EConvertError names
// the first character the code page cannot hold (no file is written), and
// EFCreateError or EWriteError a file that cannot be written.
void SaveAnsiTextFile(const std::string& FileName, const TStrings* Lines);
// Replaces Lines only after the whole file was read; EFOpenError or
// EReadError otherwise.
void LoadAnsiTextFile(const std::string& FileName, TStrings* Lines);
