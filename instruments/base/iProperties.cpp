#include "instruments/base/iProperties.h"

#include <map>
#include <memory>

#include "platform/classlib/Controls.h"

namespace {

struct Registry {
  std::vector<iprops::Table> Tables;
  std::map<std::type_index, std::shared_ptr<std::vector<const TiPropInfo*>>> Cache;
};

Registry& TheRegistry() {
  static Registry r;
  return r;
}

const iprops::Table* FindTable(std::type_index t) {
  for (const auto& table : TheRegistry().Tables)
    if (table.Type == t) return &table;
  return nullptr;
}

int Depth(const iprops::Table* t) {
  int d = 0;
  while (t && t->Parent != std::type_index(typeid(TObject))) {
    t = FindTable(t->Parent);
    ++d;
  }
  return d;
}

// The list of the most derived registered class the instance belongs to.
std::shared_ptr<std::vector<const TiPropInfo*>> BuildList(const TObject* Instance) {
  const iprops::Table* best = nullptr;
  int bestDepth = -1;
  for (const auto& table : TheRegistry().Tables)
    if (table.IsInstance(Instance)) {
      const int d = Depth(&table);
      if (d > bestDepth) {
        best = &table;
        bestDepth = d;
      }
    }
  std::vector<const iprops::Table*> chain;
  for (const iprops::Table* t = best; t; t = FindTable(t->Parent)) chain.insert(chain.begin(), t);
  auto list = std::make_shared<std::vector<const TiPropInfo*>>();
  for (const auto* t : chain)
    for (const auto& p : t->Props) {
      bool replaced = false;
      for (auto& q : *list)
        if (SameText(q->Name, p.Name)) {
          q = &p;
          replaced = true;
          break;
        }
      if (!replaced) list->push_back(&p);
    }
  return list;
}

// The platform classes that the library's controls publish through.
const TiRegisterProperties<TComponent, TObject> kComponent([](TiPropertyBuilder<TComponent>& b) {
  b.Add("Name", &TComponent::GetName, &TComponent::SetName).NotStored();
  b.Add("Tag", &TComponent::GetTag, &TComponent::SetTag, 0);
});

const TiRegisterProperties<TControl, TComponent> kControl([](TiPropertyBuilder<TControl>& b) {
  b.Add("Align", &TControl::GetAlign, &TControl::SetAlign, alNone, alCustom);
  b.Add("Cursor", &TControl::GetCursor, &TControl::SetCursor, crDefault);
  b.Add("Enabled", &TControl::GetEnabled, &TControl::SetEnabled, 1);
  b.Add("Hint", &TControl::GetHint, &TControl::SetHint);
  b.Add("ShowHint", &TControl::GetShowHint, &TControl::SetShowHint);
  b.Add("Visible", &TControl::GetVisible, &TControl::SetVisible, 1);
  b.Add("Left", &TControl::GetLeft, &TControl::SetLeft);
  b.Add("Top", &TControl::GetTop, &TControl::SetTop);
  b.Add("Width", &TControl::GetWidth, &TControl::SetWidth);
  b.Add("Height", &TControl::GetHeight, &TControl::SetHeight);
});

const TiRegisterProperties<TFont, TObject> kFont([](TiPropertyBuilder<TFont>& b) {
  b.Add("Charset", &TFont::GetCharset, &TFont::SetCharset, DEFAULT_CHARSET);
  b.Add("Color", &TFont::GetColor, &TFont::SetColor);
  b.Add("Height", &TFont::GetHeight, &TFont::SetHeight);
  b.Add("Name", &TFont::GetName, &TFont::SetName);
  b.Add("Orientation", &TFont::GetOrientation, &TFont::SetOrientation, 0);
  b.Add("Pitch", &TFont::GetPitch, &TFont::SetPitch, fpDefault, fpFixed);
  b.Add("Size", &TFont::GetSize, &TFont::SetSize).NotStored();
  b.Add("Style", &TFont::GetStyle, &TFont::SetStyle, 0);
});

}  // namespace

void iprops::RegisterTable(Table table) {
  auto& r = TheRegistry();
  r.Cache.clear();
  r.Tables.push_back(std::move(table));
}

std::vector<const TiPropInfo*> GetPropList(const TObject* Instance) {
  if (!Instance) return {};
  auto& cache = TheRegistry().Cache;
  const std::type_index key(typeid(*Instance));
  auto it = cache.find(key);
  if (it == cache.end()) it = cache.emplace(key, BuildList(Instance)).first;
  return *it->second;
}

const TiPropInfo* GetPropInfo(const TObject* Instance, std::string_view Name) {
  for (const auto* p : GetPropList(Instance))
    if (SameText(p->Name, Name)) return p;
  return nullptr;
}
