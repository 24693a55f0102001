// The System Information launcher against a fake registry, file test and program start.

#include <QtTest>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "about/sysinfo_launcher.h"

using namespace quorvane::about;

namespace {

struct FakeValue {
  std::uint32_t type = kRegSz;
  std::string bytes;
};

// A registry as an ordinary account sees it: keys open for reading only, unless the account
// may not read them at all.
class FakePlatform : public SysInfoPlatform {
 public:
  std::map<std::string, std::map<std::string, FakeValue>> keys;
  bool keysReadable = true;
  std::set<std::string> files;
  bool startWorks = true;

  std::vector<std::string> openedKeys;
  std::vector<std::uint32_t> openAccess;
  std::vector<std::uint32_t> openOptions;
  int openCount = 0;
  int closeCount = 0;
  std::vector<std::string> fileTests;
  std::vector<std::string> starts;
  std::vector<std::pair<std::string, std::string>> messages;

  long openKey(RegistryKey root, const std::string& subKey, std::uint32_t options, std::uint32_t access,
               RegistryKey& key) override {
    openedKeys.push_back(subKey);
    openAccess.push_back(access);
    openOptions.push_back(options);
    if (root != kHKeyLocalMachine) return kErrorFileNotFound;
    const auto it = keys.find(subKey);
    if (it == keys.end()) return kErrorFileNotFound;
    if (!keysReadable || (access & ~kKeyRead) != 0) return kErrorAccessDenied;
    key = reinterpret_cast<RegistryKey>(&it->second);
    ++openCount;
    return kErrorSuccess;
  }

  long queryValue(RegistryKey key, const std::string& valueName, std::uint32_t& type, unsigned char* data,
                  std::uint32_t& size) override {
    const auto& values = *reinterpret_cast<const std::map<std::string, FakeValue>*>(key);
    const auto it = values.find(valueName);
    if (it == values.end()) return kErrorFileNotFound;
    type = it->second.type;
    const std::string& bytes = it->second.bytes;
    if (bytes.size() > size) {
      size = static_cast<std::uint32_t>(bytes.size());
      return kErrorMoreData;
    }
    std::copy(bytes.begin(), bytes.end(), data);
    size = static_cast<std::uint32_t>(bytes.size());
    return kErrorSuccess;
  }

  long closeKey(RegistryKey) override {
    ++closeCount;
    return kErrorSuccess;
  }

  std::string findFile(const std::string& fullName) override {
    fileTests.push_back(fullName);
    if (!files.count(fullName)) return {};
    return fullName.substr(fullName.rfind('\\') + 1);
  }

  bool startProgram(const std::string& commandLine) override {
    starts.push_back(commandLine);
    return startWorks;
  }

  void showMessage(const std::string& title, const std::string& text) override { messages.emplace_back(title, text); }
};

std::string bytesOf(const QByteArray& data) { return std::string(data.constData(), data.size()); }

const QString kToolKey = kToolKeyPath;
const QString kFolderKey = kToolFolderKeyPath;

// A key column reads "" for a missing key, or the value's type before a colon and the value's
// bytes after it ("1:C:\\tool.exe\0").
constexpr int kNoKey = -1;

}  // namespace

class TestSysInfoLauncher : public QObject {
  Q_OBJECT

 private slots:
  void startSysInfo_data();
  void startSysInfo();
  void getKeyValue_data();
  void getKeyValue();
  void zeroLengthValueIsARunTimeError();
};

