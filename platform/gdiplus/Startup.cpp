#include "platform/gdiplus/ClassLibBridge.h"
#include "platform/gdiplus/GdiPlusTypes.h"

namespace Gdiplus {

namespace {

Status NotificationHook(std::uintptr_t* token) {
  if (!token) return InvalidParameter;
  *token = 1;
  return Ok;
}

void NotificationUnhook(std::uintptr_t) {}

}  // namespace

Status GdiplusStartup(std::uintptr_t* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output) {
  if (!token || !input) return InvalidParameter;
  if (input->GdiplusVersion < 1 || input->GdiplusVersion > 3) return UnsupportedGdiplusVersion;
  // Without a background thread the caller must take the hooks.
  if (input->SuppressBackgroundThread && !output) return InvalidParameter;
  if (output) {
    output->NotificationHook = &NotificationHook;
    output->NotificationUnhook = &NotificationUnhook;
  }
  InstallClassLibDecoders();
  *token = 1;
  return Ok;
}

void GdiplusShutdown(std::uintptr_t) {}

}  // namespace Gdiplus
