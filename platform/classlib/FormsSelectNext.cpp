// Moving the focus through a form in tab order, as the Tab key does.

#include <algorithm>
#include <vector>

#include "platform/classlib/Forms.h"

namespace {

// Every windowed control of a tab list: each one in its parent's tab
// order, followed by its own children.
void TabOrderList(const std::vector<TWinControl*>& TabList, std::vector<TWinControl*>& Out) {
  for (TWinControl* c : TabList) {
    Out.push_back(c);
    std::vector<TWinControl*> children;
    for (int i = 0; i < c->GetControlCount(); ++i)
      if (auto* w = dynamic_cast<TWinControl*>(c->GetControls(i))) children.push_back(w);
    std::sort(children.begin(), children.end(),
              [](const TWinControl* a, const TWinControl* b) { return a->GetTabOrder() < b->GetTabOrder(); });
    TabOrderList(children, Out);
  }
}

}  // namespace

void TCustomForm::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  std::vector<TWinControl*> order;
  TabOrderList(FTabList, order);
  if (order.empty()) return;
  if (!GoForward) std::reverse(order.begin(), order.end());
  const auto at = std::find(order.begin(), order.end(), CurControl);
  const size_t start = at == order.end() ? order.size() - 1 : static_cast<size_t>(at - order.begin());
  for (size_t step = 1; step <= order.size(); ++step) {
    TWinControl* c = order[(start + step) % order.size()];
    if (c == CurControl) break;
    if (!c->CanFocus() || (CheckTabStop && !c->GetTabStop())) continue;
    c->SetFocus();
    return;
  }
}
