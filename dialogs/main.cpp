// Program entry: the application, the main window, then the message loop.

#include <exception>
#include <string>

#include "dialogs/ProgramForms.h"
#include "model/CommonConstants.h"
#include "platform/classlib/Forms.h"
#include "platform/sys/Locale.h"

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
    CreateProgramForms(app);
    app.Run();
  } catch (...) {
    app.HandleException(&app);
  }
  return 0;
}
