#include "main_window/main_form.h"

#include "about/about_form.h"
#include "command/quest_modes.h"
#include "items_window/items_form.h"
#include "main_window/main_form_description.h"
#include "platform/level_table_source.h"

namespace quorvane {

namespace mf = main_form;

namespace {

ui::OptionArray FindGroup(ui::Form& f, OptionGroup g) {
  const mf::GroupId group = mf::IdOf(g);
  return ui::FindOptionArray(f, group.name, group.count);
}

}  // namespace

const ui::WindowDescription& MainForm::description() { return mf::Description(); }

MainFormControls::MainFormControls(ui::Form& f)
    : resultsFrame(ui::Find(f, mf::InqResults)),
      calculate(ui::Find(f, mf::ExecuteCmd)),
      about(ui::Find(f, mf::cmdAbout)),
      openOptions(ui::Find(f, mf::cmdOpt)),
      closeOptions(ui::Find(f, mf::CloseOptions)),
      questPart(FindGroup(f, OptionGroup::QuestPart)),
      side(FindGroup(f, OptionGroup::Side)),
      entry(FindGroup(f, OptionGroup::Entry)),
      zeroLeft(FindGroup(f, OptionGroup::ZeroLeft)),
      sellMaces(ui::Find(f, mf::IdOf(CheckField::SellMaces))),
      searchTarget(ui::Find(f, mf::IdOf(CheckField::SearchTarget))),
      updateAtInterval(ui::Find(f, mf::IdOf(CheckField::UpdateAtInterval))),
      hideWorkingWindow(ui::Find(f, mf::IdOf(CheckField::HideWorkingWindow))),
      xp(ui::Find(f, mf::IdOf(TextField::Xp))),
      level(ui::Find(f, mf::IdOf(TextField::Level))),
      scalps(ui::Find(f, mf::IdOf(TextField::Scalps))),
      targetLevel(ui::Find(f, mf::IdOf(TextField::TargetLevel))),
      updateInterval(ui::Find(f, mf::IdOf(TextField::UpdateInterval))),
      scalpsHeading(ui::Find(f, mf::HeadingOf(ResultLabel::ScalpsNeeded))),
      goldHeading(ui::Find(f, mf::HeadingOf(ResultLabel::Gold))),
      beltsHeading(ui::Find(f, mf::HeadingOf(ResultLabel::BeltsLeft))),
      booksHeading(ui::Find(f, mf::HeadingOf(ResultLabel::BooksLeft))),
      ringsHeading(ui::Find(f, mf::HeadingOf(ResultLabel::RingsLeft))),
      finalRewardHeading(ui::Find(f, mf::HeadingOf(ResultLabel::FinalRewards))) {
  for (ResultLabel label : kResultLabels) results[static_cast<std::size_t>(label)] = ui::Find(f, mf::IdOf(label));
}

const ui::TextBox& MainFormControls::field(TextField f) const {
  switch (f) {
    case TextField::Xp: return xp;
    case TextField::Level: return level;
    case TextField::Scalps: return scalps;
    case TextField::TargetLevel: return targetLevel;
    case TextField::UpdateInterval: break;
  }
  return updateInterval;
}

const ui::CheckBox& MainFormControls::check(CheckField c) const {
  switch (c) {
    case CheckField::SellMaces: return sellMaces;
    case CheckField::SearchTarget: return searchTarget;
    case CheckField::UpdateAtInterval: return updateAtInterval;
    case CheckField::HideWorkingWindow: break;
  }
  return hideWorkingWindow;
}

const ui::OptionArray& MainFormControls::group(OptionGroup g) const {
  switch (g) {
    case OptionGroup::QuestPart: return questPart;
    case OptionGroup::Side: return side;
    case OptionGroup::Entry: return entry;
    case OptionGroup::ZeroLeft: break;
  }
  return zeroLeft;
}

MainForm::MainForm() : Form(description()), c_(*this) {
  c_.calculate.onClick([this] { ExecuteCmd_Click(); });
  c_.about.onClick([this] { cmdAbout_Click(); });
  c_.questPart.onClick([this](int index) { Option1_Click(index); });
  c_.sellMaces.onClick([this] { Check1_Click(); });
  c_.side.onClick([this](int index) { Option2_Click(index); });
  c_.entry.onClick([this](int index) { option3_Click(index); });
  c_.searchTarget.onClick([this] { ReqLVL_Click(); });
  c_.openOptions.onClick([this] { cmdOpt_Click(); });
  c_.closeOptions.onClick([this] { CloseOptions_Click(); });
  c_.updateAtInterval.onClick([this] { chkScalpsUpd_Click(); });
  c_.zeroLeft.onClick([this](int index) { Option4_Click(index); });
  setMenuHandler(mf::mnuCopyResults, [this] { mnuCopyResults_Click(); });
  setMenuHandler(mf::mnuPlan, [this] { mnuPlan_Click(); });
  setMenuHandler(mf::mnuCompare, [this] { mnuCompare_Click(); });
  setMenuHandler(mf::mnuHandIns, [this] { mnuHandIns_Click(); });
  setMenuHandler(mf::mnuItemsOwned, [this] { mnuItemsOwned_Click(); });
}

// The Items Owned window belongs to this window: it does not outlive it.
MainForm::~MainForm() { ui::Unload<ItemsForm>(); }

void MainForm::ExecuteCmd_Click() { ExecuteCalculate(calculateView_, tableForPress()); }

LevelTableFile MainForm::tableForPress() const {
  const std::string path = levelTablePath_.empty() ? LevelTablePathForPress() : levelTablePath_;
  return {path, LevelTableShownPath(path)};
}

void MainForm::cmdAbout_Click() { ShowAboutBox(); }

// "Sell Maces" ticked or unticked.
void MainForm::Check1_Click() {
  const bool sellMaces = c_.sellMaces.value() == 1;
  const ui::Label& belts = result(ResultLabel::BeltsLeft);
  const ui::Label& books = result(ResultLabel::BooksLeft);
  const ui::Label& rings = result(ResultLabel::RingsLeft);
  const ui::Label& finals = result(ResultLabel::FinalRewards);
  const ui::Label& gold = result(ResultLabel::Gold);
  if (sellMaces) {
    // No quest part and no side while the maces are sold.
    for (int i = 0; i < c_.questPart.size(); ++i) c_.questPart[i].setValue(false);
    for (int i = 0; i < c_.side.size(); ++i) c_.side[i].setValue(false);
    // Only the gold pair among the optional results.
    c_.goldHeading.setVisible(true);
    c_.beltsHeading.setVisible(false);
    c_.booksHeading.setVisible(false);
    gold.setVisible(true);
    belts.setVisible(false);
    books.setVisible(false);
    c_.finalRewardHeading.setVisible(false);
    finals.setVisible(false);
    rings.setVisible(false);
    c_.ringsHeading.setVisible(false);
    // Only scalps can be left at zero.
    c_.zeroLeft[0].setVisible(true);
    for (int i = 1; i < c_.zeroLeft.size(); ++i) c_.zeroLeft[i].setVisible(false);
  } else {
    c_.goldHeading.setVisible(false);
    c_.beltsHeading.setVisible(true);
    c_.booksHeading.setVisible(true);
    gold.setVisible(false);
    belts.setVisible(true);
    books.setVisible(true);
    c_.finalRewardHeading.setVisible(true);
    finals.setVisible(true);
    rings.setVisible(true);
    c_.ringsHeading.setVisible(true);
    for (int i = 0; i < c_.zeroLeft.size(); ++i) c_.zeroLeft[i].setVisible(true);
    // No quest part or side is chosen again here.
  }
  c_.zeroLeft[0].setValue(true);
}

// A quest part chosen.
void MainForm::Option1_Click(int /*Index*/) {
  c_.sellMaces.setValue(0);
  c_.goldHeading.setVisible(false);
  result(ResultLabel::Gold).setVisible(false);

  // The highest part selected decides which results and zero-left items apply.
  const QuestPartView* row = nullptr;
  for (const QuestPartView& r : kQuestPartViews) {
    if (c_.questPart[r.part].value()) {
      row = &r;
      break;
    }
  }
  if (!row) return;

  c_.beltsHeading.setVisible(row->beltsRem);
  c_.booksHeading.setVisible(row->booksRem);
  result(ResultLabel::BooksLeft).setVisible(row->booksLeft);
  c_.finalRewardHeading.setVisible(row->finRew);
  result(ResultLabel::FinalRewards).setVisible(row->finals);
  result(ResultLabel::RingsLeft).setVisible(row->ringsLeft);
  c_.ringsHeading.setVisible(row->rinRem);

  if (row->part == 3) {
    // Rings are handed in for one side: Good unless the user chooses otherwise.
    c_.side[0].setValue(true);
  } else {
    c_.side[0].setValue(false);
    c_.side[1].setValue(false);
  }

  for (int i = 0; i <= row->lastOffered; ++i) c_.zeroLeft[i].setVisible(true);
  c_.zeroLeft[0].setValue(true);
  for (int i = row->lastOffered + 1; i < c_.zeroLeft.size(); ++i) c_.zeroLeft[i].setVisible(false);
}

// A side chosen: sides belong to handing in rings.
void MainForm::Option2_Click(int /*Index*/) {
  const bool good = c_.side[0].value();
  const bool evil = c_.side[1].value();
  if (good || evil) {
    for (int i = 0; i <= 2; ++i) c_.questPart[i].setValue(false);
    c_.questPart[3].setValue(true);
    c_.sellMaces.setValue(0);
  }
}

// Entry by the character's XP or by its level. The hidden box keeps its text.
void MainForm::option3_Click(int /*Index*/) {
  const bool byXp = c_.entry[0].value();
  c_.xp.setVisible(byXp);
  c_.level.setVisible(!byXp);
}

// "Lvl to reach:": search for the scalps needed instead of projecting from the scalps owned.
void MainForm::ReqLVL_Click() {
  const bool search = c_.searchTarget.value() == 1;
  c_.scalpsHeading.setCaption(search ? mf::kScalpsNeeded : mf::kScalpsOwned);
  result(ResultLabel::ScalpsNeeded).setVisible(search);
  c_.scalps.setVisible(!search);
  c_.targetLevel.setVisible(search);
}

void MainForm::cmdOpt_Click() { setWidthAndCentre(kWidthPanelOpen); }

void MainForm::CloseOptions_Click() { setWidthAndCentre(kWidthPanelClosed); }

void MainForm::setWidthAndCentre(double outerWidthTwips) {
  setOuterWidthTwips(outerWidthTwips);
  centreOnScreen();  // with the new width
}

// "Update window after:" ticked or unticked: the count can be edited only while it is ticked.
void MainForm::chkScalpsUpd_Click() { c_.updateInterval.setLocked(c_.updateAtInterval.value() != 1); }

// The zero-left item chosen: the window is updated at intervals only in a search by scalps.
void MainForm::Option4_Click(int /*Index*/) { c_.updateAtInterval.setValue(c_.zeroLeft[0].value() ? 1 : 0); }

}  // namespace quorvane
