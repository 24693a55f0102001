#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QLabel window("Quorvane is under construction.");
  window.setWindowTitle("Quorvane");
  window.setMinimumSize(320, 120);
  window.setAlignment(Qt::AlignCenter);
  window.show();
  return app.exec();
}
