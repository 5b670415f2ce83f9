// Posted and synchronously sent messages, the stop that abandons a
// worker's wait, and TThread's Synchronize / WaitFor.

#include <gtest/gtest.h>

#include <QThread>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <thread>
#include <vector>

#include "ClassLibTestSupport.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Threads.h"

using namespace classlib_test;

namespace {

constexpr unsigned WM_TEST = WM_USER + 1;
constexpr unsigned WM_TEST_POSTED = WM_USER + 2;

// A form whose message map takes two messages of its own and passes the
// rest on.
class MapForm : public TForm {
 public:
  explicit MapForm(TComponent* owner) : TForm(owner) {}
  std::vector<std::pair<unsigned, WPARAM>> handled;
  std::vector<bool> onMainThread;
  std::function<void(TMessage&)> onTest;

  void Dispatch(TMessage& m) override {
    switch (m.Msg) {
      case WM_TEST:
      case WM_TEST_POSTED:
        handled.push_back({m.Msg, m.WParam});
        onMainThread.push_back(QThread::currentThread() == qApp->thread());
        if (onTest && m.Msg == WM_TEST) onTest(m);
        break;
      default:
        TForm::Dispatch(m);
    }
  }
};

bool JoinWithin(std::thread& t, std::future<void>& done, int ms) {
  if (done.wait_for(std::chrono::milliseconds(ms)) != std::future_status::ready) return false;
  t.join();
  return true;
}

class MessagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    App();
    Messages().clear();
    form = new MapForm(Application);
  }
  void TearDown() override {
    if (form) form->Free();
  }
  MapForm* form = nullptr;
};

TEST_F(MessagesTest, PostedMessagesRunInOrderOnTheUiThreadAndOthersReachTheInheritedMap) {
  std::thread worker([h = form->GetHandle()] {
    for (WPARAM i = 0; i < 5; ++i) PostMessage(h, WM_TEST_POSTED, i, 0);
  });
  worker.join();
  EXPECT_TRUE(form->handled.empty()) << "a posted message ran at once";
  ASSERT_TRUE(WaitForValue(
      "handled messages", [&] { return form->handled.size(); }, 5u));
  for (WPARAM i = 0; i < 5; ++i) EXPECT_EQ(form->handled[i].second, i);
  for (bool main : form->onMainThread) EXPECT_TRUE(main);

  // WM_CLOSE is not in the form's own map: the inherited handling closes it.
  form->Show();
  ASSERT_TRUE(PostMessage(form, WM_CLOSE, 0, 0));
  ASSERT_TRUE(WaitForValue(
      "form visible", [&] { return form->GetVisible(); }, false));
}

TEST_F(MessagesTest, MessageForAFreedWindowIsDropped) {
  HWND h = form->GetHandle();
  PostMessage(h, WM_TEST_POSTED, 1, 0);
  form->Free();
  form = nullptr;
  DrainEvents();
  EXPECT_EQ(SendMessage(h, WM_TEST, 0, 0), 0);
  EXPECT_FALSE(PostMessage(HWND{}, WM_TEST, 0, 0));
}

TEST_F(MessagesTest, SenderWaitsForTheHandlerAndPostsMadeByItQueueUp) {
  TSyncMessageSender sender(form->GetHandle());
  form->onTest = [&](TMessage& m) {
    m.Result = static_cast<LRESULT>(m.WParam * 10);
    PostMessage(form->GetHandle(), WM_TEST_POSTED, m.WParam, 0);
  };
  std::vector<LRESULT> results;
  std::promise<void> finished;
  auto done = finished.get_future();
  std::thread worker([&] {
    for (WPARAM i = 1; i <= 3; ++i) {
      TMessage m;
      m.Msg = WM_TEST;
      m.WParam = i;
      // The handler ran before Send returned; its posts did not.
      if (sender.Send(m)) results.push_back(m.Result);
    }
    finished.set_value();
  });
  ASSERT_TRUE(WaitFor("the worker's three sends",
                      [&] { return done.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }));
  worker.join();
  EXPECT_EQ(results, (std::vector<LRESULT>{10, 20, 30}));
  ASSERT_TRUE(WaitForValue(
      "handled messages", [&] { return form->handled.size(); }, 6u));
  for (bool main : form->onMainThread) EXPECT_TRUE(main);
  // Each sent message is handled before the post its handler made.
  EXPECT_EQ(form->handled[0], std::make_pair(WM_TEST, WPARAM{1}));
}

