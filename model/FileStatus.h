#pragma once
// Outcome of reading or writing a preset or unit file, for the window's message.

enum class FileStatus {
  Ok,
  Cancelled,    // the user cancelled the file dialog; nothing was written
  CannotRead,   // the file could not be opened or read
  BadFile,      // wrong size or magic; nothing was changed
  WriteFailed,  // the file could not be written; an existing file is unchanged
  ReadOnly,     // the file is read-only; it was left unchanged
};
