#include "MorvMP3Unit.h"

TMorvForm::TMorvForm(QWidget* parent) : QMainWindow(parent) {
  setObjectName("MorvForm");
  setWindowTitle("Morvanta Quindle 1.09");
  setFixedHeight(456);
  setMinimumWidth(530);
  resize(530, 456);
}
