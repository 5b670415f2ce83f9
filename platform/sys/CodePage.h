#pragma once
// 8-bit ANSI text (device names, names stored in files) to and from the
// project's UTF-8 strings. The code page is chosen once from the user's
// locale like a system code page: GBK for a Chinese locale, CP1252 otherwise.

#include <string>
#include <string_view>

enum class AnsiCodePage { Cp1252, Gbk };

// The code page in force: the one set by SetAnsiCodePage, else the one the
// environment (LC_ALL, LC_CTYPE, LANG, first non-empty wins) names.
AnsiCodePage GetAnsiCodePage();
void SetAnsiCodePage(AnsiCodePage page);

// The code page a locale name implies ("zh_CN.UTF-8" -> Gbk, others -> Cp1252).
AnsiCodePage AnsiCodePageForLocale(std::string_view localeName);

// Never throw. Bytes invalid in the code page (or a multi-byte character cut
// by the end of the view) become U+FFFD; nothing past the view is read.
std::string AnsiToUtf8(std::string_view bytes);
std::string AnsiToUtf8(std::string_view bytes, AnsiCodePage page);

// Characters the code page cannot carry become '?'. Invalid UTF-8 input
// bytes become '?' too.
std::string Utf8ToAnsi(std::string_view text);
std::string Utf8ToAnsi(std::string_view text, AnsiCodePage page);

// The same conversion without replacement: false when a character (the
// first one is put in `failed`, as UTF-8) has no place in the code page or
// the input is not UTF-8; `out` is then left unspecified.
bool Utf8ToAnsiExact(std::string_view text, AnsiCodePage page, std::string& out, std::string& failed);

// Text for a fixed field of `size` bytes: converted, then cut so that no
// multi-byte character is split by the field end. The result is at most
// `size` bytes (no terminator added).
std::string Utf8ToAnsiField(std::string_view text, size_t size);
std::string Utf8ToAnsiField(std::string_view text, size_t size, AnsiCodePage page);

// The same, filled up with `fill` to exactly `size` bytes (names travel
// padded with zero bytes or blanks).
std::string Utf8ToAnsiPadded(std::string_view text, size_t size, char fill);
std::string Utf8ToAnsiPadded(std::string_view text, size_t size, char fill, AnsiCodePage page);

// Text of a fixed field: stops at the first NUL byte, or at the field end.
// A character cut by the field end is dropped rather than replaced.
std::string AnsiFieldToUtf8(const char* field, size_t size);
std::string AnsiFieldToUtf8(const char* field, size_t size, AnsiCodePage page);