TEST_F(MessagesTest, ExceptionInASentMessageIsShownAndTheWorkerCarriesOn) {
  TSyncMessageSender sender(form->GetHandle());
  form->onTest = [](TMessage&) { throw Exception("Frame handler failed"); };
  std::atomic<int> answered{0};
  std::thread worker([&] {
    if (sender.Send(WM_TEST, 0, 0)) ++answered;
    if (sender.Send(WM_TEST, 1, 0)) ++answered;
  });
  ASSERT_TRUE(WaitForValue(
      "answered sends", [&] { return answered.load(); }, 2));
  worker.join();
  EXPECT_EQ(Messages().size(), 2u);
}

TEST_F(MessagesTest, StopInsideTheHandlerReleasesTheWaitingWorker) {
  // The handler opens a modal window (as the real one does); a timer in that
  // window stops the sender, as closing a link does. The worker must be free
  // while the handler still runs, and the frame it lent must stay valid.
  TSyncMessageSender sender(form->GetHandle());
  FormGuard keep;
  auto* dialog = keep(new TForm(Application));
  auto* stopTimer = new TTimer(dialog);
  stopTimer->SetEnabled(false);
  stopTimer->SetInterval(5);
  std::promise<void> finished;
  auto done = finished.get_future();
  std::atomic<bool> sendResult{true};
  std::atomic<bool> workerReturnedDuringHandler{false};
  stopTimer->OnTimer = [&](TObject*) {
    stopTimer->SetEnabled(false);
    sender.Stop();
    workerReturnedDuringHandler = done.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    dialog->SetModalResult(mrOk);
  };
  int frameSum = -1;
  form->onTest = [&](TMessage& m) {
    stopTimer->SetEnabled(true);
    dialog->ShowModal();
    auto* frame = reinterpret_cast<const std::vector<int>*>(m.WParam);
    frameSum = 0;
    for (int v : *frame) frameSum += v;
  };
  std::thread worker([&] {
    auto frame = std::make_shared<std::vector<int>>(std::vector<int>{1, 2, 3});
    sendResult = sender.Send(WM_TEST, reinterpret_cast<WPARAM>(frame.get()), 0, frame);
    frame.reset();
    finished.set_value();
  });
  ASSERT_TRUE(WaitFor("the handler to read the frame", [&] { return frameSum >= 0; }));
  worker.join();
  EXPECT_TRUE(workerReturnedDuringHandler);
  EXPECT_FALSE(sendResult);
  EXPECT_EQ(frameSum, 6);
  // Stopped for good.
  EXPECT_FALSE(sender.Send(WM_TEST, 0, 0));
}

TEST_F(MessagesTest, NothingIsDeliveredAfterStop) {
  TSyncMessageSender sender(form->GetHandle());
  std::atomic<bool> result{true};
  std::promise<void> finished;
  auto done = finished.get_future();
  // The worker's send holds a share of the token from the moment it starts.
  auto token = std::make_shared<int>(0);
  std::thread worker([&, lent = token] {
    result = sender.Send(WM_TEST, 7, 0, lent);
    finished.set_value();
  });
  // The user-interface thread is busy (not pumping) when it stops the link.
  ASSERT_TRUE(SpinUntil("the worker's send to start", [&] { return token.use_count() > 2; }));
  sender.Stop();
  ASSERT_TRUE(JoinWithin(worker, done, 10000)) << "stop did not release the worker";
  EXPECT_FALSE(result);
  DrainEvents();
  EXPECT_TRUE(form->handled.empty());
}

