// Program entry: the application, the main window, then the message loop.

#include <exception>
#include <string>

#include "model/CommonConstants.h"

#include "platform/classlib/Forms.h"
#include "platform/sys/Locale.h"

namespace {

// Stands in for the main window until it exists.
class TStartForm : public TForm {
 public:
  explicit TStartForm(TComponent* AOwner) : TForm(AOwner) {
    SetCaption("TAVO");
    SetBounds(GetLeft(), GetTop(), 1126, 725);
  }
};

}  // namespace

int main(int argc, char** argv) {
  TApplication app(argc, argv);
  // The toolkit takes the user's locale when it starts; numbers are read
  // and written with a point all the same.
  sys::ForceCNumericLocale();
  try {
    app.Initialize();
    app.SetMainFormOnTaskBar(true);
    // The task-bar text carries the same version as the window caption.
    app.SetTitle(std::string(AppTitle) + " " + std::string(AppVersion));
    TStartForm* mainForm = nullptr;
    app.CreateForm(mainForm);
    app.Run();
  } catch (...) {
    app.HandleException(&app);
  }
  return 0;
}
