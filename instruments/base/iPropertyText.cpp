#include "instruments/base/iPropertyText.h"

#include <algorithm>

#include "platform/sys/CodePage.h"
#include "platform/sys/SysUtils.h"

namespace {

constexpr size_t kMaxLine = 255;

std::string FullName(const std::string& Prefix, const std::string& Name) {
  return iTrim(Prefix).empty() ? Name : Prefix + "." + Name;
}

std::string ReplaceAll(std::string s, std::string_view from, std::string_view to, bool ignoreCase) {
  std::string out;
  size_t i = 0;
  while (i < s.size()) {
    const bool hit = i + from.size() <= s.size() &&
                     (ignoreCase ? SameText(std::string_view(s).substr(i, from.size()), from)
                                 : std::string_view(s).substr(i, from.size()) == from);
    if (hit) {
      out += to;
      i += from.size();
    } else {
      out += s[i++];
    }
  }
  return out;
}

// Through the ANSI code page and cut to the line limit.
std::string Limit(const std::string& text) {
  std::string ansi = Utf8ToAnsi(text);
  if (ansi.size() > kMaxLine) ansi.resize(kMaxLine);
  return AnsiToUtf8(ansi);
}

bool IsWrittenAsText(TTypeKind k) {
  return k == tkString || k == tkLString || k == tkWString || k == tkUString;
}

bool IsOrdinal(TTypeKind k) {
  return k == tkInteger || k == tkChar || k == tkEnumeration || k == tkSet;
}

// The shortest general text (15 significant digits where they suffice)
// that reads back to the same double.
std::string FloatText(double v) {
  for (int precision = 15; precision < 17; ++precision) {
    std::string text = FloatToStrF(v, ffGeneral, precision, 0);
    double back = 0;
    if (TryStrToFloat(text, back) && back == v) return text;
  }
  return FloatToStrF(v, ffGeneral, 17, 0);
}

double FloatFromText(std::string value, char DecimalSeparator) {
  // A file written under one decimal separator reads under the other.
  const char other = DecimalSeparator == '.' ? ',' : '.';
  const auto at = value.find(other);
  if (at != std::string::npos) value[at] = DecimalSeparator;
  if (DecimalSeparator != '.') std::replace(value.begin(), value.end(), DecimalSeparator, '.');
  return StrToFloat(value);
}

void SetFromText(TObject* Instance, const TiPropInfo& p, const std::string& Value, char DecimalSeparator) {
  if (IsOrdinal(p.Kind)) {
    if (p.SetOrd) p.SetOrd(Instance, StrToInt64(Value));
  } else if (p.Kind == tkFloat) {
    if (p.SetFloat) p.SetFloat(Instance, FloatFromText(Value, DecimalSeparator));
  } else if (IsWrittenAsText(p.Kind)) {
    if (p.SetStr) p.SetStr(Instance, ReplaceAll(ReplaceAll(Value, "#13", "\r", true), "#10", "\n", true));
  }
}

}  // namespace

