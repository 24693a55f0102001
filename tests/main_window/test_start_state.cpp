// The start state that the command line and the fake views read from the descriptions is the
// state the windows start in, and the headings they print are the windows' own, on a back-end
// without windows.

#include <QtTest>

#include <algorithm>

#include "main_window/main_form.h"
#include "main_window/main_form_description.h"
#include "tests/toolkit/fake_backend.h"
#include "working_window/working_form.h"
#include "working_window/working_form_description.h"

using namespace quorvane;

class TestStartState : public QObject {
  Q_OBJECT

  test::FakeBackend backend_;

 private slots:
  void initTestCase() { ui::SetBackend(&backend_); }

  void mainWindowStartsInItsStartState() {
    MainForm form;
    CalculateView& view = form.calculateView();
    const MainFormStartState& start = main_form::StartState();
    for (TextField f : kTextFields) QCOMPARE(view.text(f), start.texts.at(f));
    for (CheckField c : kCheckFields) QCOMPARE(view.checkValue(c), start.checks.at(c));
    for (OptionGroup g : kOptionGroups) {
      const int selected = start.selected.at(g);
      QVERIFY(selected >= 0);  // every group starts with a member chosen
      for (int i = 0; i < main_form::IdOf(g).count; ++i) QCOMPARE(view.optionSelected(g, i), i == selected);
    }
    for (ResultLabel l : kResultLabels) QCOMPARE(form.controls().result(l).caption(), start.captions.at(l));
  }

  // Name(0) to Name(count - 1) are the group's option buttons, and there is no other member.
  void optionGroupsHaveExactlyTheirMembers() {
    for (OptionGroup g : kOptionGroups) {
      const main_form::GroupId group = main_form::IdOf(g);
      int members = 0;
      for (const ui::ControlDescription& c : main_form::Description().controls) {
        const ui::ArrayName name = ui::SplitArrayName(c.name);
        if (name.base != group.name) continue;
        QCOMPARE(c.kind, ui::ControlKind::OptionButton);
        QVERIFY2(name.index >= 0 && name.index < group.count, c.name.c_str());
        ++members;
      }
      QCOMPARE(members, group.count);
    }
  }

  void headingsAreTheWindowsCaptions() {
    MainForm form;
    for (ResultLabel l : kResultLabels) {
      if (l == ResultLabel::ScalpsNeeded) continue;
      QCOMPARE(ui::Find(form, main_form::HeadingOf(l)).caption(), main_form::Heading(l));
    }
    // The scalps heading reads as the scalps needed while "Lvl to reach:" is ticked, and is
    // fitted to that caption too.
    const ui::Label scalps = ui::Find(form, main_form::HeadingOf(ResultLabel::ScalpsNeeded));
    QVERIFY(scalps.caption() != main_form::Heading(ResultLabel::ScalpsNeeded));
    form.controls().searchTarget.setValue(1);
    QCOMPARE(scalps.caption(), main_form::Heading(ResultLabel::ScalpsNeeded));
    const std::vector<std::string>& others = scalps.ref().description().otherCaptions;
    QVERIFY(std::find(others.begin(), others.end(), main_form::Heading(ResultLabel::ScalpsNeeded)) != others.end());
  }

  void workingWindowStartsWithItsStartCaptions() {
    frmWorking working;
    for (WorkingLabel l : kWorkingLabels)
      QCOMPARE(ui::Find(working, working_form::IdOf(l)).caption(), working_form::StartCaptions().at(l));
  }

  void cleanupTestCase() { backend_.runPosted(); }
};

QTEST_GUILESS_MAIN(TestStartState)
#include "test_start_state.moc"
