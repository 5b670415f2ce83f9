#pragma once
// Published properties of the library's classes, by name at run time.
//
// Every class that the property text, the property paths and the
// collections reach registers one table of its published properties (name,
// kind, getter, setter, default) with TiRegisterProperties in its own .cpp.
// A class's list is its ancestors' lists first, then its own entries; an
// entry whose name an ancestor already has replaces that one in its place
// (a redeclared property keeps its first position).

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeindex>
#include <vector>

#include "platform/classlib/Classes.h"

enum TTypeKind {
  tkUnknown,
  tkInteger,
  tkChar,
  tkEnumeration,
  tkFloat,
  tkString,
  tkSet,
  tkClass,
  tkMethod,
  tkWChar,
  tkLString,
  tkWString,
  tkVariant,
  tkArray,
  tkRecord,
  tkInterface,
  tkInt64,
  tkDynArray,
  tkUString
};

struct TiPropInfo {
  std::string Name;
  TTypeKind Kind = tkUnknown;
  // Ordinal kinds (integer, char, enumeration, set as its bit mask).
  std::function<long long(TObject*)> GetOrd;
  std::function<void(TObject*, long long)> SetOrd;
  std::function<double(TObject*)> GetFloat;
  std::function<void(TObject*, double)> SetFloat;
  std::function<std::string(TObject*)> GetStr;
  std::function<void(TObject*, const std::string&)> SetStr;
  // Class kind: the object the property holds (may be null).
  std::function<TObject*(TObject*)> GetObj;
  // Class properties: the object can be assigned.
  bool Writable = true;
  bool Stored = true;
  std::optional<long long> Default;
  // Range of an enumeration (a Boolean is 0..1).
  int MinValue = 0;
  int MaxValue = 0;
};

namespace iprops {

struct Table {
  std::type_index Type;
  std::type_index Parent;
  std::function<bool(const TObject*)> IsInstance;
  std::vector<TiPropInfo> Props;
};

void RegisterTable(Table table);

template <class M>
struct MemberTraits;
template <class C, class R>
struct MemberTraits<R (C::*)() const> {
  using Value = std::decay_t<R>;
};
template <class C, class A>
struct MemberTraits<void (C::*)(A)> {
  using Value = std::decay_t<A>;
};

template <class X>
struct IsSet : std::false_type {};
template <class E>
struct IsSet<TSet<E>> : std::true_type {
  using Enum = E;
};

}  // namespace iprops

// Fills one class's table; the kind follows from the getter's type: bool
// and enumerations are tkEnumeration, other integers tkInteger, double
// tkFloat, std::string tkString, TSet tkSet, pointers tkClass.
template <class T>
class TiPropertyBuilder {
 public:
  explicit TiPropertyBuilder(std::vector<TiPropInfo>& props) : FProps(props) {}

