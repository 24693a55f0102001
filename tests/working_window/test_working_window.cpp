// The Working window as the user sees it: its description, its frame, where it opens, and its
// life from one search to the next.
#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include "tests/qt_form.h"
#include "toolkit/qt/backend.h"
#include "toolkit/qt/caption_label.h"
#include "working_window/working_form.h"

namespace ui = quorvane::ui;
using Working = quorvane::test::Tested<quorvane::frmWorking>;

// The ink a widget draws: the darkness of all its pixels, in units of one black pixel.
double Ink(QWidget* w) {
  const QImage image = w->grab().toImage().convertToFormat(QImage::Format_Grayscale8);
  const int background = qGray(image.pixel(0, 0));
  double ink = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) ink += qAbs(qGray(image.pixel(x, y)) - background) / 255.0;
  return ink;
}

class TestWorkingWindow : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { ui::qt::Install(); }
  void cleanup() { ui::SetScreenSizeHook({}); }

  void window() {
    // No window icon, even where the program gives its windows one.
    QPixmap programIcon(16, 16);
    programIcon.fill(Qt::red);
    QApplication::setWindowIcon(QIcon(programIcon));
    Working w;
    QApplication::setWindowIcon(QIcon());
    QCOMPARE(w.widget()->objectName(), QString("frmWorking"));
    QCOMPARE(w.windowTitle(), QString("Working..."));
    // 4575 x 2205 twips at 15 twips to the pixel.
    QCOMPARE(w.size(), QSize(305, 147));
    const Qt::WindowFlags f = w.widget()->windowFlags();
    QVERIFY(f & Qt::WindowCloseButtonHint);
    QVERIFY(!(f & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(f & Qt::WindowMaximizeButtonHint));
    QVERIFY(w.widget()->windowIcon().isNull());
    QCOMPARE(w.controlNames(),
             QStringList({"Label1", "scalpscalced", "Label3", "lblStart", "lblLevelReached", "lblEnd"}));
  }

  void labels_data() {
    // clang-format off
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<double>("points");  // 0: the window's font
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");

    QTest::newRow("Label1") << "Label1" << "Currently checking:" << QRect(120, 120, 2415, 375)
                            << int(Qt::AlignLeft) << 12.0 << true << false;
    QTest::newRow("scalpscalced") << "scalpscalced" << "0" << QRect(120, 600, 4335, 495) << int(Qt::AlignHCenter)
                                  << 24.0 << true << false;
    QTest::newRow("Label3") << "Label3" << "scalps" << QRect(120, 1200, 4335, 375) << int(Qt::AlignHCenter)
                            << 13.5 << true << true;
    QTest::newRow("lblStart") << "lblStart" << "0" << QRect(120, 1800, 855, 255) << int(Qt::AlignLeft) << 0.0
                              << false << false;
    QTest::newRow("lblLevelReached") << "lblLevelReached" << "Level Reached" << QRect(960, 1800, 2655, 255)
                                     << int(Qt::AlignHCenter) << 9.75 << true << false;
    QTest::newRow("lblEnd") << "lblEnd" << "189" << QRect(3840, 1800, 615, 255) << int(Qt::AlignRight) << 0.0
                            << false << false;
    // clang-format on
  }

  void labels() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    QFETCH(int, alignment);
    QFETCH(double, points);
    QFETCH(bool, bold);
    QFETCH(bool, italic);

    Working w;
    auto* label = qobject_cast<ui::qt::CaptionLabel*>(w.control(name).widget());
    QVERIFY(label);
    QCOMPARE(label->parentWidget(), w.widget());
    QCOMPARE(label->text(), caption);
    QCOMPARE(w.caption(name), caption);
    QCOMPARE(label->geometry(), QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
    QCOMPARE(int(label->alignment() & Qt::AlignHorizontal_Mask), alignment);

    const QFont f = label->font();
    QCOMPARE(f.bold(), bold);
    QCOMPARE(f.italic(), italic);
    // Font sizes are points at 96 dots per inch, as the layout's twips are.
    const double expectedPoints = points > 0 ? points : 8.25;
    QCOMPARE(f.pixelSize(), int(std::lround(expectedPoints * 96 / 72)));
    if (points == 0) QCOMPARE(f, w.widget()->font());
    // The caption fits its label on one line.
    QVERIFY2(QFontMetrics(f).horizontalAdvance(caption) <= label->width(), qPrintable(caption));

    // Bold is drawn bold: the same caption in the regular weight leaves a fifth less ink at least.
    if (bold) {
      const double heavy = Ink(label);
      QFont regular = f;
      regular.setBold(false);
      label->setFont(regular);
      const double light = Ink(label);
      QVERIFY2(heavy >= 1.2 * light, qPrintable(QString("bold %1, regular %2").arg(heavy).arg(light)));
    }
  }

  // The window opens in the middle of the screen, and a second Open leaves it where it is.
  void opensCentred() {
    ui::SetScreenSizeHook([] { return ui::TwipSize{1024 * 15, 768 * 15}; });
    Working w;
    w.open();
    QVERIFY(w.widget()->isVisible());
    QVERIFY(w.widget()->windowHandle() && w.widget()->windowHandle()->isExposed());
    const double left = w.leftTwips();
    const double top = w.topTwips();
    QVERIFY(qAbs(left + w.outerWidthTwips() / 2 - 1024 * 15 / 2) <= 15);
    QVERIFY(qAbs(top + w.outerHeightTwips() / 2 - 768 * 15 / 2) <= 15);

    w.setCaption("scalpscalced", "100");
    w.open();
    QCOMPARE(w.leftTwips(), left);
    QCOMPARE(w.topTwips(), top);
    QCOMPARE(w.caption("scalpscalced"), QString("100"));
  }

  // The screen changes only at a forced repaint, and then shows the captions set so far, with no
  // event loop running in between: whole new captions, a count of which one digit or two change,
  // one that shrinks or grows, and the level reached alone.
  void repaintShowsCurrentCaptions() {
    Working w;
    w.open();
    QScreen* screen = w.widget()->screen();
    const auto onScreen = [&] { return screen->grabWindow(w.widget()->winId()).toImage(); };
    QImage shown = onScreen();
    QVERIFY(!shown.isNull());
    const struct {
      const char* scalps;
      const char* levelReached;
    } steps[] = {
        {"123450", "Level reached: 77"}, {"123550", nullptr}, {"124650", nullptr}, {"9", nullptr}, {"1000000", nullptr},
        {nullptr, "Level reached: 100"}};
    for (const auto& step : steps) {
      const QString at = QString("%1 / %2").arg(step.scalps, step.levelReached);
      if (step.scalps) w.setCaption("scalpscalced", step.scalps);
      if (step.levelReached) w.setCaption("lblLevelReached", step.levelReached);
      QVERIFY2(onScreen() == shown, qPrintable(at));

      w.repaintNow();
      const QImage repainted = onScreen();
      QVERIFY2(repainted != shown, qPrintable(at));
      QVERIFY2(repainted == w.widget()->grab().toImage().convertToFormat(repainted.format()), qPrintable(at));
      shown = repainted;
    }
  }

  // The close box hides the window at once; its owner discards it from the event loop.
  void closeDiscards() {
    auto* w = new Working;
    bool discarded = false;
    w->setClosedHandler([&] {
      w->discardLater([&] {
        delete w;
        discarded = true;
      });
    });
    w->open();
    QVERIFY(w->widget()->close());
    QVERIFY(w->widget()->isHidden());
    QTRY_VERIFY(discarded);
  }
};

QTEST_MAIN(TestWorkingWindow)
#include "test_working_window.moc"
