#pragma once
// One application for the response tests, a form to put components on, and
// event pumping with a deadline.

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QWidget>

#include <functional>
#include <memory>

#include "platform/classlib/Forms.h"

namespace response_test {

inline TApplication* App() {
  if (!Application) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "response-test";
    static char* argv[] = {name, nullptr};
    new TApplication(argc, argv);
  }
  return Application;
}

inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 10000) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > timeoutMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

// Handles what is waiting now (paints, layout), without waiting for more.
inline void Settle() {
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

struct FormFixture {
  std::unique_ptr<TForm> form;
  FormFixture(int w = 1200, int h = 400) {
    App();
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, w, h);
    form->SetColor(0x202020);
  }
  void Show() {
    form->Show();
    Settle();
  }
};

// What the control shows, as the screen would.
inline QImage Shot(TControl* c) {
  return c->GetWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// 0x00BBGGRR of a pixel of an image.
inline int Pixel(const QImage& img, int x, int y) {
  const QRgb p = img.pixel(x, y);
  return qRed(p) | (qGreen(p) << 8) | (qBlue(p) << 16);
}

}  // namespace response_test
