#include "ID3v2.h"
