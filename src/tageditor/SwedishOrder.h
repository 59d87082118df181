#pragma once
#include <QStringList>

// Sorts names the way a Swedish user expects a list to be ordered: letter case
// does not count, and Å, Ä, Ö come after Z. (Plain QString comparison would put
// every capital before every small letter and Å, Ä, Ö by code point.)
void SortSwedish(QStringList& names);
