// A window as the target of a worker's messages: posts and synchronous
// deliveries reach the window's message map on the user-interface thread,
// a stop abandons a delivery's wait and drops what its channel posted, and
// the timer runs there too.

#include <gtest/gtest.h>

#include <QThread>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <thread>
#include <vector>

#include "ClassLibTestSupport.h"
#include "platform/classlib/WindowTarget.h"

using namespace classlib_test;

namespace {

constexpr unsigned WM_SENT = WM_USER + 11;
constexpr unsigned WM_POSTED = WM_USER + 12;

class TargetForm : public TForm {
 public:
  explicit TargetForm(TComponent* owner) : TForm(owner) {}
  std::vector<unsigned> handled;
  bool allOnMainThread = true;
  std::function<void()> onSent;

  void Dispatch(TMessage& m) override {
    if (m.Msg != WM_SENT && m.Msg != WM_POSTED) return TForm::Dispatch(m);
    handled.push_back(m.Msg);
    if (QThread::currentThread() != qApp->thread()) allOnMainThread = false;
    if (m.Msg == WM_SENT && onSent) onSent();
  }
};

class WindowTargetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    App();
    form = new TargetForm(Application);
  }
  void TearDown() override { form->Free(); }
  TargetForm* form = nullptr;
};

TEST_F(WindowTargetTest, AWorkersDeliveryRunsOnTheWindowThreadWhileTheWorkerWaits) {
  TWindowTarget target(form);
  std::unique_ptr<sys::MessageChannel> channel = target.OpenChannel();
  EXPECT_TRUE(target.OnTargetThread());
  std::atomic<bool> returned{false};
  auto sent = std::async(std::launch::async, [&] {
    const bool handled = channel->Send(WM_SENT, 1, 2);
    returned = true;
    return handled;
  });
  std::atomic<bool> workerWaitedInHandler{false};
  form->onSent = [&] { workerWaitedInHandler = !returned; };
  ASSERT_TRUE(PumpUntil([&] { return returned.load(); }));
  EXPECT_TRUE(sent.get());
  EXPECT_TRUE(workerWaitedInHandler);
  EXPECT_EQ(form->handled, std::vector<unsigned>{WM_SENT});
  EXPECT_TRUE(form->allOnMainThread);
}

TEST_F(WindowTargetTest, AStopEndsTheWaitAndDropsWhatTheChannelPosted) {
  TWindowTarget target(form);
  std::unique_ptr<sys::MessageChannel> channel = target.OpenChannel();
  ASSERT_TRUE(channel->Post(WM_POSTED, 0, 0));
  // Nothing is pumped: the worker waits until the stop lets it go.
  auto sent = std::async(std::launch::async, [&] { return channel->Send(WM_SENT, 0, 0); });
  EXPECT_EQ(sent.wait_for(std::chrono::milliseconds(20)), std::future_status::timeout);
  channel->Stop();
  EXPECT_FALSE(sent.get());
  EXPECT_FALSE(channel->Post(WM_POSTED, 0, 0)) << "a stopped channel posts nothing";
  // A plain post of the target still arrives, behind everything queued.
  ASSERT_TRUE(target.Post(WM_POSTED, 0, 0));
  ASSERT_TRUE(PumpUntil([&] { return !form->handled.empty(); }));
  EXPECT_EQ(form->handled, std::vector<unsigned>{WM_POSTED}) << "only the target's own post";
}

TEST_F(WindowTargetTest, TheTimerRunsOnTheWindowThreadOnlyWhileEnabled) {
  TWindowTarget target(form);
  int ticks = 0;
  bool onMain = true;
  std::unique_ptr<sys::Timer> timer = target.CreateTimer([&] {
    ++ticks;
    if (QThread::currentThread() != qApp->thread()) onMain = false;
  });
  EXPECT_FALSE(timer->GetEnabled()) << "made disabled";
  timer->SetInterval(5);
  timer->SetEnabled(true);
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 2; }));
  EXPECT_TRUE(onMain);
  timer->SetEnabled(false);
  EXPECT_FALSE(timer->GetEnabled());
}

}  // namespace
