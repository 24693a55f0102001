// The main window as a user meets it: start-up state, Tab order, layout, the option interlocks
// between quest parts, "Sell Maces" and the side, and the options panel.

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QPainter>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QtTest>

#include <memory>
#include <string>

#include "about/about_form.h"
#include "main_window/main_form.h"
#include "tests/qt_form.h"
#include "toolkit/qt/backend.h"
#include "toolkit/qt/buttons.h"
#include "toolkit/qt/caption_label.h"

using quorvane::MainForm;
using namespace quorvane::ui;
using quorvane::ui::qt::IndicatorWidth;
using TestedMainForm = quorvane::test::Tested<MainForm>;

namespace {

// The optional pairs of the results frame, each a caption label and a value label.
struct Pair {
  const char* item;
  const char* caption;
  const char* value;
};
constexpr Pair kPairs[] = {
    {"gold", "GoldFromMaces", "ResGP"}, {"belts", "BeltsRem", "BeltsLeft"}, {"books", "BooksRem", "BooksLeft"},
    {"rings", "RinRem", "RingsLeft"},   {"final", "FinRew", "Finals"},
};
constexpr const char* kAlwaysShown[] = {"Label3",  "ResLVL", "Label4",  "ResExp",     "Label13", "xpgain",
                                        "Label15", "remXP",  "Label10", "ScalpsLeft", "Label11", "MacesLeft"};

// What the window shows in each of its modes.
struct Mode {
  const char* name;
  int part;  // selected member of Option1, -1 for none
  int side;  // selected member of Option2, -1 for none
  int sell;  // Check1
  const char* pairs;
  int offered;  // Option4(0) .. Option4(offered - 1) are shown
};
constexpr Mode kModes[] = {
    {"rings", 3, 0, 0, "belts,books,rings,final", 5},
    {"books", 2, -1, 0, "belts,books,rings", 4},
    {"belts", 1, -1, 0, "belts,books", 3},
    {"maces", 0, -1, 0, "belts", 2},
    {"sell maces", -1, -1, 1, "gold", 1},
    // After unticking "Sell Maces": nothing chosen, every pair but the gold.
    {"nothing", -1, -1, 0, "belts,books,rings,final", 5},
};

const Mode& ModeNamed(const QString& name) {
  for (const Mode& m : kModes)
    if (name == QLatin1String(m.name)) return m;
  qFatal("no mode %s", qPrintable(name));
  return kModes[0];
}

}  // namespace