TEST_F(MessagesTest, StoppingWhileAWorkerSendsInALoopNeverDeadlocks) {
  for (int round = 0; round < 20; ++round) {
    auto sender = std::make_unique<TSyncMessageSender>(form->GetHandle());
    std::atomic<int> sent{0};
    std::atomic<bool> stopped{false};
    std::promise<void> finished;
    auto done = finished.get_future();
    size_t handledAtStop = 0;
    std::thread worker([&] {
      while (sender->Send(WM_TEST, 0, 0)) ++sent;
      stopped = true;
      finished.set_value();
    });
    ASSERT_TRUE(WaitFor("more than " + std::to_string(round) + " sends", [&] { return sent > round; }));
    sender->Stop();
    handledAtStop = form->handled.size();
    // Whatever the worker was doing, it comes back.
    ASSERT_TRUE(WaitFor("the worker to see the stop", [&] { return stopped.load(); }));
    worker.join();
    DrainEvents();
    EXPECT_EQ(form->handled.size(), handledAtStop) << "delivered after stop, round " << round;
    form->handled.clear();
  }
}

// ---------------------------------------------------------------- TThread

class CountingThread : public TThread {
 public:
  explicit CountingThread(bool suspended) : TThread(suspended) {}
  std::atomic<int> loops{0};
  std::vector<bool> syncOnMain;
  bool throwInSync = false;
  bool caughtInWorker = false;

 protected:
  void Execute() override {
    while (!Terminated()) {
      if (loops < 3) {
        try {
          Synchronize([this] {
            syncOnMain.push_back(QThread::currentThread() == qApp->thread());
            if (throwInSync) throw Exception("sync failed");
          });
        } catch (const Exception&) {
          caughtInWorker = true;
        }
      }
      ++loops;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    SetReturnValue(42);
  }
};

TEST(ThreadTest, SuspendedThreadWaitsForStartAndWaitForServesSynchronize) {
  App();
  CountingThread t(true);
  // Nothing runs before Start: no loop, and no synchronised call queued.
  CheckSynchronize();
  EXPECT_EQ(t.loops, 0);
  EXPECT_TRUE(t.syncOnMain.empty());
  EXPECT_FALSE(t.GetStarted());
  t.Start();
  EXPECT_THROW(t.Start(), EThread);
  // The UI thread does not pump: WaitFor itself runs the synchronised calls
  // (someone else tells the thread to end once they are through).
  std::thread stopper([&] {
    EXPECT_TRUE(SpinUntil("five loops of the thread", [&] { return t.loops >= 5; }));
    t.Terminate();
  });
  EXPECT_EQ(t.WaitFor(), 42);
  stopper.join();
  EXPECT_TRUE(t.GetFinished());
  EXPECT_EQ(t.syncOnMain, (std::vector<bool>{true, true, true}));
}

TEST(ThreadTest, ExceptionInSynchronizeReturnsToTheWorker) {
  App();
  CountingThread t(true);
  t.throwInSync = true;
  t.Start();
  EXPECT_TRUE(SpinUntil("three loops of the thread", [&] {
    CheckSynchronize();
    return t.loops >= 3;
  }));
  t.Terminate();
  t.WaitFor();
  EXPECT_TRUE(t.caughtInWorker);
}

class OneShotThread : public TThread {
 public:
  explicit OneShotThread(bool suspended, std::atomic<bool>* gone) : TThread(suspended), FGone(gone) {}
  ~OneShotThread() override {
    if (FGone) *FGone = true;
  }

 protected:
  void Execute() override { throw Exception("worker failed"); }

 private:
  std::atomic<bool>* FGone;
};

TEST(ThreadTest, OnTerminateRunsOnTheUiThreadAndExecuteErrorsAreKept) {
  App();
  auto* t = new OneShotThread(true, nullptr);
  bool terminatedOnMain = false;
  t->OnTerminate = [&](TObject*) { terminatedOnMain = QThread::currentThread() == qApp->thread(); };
  t->Start();
  t->WaitFor();
  EXPECT_TRUE(terminatedOnMain);
  EXPECT_TRUE(t->GetFatalException() != nullptr);
  t->Free();
}

TEST(ThreadTest, FreeOnTerminateThreadFreesItself) {
  App();
  std::atomic<bool> gone{false};
  auto* t = new OneShotThread(true, &gone);
  t->SetFreeOnTerminate(true);
  t->Start();
  ASSERT_TRUE(WaitFor("the thread to free itself", [&] { return gone.load(); }));
}

}  // namespace
