#include "ID3v1.h"