void TestSysInfoLauncher::startSysInfo_data() {
  QTest::addColumn<int>("pathType");  // kNoKey: the first key is missing
  QTest::addColumn<QByteArray>("pathBytes");
  QTest::addColumn<int>("folderType");  // kNoKey: the second key is missing
  QTest::addColumn<QByteArray>("folderBytes");
  QTest::addColumn<bool>("keysReadable");
  QTest::addColumn<QStringList>("files");
  QTest::addColumn<bool>("startWorks");
  QTest::addColumn<QStringList>("expectedKeys");
  QTest::addColumn<QStringList>("expectedFileTests");
  QTest::addColumn<QString>("expectedStart");  // "" for no start
  QTest::addColumn<bool>("expectMessage");

  const QByteArray path("C:\\Program Files\\Tools\\msinfo32.exe\0", 36);
  const QByteArray folder("C:\\Shared\\MSInfo\0", 17);
  const QString toolInFolder = "C:\\Shared\\MSInfo\\MSINFO32.EXE";
  const QStringList both{kToolKey, kFolderKey};

  QTest::newRow("first key: path started unchanged, no file test, second key untried")
      << int(kRegSz) << path << int(kRegSz) << folder << true << QStringList{} << true << QStringList{kToolKey}
      << QStringList{} << "C:\\Program Files\\Tools\\msinfo32.exe" << false;
  QTest::newRow("first key: path that does not start")
      << int(kRegSz) << path << int(kRegSz) << folder << true << QStringList{toolInFolder} << false
      << QStringList{kToolKey} << QStringList{} << "C:\\Program Files\\Tools\\msinfo32.exe" << true;
  QTest::newRow("first key: path stored without its NUL")
      << int(kRegSz) << QByteArray("D:\\msinfo32.exe") << kNoKey << QByteArray() << true << QStringList{} << true
      << QStringList{kToolKey} << QStringList{} << "D:\\msinfo32.exe" << false;
  QTest::newRow("second key: folder with the tool")
      << kNoKey << QByteArray() << int(kRegSz) << folder << true << QStringList{toolInFolder} << true << both
      << QStringList{toolInFolder} << toolInFolder << false;
  QTest::newRow("second key: folder without the tool")
      << kNoKey << QByteArray() << int(kRegSz) << folder << true << QStringList{} << true << both
      << QStringList{toolInFolder} << "" << true;
  QTest::newRow("second key: tool found but does not start")
      << kNoKey << QByteArray() << int(kRegSz) << folder << true << QStringList{toolInFolder} << false << both
      << QStringList{toolInFolder} << toolInFolder << true;
  QTest::newRow("both keys missing") << kNoKey << QByteArray() << kNoKey << QByteArray() << true << QStringList{}
                                     << true << both << QStringList{} << "" << true;
  QTest::newRow("first key: value of zero length")
      << int(kRegSz) << QByteArray() << int(kRegSz) << folder << true << QStringList{toolInFolder} << true
      << QStringList{kToolKey} << QStringList{} << "" << true;
  QTest::newRow("second key: value of zero length")
      << kNoKey << QByteArray() << int(kRegSz) << QByteArray() << true << QStringList{toolInFolder} << true << both
      << QStringList{} << "" << true;
  QTest::newRow("first key: expandable string leaves the path empty")
      << int(kRegExpandSz) << path << int(kRegSz) << folder << true << QStringList{toolInFolder} << true
      << QStringList{kToolKey} << QStringList{} << "" << true;
  QTest::newRow("first key: value too long for the buffer, second key used")
      << int(kRegSz) << QByteArray(1025, 'x') << int(kRegSz) << folder << true << QStringList{toolInFolder} << true
      << both << QStringList{toolInFolder} << toolInFolder << false;
  QTest::newRow("keys the account may not read")
      << int(kRegSz) << path << int(kRegSz) << folder << false << QStringList{toolInFolder} << true << both
      << QStringList{} << "" << true;
}

void TestSysInfoLauncher::startSysInfo() {
  QFETCH(int, pathType);
  QFETCH(QByteArray, pathBytes);
  QFETCH(int, folderType);
  QFETCH(QByteArray, folderBytes);
  QFETCH(bool, keysReadable);
  QFETCH(QStringList, files);
  QFETCH(bool, startWorks);
  QFETCH(QStringList, expectedKeys);
  QFETCH(QStringList, expectedFileTests);
  QFETCH(QString, expectedStart);
  QFETCH(bool, expectMessage);

  FakePlatform platform;
  if (pathType != kNoKey) {
    platform.keys[kToolKeyPath][kToolValueName] = {std::uint32_t(pathType), bytesOf(pathBytes)};
  }
  if (folderType != kNoKey) {
    platform.keys[kToolFolderKeyPath][kToolFolderValueName] = {std::uint32_t(folderType), bytesOf(folderBytes)};
  }
  platform.keysReadable = keysReadable;
  for (const QString& file : files) platform.files.insert(file.toStdString());
  platform.startWorks = startWorks;

  StartSysInfo(platform);

  QStringList openedKeys;
  for (const auto& key : platform.openedKeys) openedKeys << QString::fromStdString(key);
  QCOMPARE(openedKeys, expectedKeys);
  for (std::size_t i = 0; i < platform.openAccess.size(); ++i) {
    QCOMPARE(platform.openAccess[i], kKeyRead);
    QCOMPARE(platform.openOptions[i], 0u);
  }
  QCOMPARE(platform.closeCount, platform.openCount);

  QStringList fileTests;
  for (const auto& name : platform.fileTests) fileTests << QString::fromStdString(name);
  QCOMPARE(fileTests, expectedFileTests);

  if (expectedStart.isEmpty()) {
    QVERIFY(platform.starts.empty());
  } else {
    QCOMPARE(platform.starts.size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(platform.starts.front()), expectedStart);
  }

  if (expectMessage) {
    QCOMPARE(platform.messages.size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(platform.messages.front().first), QString("Quorvane"));
    QCOMPARE(QString::fromStdString(platform.messages.front().second),
             QString("System Information Is Unavailable At This Time"));
  } else {
    QVERIFY(platform.messages.empty());
  }
}

