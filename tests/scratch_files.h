#pragma once

// The files a test program writes go into a private folder of its own: made (mode 0700, under
// the temporary folder, $TMPDIR or /tmp) at the first use, removed with all it holds when the
// program ends. No fixed name is shared with other programs or other users' files. A write that
// fails stops the program with the path, rather than letting a test read something else.

#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>

#include <fstream>
#include <string>

namespace quorvane::test {

inline std::string ScratchPath(const std::string& name = "") {
  static const QTemporaryDir dir(QDir::temp().filePath("quorvane-test-XXXXXX"));
  if (!dir.isValid()) {
    qFatal("cannot make a private folder in %s: %s", qPrintable(QDir::tempPath()), qPrintable(dir.errorString()));
  }
  return name.empty() ? dir.path().toStdString() : dir.filePath(QString::fromStdString(name)).toStdString();
}

// Writes `bytes` to `path`, replacing what it held, and returns `path`.
inline std::string WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  out.close();
  if (!out) qFatal("cannot write %s", path.c_str());
  return path;
}

}  // namespace quorvane::test
