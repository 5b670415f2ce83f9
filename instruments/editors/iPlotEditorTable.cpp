#include "instruments/editors/iPlotEditorTable.h"

#include <algorithm>
#include <map>

#include "instruments/editors/iEditorPickers.h"

namespace {

// A name box's entries as stored, beside the shown (translated) items.
std::map<const TComponent*, std::vector<std::string>>& NameValues() {
  static std::map<const TComponent*, std::vector<std::string>> values;
  return values;
}

}  // namespace

std::string EditorGetText(TComponent* Control) {
  if (auto* e = dynamic_cast<TiComponentEditorEdit*>(Control)) return e->GetAsString();
  if (auto* c = dynamic_cast<TiComponentEditorComboBox*>(Control)) return c->GetAsString();
  return {};
}

void EditorSetText(TComponent* Control, const std::string& Value) {
  if (auto* e = dynamic_cast<TiComponentEditorEdit*>(Control)) e->SetAsString(Value);
  if (auto* c = dynamic_cast<TiComponentEditorComboBox*>(Control)) c->SetAsString(Value);
}

int EditorGetInteger(TComponent* Control) {
  if (auto* e = dynamic_cast<TiComponentEditorEdit*>(Control)) return e->GetAsInteger();
  if (auto* c = dynamic_cast<TiComponentEditorComboBox*>(Control)) return c->GetAsInteger();
  if (auto* r = dynamic_cast<TiComponentEditorRadioGroup*>(Control)) return r->GetAsInteger();
  return 0;
}

void EditorSetInteger(TComponent* Control, int Value) {
  if (auto* e = dynamic_cast<TiComponentEditorEdit*>(Control)) e->SetAsInteger(Value);
  if (auto* c = dynamic_cast<TiComponentEditorComboBox*>(Control)) c->SetAsInteger(Value);
  if (auto* r = dynamic_cast<TiComponentEditorRadioGroup*>(Control)) r->SetAsInteger(Value);
}

double EditorGetFloat(TComponent* Control) {
  auto* e = dynamic_cast<TiComponentEditorEdit*>(Control);
  return e ? e->GetAsFloat() : 0;
}

void EditorSetFloat(TComponent* Control, double Value) {
  if (auto* e = dynamic_cast<TiComponentEditorEdit*>(Control)) e->SetAsFloat(Value);
}

bool EditorGetBoolean(TComponent* Control) {
  auto* c = dynamic_cast<TiComponentEditorCheckBox*>(Control);
  return c && c->GetAsBoolean();
}

void EditorSetBoolean(TComponent* Control, bool Value) {
  if (auto* c = dynamic_cast<TiComponentEditorCheckBox*>(Control)) c->SetAsBoolean(Value);
}

TColor EditorGetColor(TComponent* Control) {
  auto* c = dynamic_cast<TiComponentEditorColorPicker*>(Control);
  return c ? c->GetColor() : 0;
}

void EditorSetColor(TComponent* Control, TColor Value) {
  if (auto* c = dynamic_cast<TiComponentEditorColorPicker*>(Control)) c->SetColor(Value);
}

const TFont* EditorGetFont(TComponent* Control) {
  auto* f = dynamic_cast<TiComponentEditorFontPicker*>(Control);
  return f ? f->GetFont() : nullptr;
}

void EditorSetFont(TComponent* Control, const TFont* Value) {
  if (auto* f = dynamic_cast<TiComponentEditorFontPicker*>(Control); f && Value) f->SetFont(Value);
}

void EditorSetNameValues(const TComponent* Control, std::vector<std::string> Values) {
  NameValues()[Control] = std::move(Values);
}

void EditorForgetNameValues(const TComponent* Control) {
  NameValues().erase(Control);
}

const std::vector<std::string>* EditorNameValues(const TComponent* Control) {
  auto it = NameValues().find(Control);
  return it == NameValues().end() ? nullptr : &it->second;
}

bool EditorGetName(TComponent* Control, std::string& Value) {
  auto* c = dynamic_cast<TiComponentEditorComboBox*>(Control);
  const std::vector<std::string>* values = EditorNameValues(Control);
  if (!c || !values) return false;
  const int index = c->GetAsInteger();
  if (index < 0 || index >= static_cast<int>(values->size())) return false;
  Value = (*values)[index];
  return true;
}

void EditorSelectName(TComponent* Control, const std::string& Value) {
  auto* c = dynamic_cast<TiComponentEditorComboBox*>(Control);
  const std::vector<std::string>* values = EditorNameValues(Control);
  if (!c || !values) return;
  auto it = std::find(values->begin(), values->end(), Value);
  c->SetAsInteger(it == values->end() ? -1 : static_cast<int>(it - values->begin()));
}

TiPlotEditorRow& TiPlotEditorTable::Add(std::string Control, std::string Caption, TiPlotEditorRowKind Kind) {
  TiPlotEditorRow& r = FRows.emplace_back();
  r.Control = std::move(Control);
  r.Caption = std::move(Caption);
  r.Kind = Kind;
  r.Sheet = FSheet;
  r.Group = FGroup;
  return r;
}

const TiPlotEditorRow* TiPlotEditorTable::Find(const std::string& Control) const {
  for (const TiPlotEditorRow& r : FRows)
    if (r.Control == Control) return &r;
  return nullptr;
}

std::vector<const TiPlotEditorRow*> TiPlotEditorTable::Ordered(const std::vector<const char*>& Order) const {
  std::vector<const TiPlotEditorRow*> out;
  for (const char* name : Order)
    if (const TiPlotEditorRow* r = Find(name); r && r->Write) out.push_back(r);
  for (const TiPlotEditorRow& r : FRows)
    if (r.Write && std::find(out.begin(), out.end(), &r) == out.end()) out.push_back(&r);
  return out;
}
