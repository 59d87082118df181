#include "WMAfile.h"
