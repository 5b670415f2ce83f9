#pragma once
// The property text of the library's controls and plot objects: one line
// per published property, "Path = Value", where the path names the nested
// objects through which the property is reached ("Font.Color = 255").

#include <string>

#include "instruments/base/iProperties.h"
#include "platform/classlib/StringList.h"

// Appends the lines of Instance and of its nested objects. OnlyChanged
// leaves out ordinal properties at their declared default; Exclude (may be
// null) lists full names that are not written.
void WritePropertiesText(TObject* Instance, const std::string& Prefix, TStrings* Lines, bool OnlyChanged,
                         const TStrings* Exclude);
// Applies and removes lines from the top of Lines while they belong to
// Prefix; the rest stay for the caller.
void ReadPropertiesText(TObject* Instance, const std::string& Prefix, TStrings* Lines);
// Sets one property from a line's name (dotted) and value. Names that are
// not properties are ignored; malformed numbers raise EConvertError.
void SetPropertyFromText(TObject* Instance, const std::string& Name, const std::string& Value,
                         char DecimalSeparator);
// The first line whose name is Name (case-insensitive): its value, and the
// line is deleted.
bool ExtractPropertyLine(const std::string& Name, std::string& Value, TStrings* Lines);
// Splits at the first Separator, both sides trimmed; both empty without one.
void SplitAtSeparator(const std::string& Text, char Separator, std::string& Left, std::string& Right);
// The object held by the published class property Name; null otherwise.
TObject* GetObjectProperty(TObject* Instance, const std::string& Name);
// The kind of the property at the dotted Path below Instance; tkUnknown
// when there is none.
TTypeKind FindPropertyKind(TObject* Instance, const std::string& Prefix, const std::string& Path);
// Sets the property at the dotted Path from the text form of a value
// ("True"/"False" for Booleans).
void SetPropertyByPath(TObject* Instance, const std::string& Prefix, const std::string& Value,
                       const std::string& Path);

// Blanks and control characters cut from both ends.
std::string iTrim(const std::string& Text);
