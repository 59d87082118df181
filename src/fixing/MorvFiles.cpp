// The main window's file commands: rename, move, delete, new folders, drag and drop.
#include "MorvMP3Unit.h"

void TMorvForm::WireFileHandlers() {}
