#include "instruments/editors/iEditorTranslate.h"

#include "instruments/editors/iEditorControls.h"
#include "instruments/plot/iPlotTranslationManager.h"
#include "platform/classlib/Menus.h"

namespace {

void TranslateStrings(const TiPlotTranslationManager& Table, TStrings* Items) {
  for (int i = 0; i < Items->GetCount(); ++i) {
    const std::string text = Items->Get(i);
    const std::string translated = Table.FindReplacement(text);
    if (translated != text) Items->Put(i, translated);
  }
}

template <class Get, class Set>
void TranslateText(const TiPlotTranslationManager& Table, Get&& get, Set&& set) {
  const std::string text = get();
  const std::string translated = Table.FindReplacement(text);
  if (translated != text) set(translated);
}

}  // namespace

void TranslateEditorForm(const TiPlotTranslationManager* Table, TCustomForm* Form) {
  if (!Form || !Table || Table->Count() == 0) return;
  const TiPlotTranslationManager& t = *Table;
  TranslateText(
      t, [Form] { return Form->GetCaption(); }, [Form](const std::string& s) { Form->SetCaption(s); });
  for (int i = 0; i < Form->GetComponentCount(); ++i) {
    TComponent* c = Form->GetComponents(i);
    if (auto* combo = dynamic_cast<TiComponentEditorComboBox*>(c)) {
      // The items change under the selection, and the text follows it.
      const int index = combo->GetItemIndex();
      TranslateStrings(t, combo->GetItems());
      if (index >= 0)
        combo->SetAsInteger(index);
      else
        TranslateText(
            t, [combo] { return combo->GetAsString(); },
            [combo](const std::string& s) { combo->SetAsString(s); });
      continue;
    }
    if (auto* control = dynamic_cast<TControl*>(c))
      TranslateText(
          t, [control] { return control->GetCaption(); },
          [control](const std::string& s) { control->SetCaption(s); });
    if (auto* check = dynamic_cast<TiComponentEditorCheckBox*>(c))
      TranslateText(
          t, [check] { return check->GetCaption(); },
          [check](const std::string& s) { check->SetCaption(s); });
    if (auto* radio = dynamic_cast<TiComponentEditorRadioGroup*>(c)) {
      TranslateText(
          t, [radio] { return radio->GetCaption(); },
          [radio](const std::string& s) { radio->SetCaption(s); });
      TranslateStrings(t, radio->GetItems());
    }
    if (auto* popup = dynamic_cast<TPopupMenu*>(c)) {
      TMenuItem* root = popup->GetItems();
      for (int k = 0; root && k < root->GetCount(); ++k) {
        TMenuItem* item = root->GetItems(k);
        TranslateText(
            t, [item] { return item->GetCaption(); }, [item](const std::string& s) { item->SetCaption(s); });
      }
    }
  }
}