void TestSysInfoLauncher::getKeyValue_data() {
  QTest::addColumn<bool>("keyPresent");
  QTest::addColumn<bool>("valuePresent");
  QTest::addColumn<int>("type");
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<QByteArray>("initialText");
  QTest::addColumn<bool>("expectedResult");
  QTest::addColumn<QByteArray>("expectedText");

  QTest::newRow("string with its NUL") << true << true << int(kRegSz) << QByteArray("C:\\x.exe\0", 9)
                                       << QByteArray("before") << true << QByteArray("C:\\x.exe");
  QTest::newRow("string without a NUL") << true << true << int(kRegSz) << QByteArray("C:\\x.exe")
                                        << QByteArray("before") << true << QByteArray("C:\\x.exe");
  QTest::newRow("string only its last NUL is trimmed") << true << true << int(kRegSz) << QByteArray("a\0b\0\0", 5)
                                                       << QByteArray("before") << true << QByteArray("a\0b\0", 4);
  QTest::newRow("one NUL gives an empty string")
      << true << true << int(kRegSz) << QByteArray("\0", 1) << QByteArray("before") << true << QByteArray();
  QTest::newRow("string filling the whole buffer")
      << true << true << int(kRegSz) << QByteArray(1024, 'y') << QByteArray("before") << true << QByteArray(1024, 'y');
  QTest::newRow("string one byte too long")
      << true << true << int(kRegSz) << QByteArray(1025, 'y') << QByteArray("before") << false << QByteArray();
  QTest::newRow("dword ending in NUL: last byte dropped, codes reversed")
      << true << true << int(kRegDword) << QByteArray("\x0a\0\0\0", 4) << QByteArray("") << true << QByteArray("&h00A");
  QTest::newRow("dword without a NUL at its end") << true << true << int(kRegDword) << QByteArray("\x01\x02\xff\x1c", 4)
                                                  << QByteArray("") << true << QByteArray("&h1CFF21");
  QTest::newRow("other type leaves the text as it was")
      << true << true << int(kRegExpandSz) << QByteArray("%SystemRoot%\0", 13) << QByteArray("before") << true
      << QByteArray("before");
  QTest::newRow("binary type leaves the text as it was") << true << true << int(kRegBinary) << QByteArray("\x01\x02", 2)
                                                         << QByteArray("before") << true << QByteArray("before");
  QTest::newRow("missing value") << true << false << int(kRegSz) << QByteArray() << QByteArray("before") << false
                                 << QByteArray();
  QTest::newRow("missing key") << false << false << int(kRegSz) << QByteArray() << QByteArray("before") << false
                               << QByteArray();
}

void TestSysInfoLauncher::getKeyValue() {
  QFETCH(bool, keyPresent);
  QFETCH(bool, valuePresent);
  QFETCH(int, type);
  QFETCH(QByteArray, bytes);
  QFETCH(QByteArray, initialText);
  QFETCH(bool, expectedResult);
  QFETCH(QByteArray, expectedText);

  FakePlatform platform;
  if (keyPresent) platform.keys["Key"];
  if (valuePresent) platform.keys["Key"]["Value"] = {std::uint32_t(type), bytesOf(bytes)};

  std::string valueText = initialText.toStdString();
  QCOMPARE(GetKeyValue(platform, kHKeyLocalMachine, "Key", "Value", valueText), expectedResult);
  QCOMPARE(QByteArray(valueText.data(), qsizetype(valueText.size())), expectedText);
  QCOMPARE(platform.closeCount, platform.openCount);
}

void TestSysInfoLauncher::zeroLengthValueIsARunTimeError() {
  FakePlatform platform;
  platform.keys["Key"]["Value"] = {kRegSz, ""};
  std::string valueText;
  QVERIFY_THROWS_EXCEPTION(SysInfoRunTimeError, GetKeyValue(platform, kHKeyLocalMachine, "Key", "Value", valueText));
  QCOMPARE(platform.openCount, 1);
  QCOMPARE(platform.closeCount, 1);
}

QTEST_APPLESS_MAIN(TestSysInfoLauncher)
#include "test_sysinfo_launcher.moc"
