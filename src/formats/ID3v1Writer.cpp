#include "ID3v1Writer.h"