std::string iTrim(const std::string& Text) {
  size_t b = 0, e = Text.size();
  while (b < e && static_cast<unsigned char>(Text[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(Text[e - 1]) <= ' ') --e;
  return Text.substr(b, e - b);
}

void WritePropertiesText(TObject* Instance, const std::string& Prefix, TStrings* Lines, bool OnlyChanged,
                         const TStrings* Exclude) {
  for (const TiPropInfo* p : GetPropList(Instance)) {
    if (!p->Stored || !HasSetter(*p)) continue;
    const std::string name = FullName(Prefix, p->Name);
    if (Exclude && Exclude->IndexOf(name) >= 0) continue;
    std::string value;
    if (IsOrdinal(p->Kind)) {
      const long long v = p->GetOrd(Instance);
      if (OnlyChanged && p->Default && *p->Default == v) continue;
      value = IntToStr(v);
    } else if (p->Kind == tkFloat) {
      value = FloatText(p->GetFloat(Instance));
    } else if (IsWrittenAsText(p->Kind)) {
      value = ReplaceAll(ReplaceAll(p->GetStr(Instance), "\r", "#13", false), "\n", "#10", false);
    } else if (p->Kind == tkClass) {
      if (TObject* o = p->GetObj(Instance); dynamic_cast<TPersistent*>(o))
        WritePropertiesText(o, name, Lines, OnlyChanged, Exclude);
      continue;
    } else {
      continue;
    }
    Lines->Add(Limit(Limit(name) + " = " + Limit(value)));
  }
}

void ReadPropertiesText(TObject* Instance, const std::string& Prefix, TStrings* Lines) {
  const char decimalSeparator = FloatToStr(1.1)[1];
  while (Lines->Count() > 0) {
    std::string name, value;
    SplitAtSeparator(Lines->Get(0), '=', name, value);
    std::string owner;
    if (!Prefix.empty()) {
      const auto dot = name.find('.');
      const std::string head = name.substr(0, dot);
      if (SameText(head, Prefix)) {
        owner = head;
        name = dot == std::string::npos ? std::string() : name.substr(dot + 1);
      }
    }
    if (owner != Prefix) return;
    SetPropertyFromText(Instance, name, value, decimalSeparator);
    Lines->Delete(0);
  }
}

void SetPropertyFromText(TObject* Instance, const std::string& Name, const std::string& Value,
                         char DecimalSeparator) {
  const auto dot = Name.find('.');
  if (dot != std::string::npos) {
    const TiPropInfo* p = GetPropInfo(Instance, Name.substr(0, dot));
    if (!p) return;
    TObject* o = p->Kind == tkClass ? p->GetObj(Instance) : nullptr;
    if (!dynamic_cast<TPersistent*>(o))
      throw EConvertError("Property " + p->Name + " does not hold an object");
    SetPropertyFromText(o, Name.substr(dot + 1), Value, DecimalSeparator);
    return;
  }
  if (const TiPropInfo* p = GetPropInfo(Instance, Name)) SetFromText(Instance, *p, Value, DecimalSeparator);
}

bool ExtractPropertyLine(const std::string& Name, std::string& Value, TStrings* Lines) {
  for (int i = 0; i < Lines->Count(); ++i) {
    std::string n, v;
    SplitAtSeparator(Lines->Get(i), '=', n, v);
    if (SameText(n, Name)) {
      Value = v;
      Lines->Delete(i);
      return true;
    }
  }
  return false;
}

void SplitAtSeparator(const std::string& Text, char Separator, std::string& Left, std::string& Right) {
  const auto at = Text.find(Separator);
  if (at == std::string::npos) {
    Left.clear();
    Right.clear();
    return;
  }
  Left = iTrim(Text.substr(0, at));
  Right = iTrim(Text.substr(at + 1));
}

TObject* GetObjectProperty(TObject* Instance, const std::string& Name) {
  const TiPropInfo* p = GetPropInfo(Instance, Name);
  return p && p->Kind == tkClass ? p->GetObj(Instance) : nullptr;
}

TTypeKind FindPropertyKind(TObject* Instance, const std::string& Prefix, const std::string& Path) {
  for (const TiPropInfo* p : GetPropList(Instance)) {
    if (!HasSetter(*p)) continue;
    const std::string name = FullName(Prefix, p->Name);
    if (p->Kind != tkClass) {
      if (SameText(name, Path)) return p->Kind;
    } else if (TObject* o = p->GetObj(Instance); dynamic_cast<TPersistent*>(o)) {
      if (const TTypeKind k = FindPropertyKind(o, name, Path); k != tkUnknown) return k;
    }
  }
  return tkUnknown;
}

void SetPropertyByPath(TObject* Instance, const std::string& Prefix, const std::string& Value,
                       const std::string& Path) {
  for (const TiPropInfo* p : GetPropList(Instance)) {
    if (!HasSetter(*p)) continue;
    const std::string name = FullName(Prefix, p->Name);
    if (p->Kind == tkClass) {
      if (TObject* o = p->GetObj(Instance); dynamic_cast<TPersistent*>(o))
        SetPropertyByPath(o, name, Value, Path);
      continue;
    }
    if (!SameText(name, Path)) continue;
    if (p->Kind == tkEnumeration) {
      std::string v = iTrim(Value);
      if (SameText(v, "True")) v = "1";
      if (SameText(v, "False")) v = "0";
      if (p->MinValue == 0 && p->MaxValue == 1 && v != "0") v = "1";
      p->SetOrd(Instance, StrToInt64(v));
    } else if (IsOrdinal(p->Kind)) {
      p->SetOrd(Instance, StrToInt64(Value));
    } else if (p->Kind == tkFloat) {
      p->SetFloat(Instance, StrToFloat(Value));
    } else if (IsWrittenAsText(p->Kind)) {
      p->SetStr(Instance, Value);
    }
  }
}

void WriteCollectionText(const std::string& Name, const std::function<void(TStrings*)>& Write,
                         TStrings* Lines) {
  TStringList items;
  Write(&items);
  for (int i = 0; i < items.Count(); ++i) Lines->Add(Name + "." + items.Get(i));
}

bool ExtractCollectionText(const std::string& Name, TStrings* Lines, TStrings* Out) {
  const std::string head = Name + ".";
  bool found = false;
  for (int i = 0; i < Lines->Count();) {
    const std::string line = Lines->Get(i);
    if (line.size() > head.size() && SameText(std::string_view(line).substr(0, head.size()), head)) {
      Out->Add(line.substr(head.size()));
      Lines->Delete(i);
      found = true;
    } else {
      ++i;
    }
  }
  return found;
}

std::string iItemGroupPrefix(int Index) {
  return "Item" + std::to_string(Index);
}

void WriteItemGroups(int Count, const std::function<TObject*(int Index)>& Item, TStrings* Lines) {
  for (int i = 0; i < Count; ++i) WritePropertiesText(Item(i), iItemGroupPrefix(i), Lines, false, nullptr);
}

void ReadItemGroups(TStrings* Lines, const std::function<TObject*()>& Make,
                    const std::function<void(TObject*)>& Done) {
  for (int i = 0; Lines->Count() > 0; ++i) {
    const std::string prefix = iItemGroupPrefix(i);
    const std::string first = Lines->Get(0);
    if (!SameText(first.substr(0, first.find('.')), prefix)) break;
    TObject* item = Make();
    ReadPropertiesText(item, prefix, Lines);
    Done(item);
  }
}
