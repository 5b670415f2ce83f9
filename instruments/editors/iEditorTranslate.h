#pragma once
// The plot's translation of an editor form (the master manager's
// TranslateForm): the form's caption, then in component order every
// control's text, the captions of the kit's check boxes and radio groups,
// the items of the kit's radio groups and combo boxes, and the captions of
// the top-level items of popup menus. A text with no entry stays; an empty
// table leaves the form untouched.

class TCustomForm;
class TiPlotTranslationManager;

void TranslateEditorForm(const TiPlotTranslationManager* Table, TCustomForm* Form);
