#include <QApplication>

#include "MorvMP3Unit.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("MORVANTA Quindle");
  TMorvForm form;
  form.show();
  return QApplication::exec();
}