  // `def` is the declared default of an ordinal property (none: always written).
  template <class G, class S>
  TiPropertyBuilder& Add(std::string name, G get, S set, std::optional<long long> def = std::nullopt,
                         int enumMax = 0) {
    using V = typename iprops::MemberTraits<G>::Value;
    (void)set;
    TiPropInfo p;
    p.Name = std::move(name);
    p.Default = def;
    if constexpr (std::is_same_v<V, bool>) {
      p.Kind = tkEnumeration;
      p.MaxValue = 1;
    } else if constexpr (std::is_enum_v<V>) {
      p.Kind = tkEnumeration;
      p.MaxValue = enumMax;
    } else if constexpr (iprops::IsSet<V>::value) {
      p.Kind = tkSet;
    } else if constexpr (std::is_integral_v<V>) {
      p.Kind = tkInteger;
    } else if constexpr (std::is_floating_point_v<V>) {
      p.Kind = tkFloat;
    } else if constexpr (std::is_same_v<V, std::string>) {
      p.Kind = tkString;
    } else if constexpr (std::is_pointer_v<V>) {
      p.Kind = tkClass;
    } else {
      static_assert(sizeof(V) == 0, "unsupported property type");
    }
    if constexpr (std::is_pointer_v<V>) {
      p.GetObj = [get](TObject* o) -> TObject* { return (static_cast<T*>(o)->*get)(); };
    } else if constexpr (std::is_same_v<V, std::string>) {
      p.GetStr = [get](TObject* o) { return std::string((static_cast<T*>(o)->*get)()); };
      p.SetStr = [set](TObject* o, const std::string& v) { (static_cast<T*>(o)->*set)(v); };
    } else if constexpr (std::is_floating_point_v<V>) {
      p.GetFloat = [get](TObject* o) { return static_cast<double>((static_cast<T*>(o)->*get)()); };
      p.SetFloat = [set](TObject* o, double v) { (static_cast<T*>(o)->*set)(static_cast<V>(v)); };
    } else if constexpr (iprops::IsSet<V>::value) {
      using E = typename iprops::IsSet<V>::Enum;
      p.GetOrd = [get](TObject* o) { return static_cast<long long>((static_cast<T*>(o)->*get)().Bits()); };
      p.SetOrd = [set](TObject* o, long long v) {
        V s;
        for (unsigned i = 0; i < 32; ++i)
          if ((static_cast<unsigned long long>(v) >> i) & 1u) s << static_cast<E>(i);
        (static_cast<T*>(o)->*set)(s);
      };
    } else if constexpr (std::is_enum_v<V>) {
      p.GetOrd = [get](TObject* o) { return static_cast<long long>((static_cast<T*>(o)->*get)()); };
      // A value the enumeration does not have (a hand-edited file, say) is
      // ignored: the property keeps what it holds.
      p.SetOrd = [set, enumMax](TObject* o, long long v) {
        if (enumMax > 0 && (v < 0 || v > enumMax)) return;
        (static_cast<T*>(o)->*set)(static_cast<V>(v));
      };
    } else {
      p.GetOrd = [get](TObject* o) { return static_cast<long long>((static_cast<T*>(o)->*get)()); };
      p.SetOrd = [set](TObject* o, long long v) { (static_cast<T*>(o)->*set)(static_cast<V>(v)); };
    }
    Put(std::move(p));
    return *this;
  }

  // An object-valued property (a font, say): the text follows it into the
  // object; its own setter copies, so it counts as writable.
  template <class G>
  TiPropertyBuilder& Object(std::string name, G get) {
    return Add(std::move(name), get, nullptr);
  }

  // Marks the last entry as not stored (never written).
  TiPropertyBuilder& NotStored() {
    FProps.back().Stored = false;
    return *this;
  }

 private:
  void Put(TiPropInfo p) {
    for (auto& q : FProps)
      if (SameText(q.Name, p.Name)) {
        q = std::move(p);
        return;
      }
    FProps.push_back(std::move(p));
  }
  std::vector<TiPropInfo>& FProps;
};

// Registers T's table under its parent P (TObject: no parent). Use as a
// static object in the .cpp that defines the class's members (a .cpp with
// nothing else in it is left out of the program). Every class between a registered one
// and its registered ancestor registers too (an empty table will do).
template <class T, class P>
struct TiRegisterProperties {
  explicit TiRegisterProperties(const std::function<void(TiPropertyBuilder<T>&)>& fill) {
    iprops::Table t{
        typeid(T), typeid(P), [](const TObject* o) { return dynamic_cast<const T*>(o) != nullptr; }, {}};
    TiPropertyBuilder<T> b(t.Props);
    fill(b);
    iprops::RegisterTable(std::move(t));
  }
};

// Every published property of the instance's class in the order above;
// empty for a class with no table.
std::vector<const TiPropInfo*> GetPropList(const TObject* Instance);
// The published property of that name (case-insensitive), or null.
const TiPropInfo* GetPropInfo(const TObject* Instance, std::string_view Name);
// The property's setter exists (class properties: it can be assigned).
inline bool HasSetter(const TiPropInfo& p) {
  return p.Kind == tkClass ? p.Writable : (p.SetOrd || p.SetFloat || p.SetStr);
}
