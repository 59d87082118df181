// The main window's fixing commands: tag from name, name from tag, capitalisation.
#include "MorvMP3Unit.h"

void TMorvForm::WireFixingHandlers() {}
