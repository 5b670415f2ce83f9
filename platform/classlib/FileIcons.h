#pragma once
// The desktop's icons of files and folders, as a file manager shows them.

#include <string>

class TBitmap;

enum TFileIconSize { fisSmall, fisLarge };

// The side of an icon of that size in pixels: 16 small, 32 large.
int FileIconSide(TFileIconSize Size);

// Puts the icon of the file or folder at Path into Icon (32-bit, with its
// transparency, FileIconSide square). A path that exists gets the icon of
// what it is; one that does not is judged by its name alone (a name ending
// in a slash is a folder). False, leaving Icon alone, for an empty path or
// when the desktop has no icon to give.
bool GetFileIcon(const std::string& Path, TFileIconSize Size, TBitmap* Icon);
