#include <QtTest>

#include <clocale>

#include "core/number_text.h"

using namespace quorvane;

Q_DECLARE_METATYPE(quorvane::NumberStatus)

class TestNumberText : public QObject {
  Q_OBJECT

 private slots:
  void groupDigits_data() {
    // clang-format off
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("grouped");
    QTest::newRow("0") << "0" << "0";
    QTest::newRow("12") << "12" << "12";
    QTest::newRow("999") << "999" << "999";
    QTest::newRow("1000") << "1000" << "1.000";
    QTest::newRow("25227500") << "25227500" << "25.227.500";
    QTest::newRow("94564821930") << "94564821930" << "94.564.821.930";
    QTest::newRow("negative, full group") << "-123456" << "-123.456";
    QTest::newRow("negative, short group") << "-1234" << "-1.234";
    QTest::newRow("negative, small") << "-5" << "-5";
    // clang-format on
  }
  void groupDigits() {
    QFETCH(QString, plain);
    QFETCH(QString, grouped);
    QCOMPARE(QString::fromStdString(GroupDigits(plain.toStdString())), grouped);
  }

  void formatPlain_data() {
    // clang-format off
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("gold of 100 maces") << 100 * 0.010284 << "1.0284";
    QTest::newRow("gold of 1 mace") << 0.010284 << "0.010284";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("whole") << 25227500.0 << "25227500";
    QTest::newRow("15 significant digits") << 123456789.123456789 << "123456789.123457";
    QTest::newRow("no exponent when huge") << 1.8e16 << "18000000000000000";
    // clang-format on
  }
  void formatPlain() {
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(FormatPlain(value)), text);
  }

  void formatIgnoresLocale() {
    const char* old = std::setlocale(LC_ALL, nullptr);
    const std::string saved = old ? old : "C";
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) QSKIP("no German locale installed");
    QCOMPARE(QString::fromStdString(FormatPlain(1.0284)), QString("1.0284"));
    QCOMPARE(ReadFieldNumber("1.5", true).value, 1.5);
    std::setlocale(LC_ALL, saved.c_str());
  }

  void readFieldNumber_data() {
    // clang-format off
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("allowFraction");
    QTest::addColumn<NumberStatus>("status");
    QTest::addColumn<qint64>("whole");
    QTest::addColumn<bool>("tooLarge");
    QTest::addColumn<double>("value");
    const qint64 kMax = std::numeric_limits<qint64>::max();
    const qint64 kMin = std::numeric_limits<qint64>::min();
    QTest::newRow("plain") << "25227500" << false << NumberStatus::Ok << qint64(25227500) << false << 25227500.0;
    QTest::newRow("blanks around") << "  57 " << false << NumberStatus::Ok << qint64(57) << false << 57.0;
    QTest::newRow("blanks and tabs after, as pasted") << "5000  \t " << false << NumberStatus::Ok << qint64(5000) << false << 5000.0;
    QTest::newRow("tabs before") << "\t\t-5" << false << NumberStatus::Ok << qint64(-5) << false << -5.0;
    QTest::newRow("plus sign") << "+57" << false << NumberStatus::Ok << qint64(57) << false << 57.0;
    QTest::newRow("negative") << "-3" << false << NumberStatus::Ok << qint64(-3) << false << -3.0;
    QTest::newRow("leading zeros") << "007" << false << NumberStatus::Ok << qint64(7) << false << 7.0;
    QTest::newRow("empty") << "" << false << NumberStatus::Empty << qint64(0) << false << 0.0;
    QTest::newRow("blank") << "   " << false << NumberStatus::Empty << qint64(0) << false << 0.0;
    QTest::newRow("letters") << "abc" << false << NumberStatus::Letters << qint64(0) << false << 0.0;
    QTest::newRow("trailing letters") << "57abc" << false << NumberStatus::Letters << qint64(0) << false << 0.0;
    QTest::newRow("exponent") << "1e5" << true << NumberStatus::Letters << qint64(0) << false << 0.0;
    QTest::newRow("hex") << "0x10" << false << NumberStatus::Letters << qint64(0) << false << 0.0;
    QTest::newRow("non-ASCII digits") << QString::fromUtf8("\u0661\u0662") << false << NumberStatus::Letters
                                      << qint64(0) << false << 0.0;
    QTest::newRow("full-width digits") << QString::fromUtf8("\uFF11\uFF12") << false << NumberStatus::Letters
                                       << qint64(0) << false << 0.0;
    QTest::newRow("sign only") << "-" << false << NumberStatus::Malformed << qint64(0) << false << 0.0;
    QTest::newRow("point only") << "." << true << NumberStatus::Malformed << qint64(0) << false << 0.0;
    QTest::newRow("comma") << "1,5" << true << NumberStatus::Malformed << qint64(0) << false << 0.0;
    QTest::newRow("inner blank") << "1 5" << false << NumberStatus::Malformed << qint64(0) << false << 0.0;
    QTest::newRow("two signs") << "--5" << false << NumberStatus::Malformed << qint64(0) << false << 0.0;
    QTest::newRow("two points") << "1.2.3" << true << NumberStatus::Malformed << qint64(0) << false << 0.0;
    QTest::newRow("fraction refused") << "1.5" << false << NumberStatus::Fraction << qint64(0) << false << 0.0;
    QTest::newRow("fraction .0 refused") << "57.0" << false << NumberStatus::Fraction << qint64(0) << false << 0.0;
    QTest::newRow("fraction accepted") << "57.5" << true << NumberStatus::Ok << qint64(57) << false << 57.5;
    QTest::newRow("point first") << ".5" << true << NumberStatus::Ok << qint64(0) << false << 0.5;
    QTest::newRow("point last") << "5." << true << NumberStatus::Ok << qint64(5) << false << 5.0;
    QTest::newRow("int64 max") << "9223372036854775807" << false << NumberStatus::Ok << kMax << false << 9.2233720368547758e18;
    QTest::newRow("above int64") << "9223372036854775808" << false << NumberStatus::Ok << kMax << true << 9.2233720368547758e18;
    QTest::newRow("int64 min") << "-9223372036854775808" << false << NumberStatus::Ok << kMin << false << -9.2233720368547758e18;
    QTest::newRow("below int64") << "-99999999999999999999" << false << NumberStatus::Ok << kMin << true << -1e20;
    QTest::newRow("huge decimal") << QString(400, '9') + ".5" << true << NumberStatus::Ok << qint64(9200000000000000000)
                                  << false << std::numeric_limits<double>::infinity();
    QTest::newRow("tiny decimal") << "0." + QString(400, '0') + "1" << true << NumberStatus::Ok << qint64(0) << false << 0.0;
    // clang-format on
  }
  void readFieldNumber() {
    QFETCH(QString, text);
    QFETCH(bool, allowFraction);
    QFETCH(NumberStatus, status);
    QFETCH(qint64, whole);
    QFETCH(bool, tooLarge);
    QFETCH(double, value);
    const FieldNumber n = ReadFieldNumber(text.toStdString(), allowFraction);
    QCOMPARE(n.status, status);
    if (status != NumberStatus::Ok) return;
    QCOMPARE(n.whole, whole);
    QCOMPARE(n.tooLarge, tooLarge);
    QCOMPARE(n.value, value);
  }
};

QTEST_APPLESS_MAIN(TestNumberText)
#include "test_number_text.moc"
