// A search stopped by the user through the Working window, on a back-end without windows: the
// stop comes at a repaint point, nothing further is written, and the main window is ready for
// the next press; without a stop the answer is the same as ever. The window system is polled
// for the stop no more often than the window layer's interval allows.

#include <QtTest>

#include <chrono>
#include <map>

#include "main_window/main_form.h"
#include "platform/program_folder.h"
#include "tests/toolkit/fake_backend.h"

using namespace quorvane;
using test::FakeBackend;
using test::FakePeer;

class TestSearchStop : public QObject {
  Q_OBJECT

  FakeBackend backend_;
  std::unique_ptr<MainForm> form_;
  int polls_ = -1;  // the Working window's polls for a stop; -1 while it was never opened
  int stopAtPoll_ = 0;
  std::chrono::steady_clock::time_point now_;
  std::chrono::microseconds tick_ = ui::kStopPollInterval;  // the clock's move at each reading

  std::string caption(ResultLabel label) { return form_->controls().result(label).caption(); }

 private slots:
  void initTestCase() {
    ui::SetBackend(&backend_);
    ui::SetMessageBoxHook([](const std::string& title, const std::string& text) {
      QFAIL(qPrintable(QString::fromStdString(title + ": " + text)));
    });
    backend_.onCreate = [this](FakePeer& peer, const ui::WindowDescription& d) {
      if (d.name != "frmWorking") return;
      polls_ = 0;
      peer.pollsSeen = &polls_;
      peer.stopAfterPolls = stopAtPoll_;
    };
    ui::SetStopPollClock([this] { return now_ += tick_; });
  }

  // From 31,000,000 XP, handing in books, level 77 takes 5025 scalps (so says quorvane-cli).
  void stop_data() {
    // clang-format off
    QTest::addColumn<bool>("atInterval");
    QTest::addColumn<bool>("windowShown");
    QTest::addColumn<int>("stopAtPoll");
    QTest::addColumn<int>("tick");       // microseconds the clock moves between two questions
    QTest::addColumn<int>("questions");  // the questions that polled the window system
    const int interval = static_cast<int>(std::chrono::microseconds(ui::kStopPollInterval).count());
    QTest::newRow("interval 100, stopped at the third repaint") << true << true << 3 << interval << 3;
    QTest::newRow("every candidate, stopped at the tenth") << false << true << 10 << interval << 10;
    QTest::newRow("interval 100, not stopped") << true << true << 0 << interval << 51;
    QTest::newRow("every candidate, not stopped") << false << true << 0 << interval << 1006;
    QTest::newRow("no Working window: never asked") << true << false << 1 << interval << -1;
    QTest::newRow("every candidate, a tick short of the interval: every second polls") << false << true << 0 << interval - 1 << 503;
    QTest::newRow("every candidate, the clock standing: the first alone polls") << false << true << 0 << 0 << 1;
    // clang-format on
  }
  void stop() {
    QFETCH(bool, atInterval);
    QFETCH(bool, windowShown);
    QFETCH(int, stopAtPoll);
    QFETCH(int, tick);
    QFETCH(int, questions);
    this->stopAtPoll_ = stopAtPoll;
    tick_ = std::chrono::microseconds(tick);
    polls_ = -1;
    form_ = std::make_unique<MainForm>();
    form_->setLevelTablePath(DefaultLevelTablePath());
    const MainFormControls& c = form_->controls();
    c.xp.setText("31000000");
    c.questPart[2].setValue(true);
    c.searchTarget.setValue(1);
    c.targetLevel.setText("77");
    c.updateAtInterval.setValue(atInterval ? 1 : 0);
    c.hideWorkingWindow.setValue(windowShown ? 0 : 1);

    form_->ExecuteCmd_Click();
    QCOMPARE(polls_, questions);
    QVERIFY(!form_->workingWindow());  // closed after a stop as after an answer
    if (stopAtPoll > 0 && windowShown) {
      // Nothing after the stop: no scalps needed, no results, the items as at start-up.
      QCOMPARE(caption(ResultLabel::ScalpsNeeded), std::string());
      QCOMPARE(caption(ResultLabel::Level), std::string("Click Calculate"));
      QCOMPARE(caption(ResultLabel::ScalpsLeft), std::string());
      // Ready for the next press, which runs to its answer.
      this->stopAtPoll_ = 0;
      form_->ExecuteCmd_Click();
    }
    QCOMPARE(caption(ResultLabel::ScalpsNeeded), std::string("5025"));
    QCOMPARE(caption(ResultLabel::Level), std::string("77"));
    tick_ = ui::kStopPollInterval;
  }

  // A stopped search leaves every result label as the press found it: at start-up, after a
  // projection, after an answered search (a state a calculation produced, never a mix).
  void stopKeepsResults_data() {
    // clang-format off
    QTest::addColumn<QString>("before");  // the press before the stopped one: xp,scalps,target
    QTest::newRow("at start-up") << QString();
    QTest::newRow("after a projection") << "31000000,5000,";
    QTest::newRow("after a search") << "31000000,,76";
    // clang-format on
  }
  void stopKeepsResults() {
    QFETCH(QString, before);
    form_ = std::make_unique<MainForm>();
    form_->setLevelTablePath(DefaultLevelTablePath());
    const MainFormControls& c = form_->controls();
    c.questPart[2].setValue(true);
    this->stopAtPoll_ = 0;
    if (!before.isEmpty()) {
      const QStringList v = before.split(',');
      c.xp.setText(v[0].toStdString());
      c.scalps.setText(v[1].toStdString());
      c.searchTarget.setValue(v[2].isEmpty() ? 0 : 1);
      c.targetLevel.setText(v[2].toStdString());
      form_->ExecuteCmd_Click();
      QCOMPARE(caption(ResultLabel::Level) == "Click Calculate", false);
    }
    std::map<ResultLabel, std::string> shown;
    for (ResultLabel label : kResultLabels) shown[label] = caption(label);

    c.xp.setText("31000000");
    c.searchTarget.setValue(1);
    c.targetLevel.setText("77");
    this->stopAtPoll_ = 3;
    form_->ExecuteCmd_Click();
    QCOMPARE(polls_, 3);
    for (ResultLabel label : kResultLabels) QCOMPARE(caption(label), shown[label]);
  }

  void cleanupTestCase() {
    form_.reset();
    backend_.runPosted();
  }
};

QTEST_GUILESS_MAIN(TestSearchStop)
#include "test_search_stop.moc"