class TestMainForm : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TestedMainForm> form_;
  QStringList messages_;

  QWidget* widget(const QString& name) const { return form_->control(name).widget(); }
  bool shown(const QString& name) const { return form_->control(name).visible(); }
  int value(const QString& name) const { return form_->value(name); }

  // A click by the user.
  void click(const QString& name) {
    QWidget* w = widget(name);
    QVERIFY2(w->isVisible(), qPrintable(name + " can't be clicked while hidden"));
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
  }

  // Leads the window from start-up into a mode the way a user does.
  void reach(const QString& mode) {
    if (mode == "start") return;
    const Mode& m = ModeNamed(mode);
    if (m.part >= 0) {
      click(QString("Option1(%1)").arg(m.part));
    } else {
      click("Check1");  // ticks "Sell Maces"
      if (!m.sell) click("Check1");
    }
  }

  void verifyMode(const Mode& m) {
    for (int i = 0; i <= 3; ++i) QCOMPARE(form_->isSelected("Option1", i), i == m.part);
    for (int i = 0; i <= 1; ++i) QCOMPARE(form_->isSelected("Option2", i), i == m.side);
    QCOMPARE(value("Check1"), m.sell);
    const QStringList pairs = QString(m.pairs).split(',');
    for (const Pair& p : kPairs) {
      QCOMPARE(shown(p.caption), pairs.contains(p.item));
      QCOMPARE(shown(p.value), pairs.contains(p.item));
    }
    for (const char* name : kAlwaysShown) QVERIFY2(shown(name), name);
    for (int i = 0; i <= 4; ++i) QCOMPARE(form_->control("Option4", i).visible(), i < m.offered);
    // Every mode change leaves "Scalps" the zero-left item, with updates ticked and editable.
    QVERIFY(form_->isSelected("Option4", 0));
    QCOMPARE(value("chkScalpsUpd"), 1);
    QVERIFY(!form_->control("ScalpsUpd").locked());
  }

 private slots:
  void initTestCase() {
    quorvane::ui::qt::Install();
    SetMessageBoxHook([this](const std::string& title, const std::string& text) {
      messages_ << QString::fromStdString(title) + "|" + QString::fromStdString(text);
    });
  }

  void init() {
    messages_.clear();
    SetScreenSizeHook({});
    form_ = std::make_unique<TestedMainForm>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_->widget()));
  }
  void cleanup() { form_.reset(); }

  // ---- Start-up -------------------------------------------------------------------------------

  void startUpState() {
    QCOMPARE(form_->windowTitle(), QString("Quorvane"));
    QCOMPARE(form_->size(), QSize(451, 507));
    QCOMPARE(QApplication::focusWidget(), widget("Text1"));
    // "Character XP:" entry, rings with Good, nothing ticked.
    QVERIFY(form_->isSelected("Option3", 0));
    QVERIFY(shown("Text1"));
    QVERIFY(!shown("LevelNow"));
    QCOMPARE(value("ReqLVL"), 0);
    QVERIFY(!shown("TargetLVL"));
    QVERIFY(shown("Text2"));
    QCOMPARE(form_->caption("Label2"), QString("Scalps Owned"));
    verifyMode(ModeNamed("rings"));
    for (const char* name : {"ResLVL", "ResExp", "xpgain", "remXP"})
      QCOMPARE(form_->caption(name), QString("Click Calculate"));
    for (const char* name : {"ScalpsLeft", "MacesLeft", "BeltsLeft", "BooksLeft", "RingsLeft", "Finals"})
      QVERIFY(form_->caption(name).isEmpty());
    // The options panel shows, with its stored values.
    QVERIFY(QRect(widget("Frame3")->geometry()).intersected(form_->rect()) == widget("Frame3")->geometry());
    QCOMPARE(form_->text("ScalpsUpd"), QString("100"));
    QCOMPARE(value("chkWorking"), 0);
    for (const char* name : {"Text1", "Text2", "LevelNow", "TargetLVL"}) QVERIFY(form_->text(name).isEmpty());
    QVERIFY(messages_.isEmpty());
  }

  void windowIsFixedWithCloseBoxOnly() {
    const Qt::WindowFlags flags = form_->widget()->windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QCOMPARE(form_->widget()->minimumSize(), form_->widget()->maximumSize());
  }

  void tabWalk_data() {
    // clang-format off
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QStringList>("stops");
    const QStringList panel = {"cmdOpt", "CloseOptions", "Option4(0)", "chkScalpsUpd", "ScalpsUpd", "chkWorking"};
    QTest::newRow("start-up") << ""
                              << QStringList({"Text1", "Text2", "ExecuteCmd", "cmdAbout", "ReqLVL", "Option3(0)",
                                              "Option2(0)", "Option1(3)", "Check1"}) +
                                     panel;
    // Hidden boxes join in their tab places once shown; groups are one stop at their selection.
    QTest::newRow("level entry, search, books")
        << "Option3(1) ReqLVL Option1(2)"
        << QStringList({"ExecuteCmd", "cmdAbout", "ReqLVL", "TargetLVL", "LevelNow", "Option3(1)",
                        "Option2(1)", "Check1", "Option1(2)"}) +
               panel;
    QTest::newRow("panel closed")
        << "CloseOptions"
        << QStringList({"Text1", "Text2", "ExecuteCmd", "cmdAbout", "ReqLVL", "Option3(0)", "Option2(0)",
                        "Option1(3)", "Check1", "cmdOpt"});
    // clang-format on
  }
  void tabWalk() {
    QFETCH(QString, setup);
    QFETCH(QStringList, stops);
    for (const QString& name : setup.split(' ', Qt::SkipEmptyParts)) click(name);
    // With no side selected the side group is entered at its first member in tab order.
    widget(stops.first())->setFocus(Qt::TabFocusReason);
    QStringList walk;
    for (int i = 0; i <= stops.size(); ++i) {
      if (i > 0) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QVERIFY(QApplication::focusWidget());
      walk << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(walk, stops + QStringList({stops.first()}));
    // Shift+Tab walks back.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget()->objectName(), stops.last());
  }

  void accessibleNames_data() {
    // clang-format off
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("accessible");
    QTest::newRow("Text1") << "Text1" << "Character XP:";
    QTest::newRow("LevelNow") << "LevelNow" << "Level Now:";
    QTest::newRow("TargetLVL") << "TargetLVL" << "Lvl to reach:";
    QTest::newRow("Text2") << "Text2" << "Scalps Owned";
    QTest::newRow("ScalpsUpd") << "ScalpsUpd" << "Update window after:";
    QTest::newRow("maces") << "Option1(0)" << "Give Maces for XP";
    QTest::newRow("belts") << "Option1(1)" << "Give Belts for XP";
    QTest::newRow("books") << "Option1(2)" << "Give Books for XP";
    QTest::newRow("rings") << "Option1(3)" << "Give Rings for XP";
    QTest::newRow("good") << "Option2(0)" << "Good";
    QTest::newRow("evil") << "Option2(1)" << "Evil";
    QTest::newRow("a result keeps its text") << "ResLVL" << "";
    // clang-format on
  }
  void accessibleNames() {
    QFETCH(QString, control);
    QFETCH(QString, accessible);
    QCOMPARE(widget(control)->accessibleName(), accessible);
  }

  // ---- Layout ---------------------------------------------------------------------------------

  void everyControlLiesInsideItsContainer() {
    for (const QString& name : form_->controlNames()) {
      QWidget* w = widget(name);
      QVERIFY2(w->parentWidget()->rect().contains(w->geometry()), qPrintable(name));
    }
  }

  // The part of a control that is seen: a label draws nothing but its text, from its top down (a
  // value label that is still empty gets one line).
  QRect seenRect(QWidget* w) const {
    auto* label = qobject_cast<quorvane::ui::qt::CaptionLabel*>(w);
    if (!label) return w->geometry();
    const QFontMetrics fm(label->font());
    const int textHeight =
        fm.boundingRect(QRect(0, 0, label->width(), 10000), Qt::TextWordWrap, label->text()).height();
    QRect r = w->geometry();
    r.setHeight(qMin(r.height(), qMax(fm.height(), textHeight)));
    return r;
  }

  void noTwoControlsOverlap() {
    // Hidden controls count too: each one shows in some state. The scalps box covers the label
    // that shows the scalps found, which is meant.
    const QStringList names = form_->controlNames();
    for (int i = 0; i < names.size(); ++i) {
      for (int j = i + 1; j < names.size(); ++j) {
        QWidget* a = widget(names[i]);
        QWidget* b = widget(names[j]);
        if (a->parentWidget() != b->parentWidget()) continue;
        const bool allowed = QSet<QString>({names[i], names[j]}) == QSet<QString>({"ScalpsNdd", "Text2"});
        if (allowed) continue;
        QVERIFY2(!seenRect(a).intersects(seenRect(b)), qPrintable(names[i] + " overlaps " + names[j]));
      }
    }
    // The box is drawn over the label while both show.
    form_->control("ScalpsNdd").setCaption("123");
    QCOMPARE(widget("Inquiry")->childAt(widget("Text2")->geometry().center()), widget("Text2"));
  }

  void narrowWidthHidesAllOfTheOptionsFrame() {
    click("CloseOptions");
    QCOMPARE(form_->width(),
             TwipsToPixels(MainForm::kWidthPanelClosed) - (TwipsToPixels(form_->outerWidthTwips()) - form_->width()));
    const QRect frame3 = widget("Frame3")->geometry();
    QVERIFY(!frame3.intersects(form_->rect()));
    // The left column is complete.
    for (const char* name : {"Inquiry", "ExecuteCmd", "cmdAbout", "InqResults"})
      QVERIFY2(form_->rect().contains(widget(name)->geometry()), name);
  }

  void captionsFit_data() {
    // clang-format off
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("caption");
    TestedMainForm probe;
    for (const QString& name : probe.controlNames()) {
      QWidget* w = probe.control(name).widget();
      if (qobject_cast<QLineEdit*>(w)) continue;
      const QString caption = probe.caption(name);
      if (caption.isEmpty()) continue;
      auto* button = qobject_cast<QAbstractButton*>(w);
      if (button && button->text().isEmpty()) continue;  // shows its indicator only
      QTest::newRow(qPrintable(name)) << name << caption;
    }
    // Captions that the handlers set.
    QTest::newRow("Label2 while searching") << "Label2" << "Scalps Needed";
    // clang-format on
  }
  // The dialog text, drawn in device pixels, is as wide as the look-alike's text at ratio 1 times
  // the screen's pixel ratio: 320 logical pixels for the sample (measured with the look-alike). A
  // face that stands in is fitted to the largest whole pixel size within that width, at most one
  // pixel size (under 10 %) narrower, and ink ends a little inside the advance: 85 % to 103 %.
  // A bitmap face scaled up spreads its letters apart and fails the upper bound.
  void dialogTextScales() {
    const double ratio = qApp->devicePixelRatio();
    // Where the look-alike is installed and the screen shows logical pixels one to one, the
    // dialog text is set in it, in its own size.
    if (ratio == 1.0 && QFile::exists("/usr/share/wine/fonts/ms_sans_serif.ttf"))
      QCOMPARE(QFontInfo(widget("Label8")->font()).family(), QString("MS Sans Serif"));
    QImage image((QSizeF(600, 40) * ratio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(widget("Label8")->font());
    painter.setPen(Qt::black);
    painter.drawText(QRectF(0, 0, 600, 40), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Changing this option will result in more scalps than the bare minimum"));
    painter.end();
    int first = image.width(), last = -1;
    const QRgb background = image.pixel(image.width() - 1, 0);
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (qGray(image.pixel(x, y)) < qGray(background) - 64) {
          first = std::min(first, x);
          last = std::max(last, x);
        }
    const double width = last - first + 1;
    const QString seen = QString("%1 device pixels at ratio %2").arg(width).arg(ratio);
    QVERIFY2(width >= 0.85 * 320 * ratio, qPrintable(seen));
    QVERIFY2(width <= 1.03 * 320 * ratio, qPrintable(seen));
  }

  void captionsFit() {
    QFETCH(QString, control);
    QFETCH(QString, caption);
    QWidget* w = widget(control);
    form_->control(control).setCaption(caption);
    const QFontMetrics fm(w->font());
    QStyle* style = w->style();
    if (qobject_cast<QPushButton*>(w)) {
      const int margin = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, w);
      QVERIFY2(fm.horizontalAdvance(caption) + margin <= w->width(), qPrintable(caption));
      QVERIFY(fm.height() <= w->height());
    } else if (auto* frame = qobject_cast<QGroupBox*>(w)) {
      QVERIFY2(fm.horizontalAdvance(frame->title()) + 8 <= w->width(), qPrintable(caption));
    } else {
      // Labels, check boxes and option buttons wrap at word boundaries: every word fits the
      // width, and all lines fit the height.
      auto* button = qobject_cast<QAbstractButton*>(w);
      const int width = w->width() - (button ? IndicatorWidth(button) : 0);
      for (const QString& word : caption.split(' ', Qt::SkipEmptyParts))
        QVERIFY2(fm.horizontalAdvance(word) <= width, qPrintable(word + " is wider than " + control));
      const QRect needed = fm.boundingRect(QRect(0, 0, width, 10000), Qt::TextWordWrap, caption);
      QVERIFY2(needed.height() <= w->height(),
               qPrintable(QString("%1 needs %2 px, has %3").arg(control).arg(needed.height()).arg(w->height())));
    }
  }

  // ---- Quest option interlocks ----------------------------------------------------------------

  void modeReachedFromEveryOtherMode_data() {
    // clang-format off
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    const QStringList targets = {"rings", "books", "belts", "maces", "sell maces"};
    // The start-up state is the rings mode: a click on the selected rings button changes nothing.
    for (const QString from : {"start", "rings", "books", "belts", "maces", "sell maces", "nothing"})
      for (const QString& to : targets)
        if (from != to && !(from == "start" && to == "rings")) QTest::newRow(qPrintable(from + " -> " + to)) << from << to;
    // clang-format on
  }
  void modeReachedFromEveryOtherMode() {
    QFETCH(QString, from);
    QFETCH(QString, to);
    reach(from);
    verifyMode(ModeNamed(from == "start" ? "rings" : from));
    // A zero-left item other than scalps, where one is offered, is reset by the change.
    if (shown("Option4(1)")) {
      click("Option4(1)");
      QCOMPARE(value("chkScalpsUpd"), 0);
    }
    const Mode& target = ModeNamed(to);
    if (target.part >= 0)
      click(QString("Option1(%1)").arg(target.part));
    else
      click("Check1");
    verifyMode(target);
  }

  void evilChosenFromEachMode_data() {
    // clang-format off
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("side");
    QTest::newRow("start") << "start" << 1;
    QTest::newRow("rings") << "rings" << 1;
    // From any other mode the rings part comes with it, and re-selects Good.
    QTest::newRow("books") << "books" << 0;
    QTest::newRow("belts") << "belts" << 0;
    QTest::newRow("maces") << "maces" << 0;
    QTest::newRow("sell maces") << "sell maces" << 0;
    QTest::newRow("nothing") << "nothing" << 0;
    // clang-format on
  }
  void evilChosenFromEachMode() {
    QFETCH(QString, from);
    QFETCH(int, side);
    reach(from);
    click("Option2(1)");
    Mode expected = ModeNamed("rings");
    expected.side = side;
    verifyMode(expected);
    // A second click on "Evil" leaves Evil chosen and changes nothing else.
    click("Option2(1)");
    expected.side = 1;
    verifyMode(expected);
  }

  void sideChosenWithRingsChangesOnlyTheSide() {
    click("Option4(2)");
    click("Option2(1)");
    QVERIFY(form_->isSelected("Option2", 1));
    QVERIFY(!form_->isSelected("Option2", 0));
    QVERIFY(form_->isSelected("Option1", 3));
    QVERIFY(form_->isSelected("Option4", 2));  // not reset: the quest part did not change
    click("Option2(0)");
    QVERIFY(form_->isSelected("Option2", 0));
    QVERIFY(form_->isSelected("Option4", 2));
  }

  void switchingEntryModeKeepsTheHiddenText() {
    QTest::keyClicks(widget("Text1"), "1234567");
    click("Option3(1)");
    QVERIFY(!shown("Text1"));
    QVERIFY(shown("LevelNow"));
    QTest::keyClicks(widget("LevelNow"), "57");
    click("Option3(0)");
    QVERIFY(shown("Text1"));
    QVERIFY(!shown("LevelNow"));
    QCOMPARE(form_->text("Text1"), QString("1234567"));
    QCOMPARE(form_->text("LevelNow"), QString("57"));
  }

  void levelToReachSwapsTheScalpsField() {
    QTest::keyClicks(widget("Text2"), "250");
    click("ReqLVL");
    QCOMPARE(form_->caption("Label2"), QString("Scalps Needed"));
    QVERIFY(!shown("Text2"));
    QVERIFY(shown("ScalpsNdd"));
    QVERIFY(shown("TargetLVL"));
    click("ReqLVL");
    QCOMPARE(form_->caption("Label2"), QString("Scalps Owned"));
    QVERIFY(shown("Text2"));
    QVERIFY(!shown("ScalpsNdd"));
    QVERIFY(!shown("TargetLVL"));
    QCOMPARE(form_->text("Text2"), QString("250"));
  }

  // ---- Options panel --------------------------------------------------------------------------

  void zeroLeftItemDrivesTheUpdateCount_data() {
    // clang-format off
    QTest::addColumn<int>("item");
    for (int i = 1; i <= 4; ++i) QTest::newRow(qPrintable(QString("Option4(%1)").arg(i))) << i;
    // clang-format on
  }
  void zeroLeftItemDrivesTheUpdateCount() {
    QFETCH(int, item);
    click(QString("Option4(%1)").arg(item));
    QCOMPARE(value("chkScalpsUpd"), 0);
    QVERIFY(form_->control("ScalpsUpd").locked());
    QTest::keyClicks(widget("ScalpsUpd"), "9");
    QCOMPARE(form_->text("ScalpsUpd"), QString("100"));
    // The user may still tick it by hand.
    click("chkScalpsUpd");
    QVERIFY(!form_->control("ScalpsUpd").locked());
    click("chkScalpsUpd");
    QVERIFY(form_->control("ScalpsUpd").locked());
    click("Option4(0)");
    QCOMPARE(value("chkScalpsUpd"), 1);
    QVERIFY(!form_->control("ScalpsUpd").locked());
    QCOMPARE(form_->text("ScalpsUpd"), QString("100"));
  }

  void optionsWidthsAndCentring_data() {
    // clang-format off
    QTest::addColumn<QSizeF>("screen");
    QTest::newRow("1280 x 1024") << QSizeF(19200, 15360);
    QTest::newRow("1024 x 768") << QSizeF(15360, 11520);
    QTest::newRow("smaller than the window") << QSizeF(4800, 3600);
    // clang-format on
  }
  void optionsWidthsAndCentring() {
    QFETCH(QSizeF, screen);
    SetScreenSizeHook([screen] { return TwipSize{screen.width(), screen.height()}; });
    const auto verifyCentred = [&](double width) {
      QCOMPARE(form_->outerWidthTwips(), width);
      // The client area keeps its described width (6765 or 3495 twips), whatever frame is drawn.
      QCOMPARE(form_->width(), TwipsToPixels(width - 90));
      QCOMPARE(form_->height(), 507);
      const double left = (screen.width() - width) / 2;
      const double top = (screen.height() - form_->outerHeightTwips()) / 2;
      QVERIFY2(qAbs(form_->leftTwips() - left) <= kTwipsPerPixel / 2.0,
               qPrintable(QString("left %1, wanted %2").arg(form_->leftTwips()).arg(left)));
      QVERIFY(qAbs(form_->topTwips() - top) <= kTwipsPerPixel / 2.0);
      if (width > screen.width()) QVERIFY(form_->leftTwips() < 0);
    };
    click("Option4(3)");
    click("chkWorking");
    click("CloseOptions");
    verifyCentred(MainForm::kWidthPanelClosed);
    QVERIFY(!widget("Frame3")->geometry().intersects(form_->rect()));
    click("cmdOpt");
    verifyCentred(MainForm::kWidthPanelOpen);
    QVERIFY(form_->rect().contains(widget("Frame3")->geometry()));
    // Pressing "Options..." again keeps the width and centres again.
    form_->moveTwips(0, 0);
    click("cmdOpt");
    verifyCentred(MainForm::kWidthPanelOpen);
    // The panel's values were kept while it was closed.
    QVERIFY(form_->isSelected("Option4", 3));
    QCOMPARE(value("chkScalpsUpd"), 0);
    QCOMPARE(value("chkWorking"), 1);
  }

  // ---- About... ----------------------------------------------------------------------------------

  void aboutOpensTheAboutBox() {
    click("cmdAbout");
    quorvane::AboutForm* box = quorvane::LoadedAboutBox();
    QVERIFY(box);
    QVERIFY(quorvane::test::FormAccess(box).widget()->isVisible());
    box->close();
  }
};

QTEST_MAIN(TestMainForm)
#include "test_main_form.moc"
