#pragma once
// The property text of the library's controls and plot objects: one line
// per published property, "Path = Value", where the path names the nested
// objects through which the property is reached ("Font.Color = 255").

#include <functional>
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

// The groups of a collection's items: "Item0.", "Item1.", ... before each
// item's lines. Write adds the lines of Count items; Read makes an item for
// each group at the top of Lines (Make, then its lines read into it, then
// Done) until a line belongs to no next group.
std::string iItemGroupPrefix(int Index);
void WriteItemGroups(int Count, const std::function<TObject*(int Index)>& Item, TStrings* Lines);
void ReadItemGroups(TStrings* Lines, const std::function<TObject*()>& Make,
                    const std::function<void(TObject*)>& Done);

// A collection under Name: Write's lines ("ItemN.Property = Value"),
// each added to Lines with "Name." before it.
void WriteCollectionText(const std::string& Name, const std::function<void(TStrings*)>& Write,
                         TStrings* Lines);
// Moves the lines under Name out of Lines into Out, "Name." removed; false
// when there were none.
bool ExtractCollectionText(const std::string& Name, TStrings* Lines, TStrings* Out);

// Blanks and control characters cut from both ends.
std::string iTrim(const std::string& Text);
