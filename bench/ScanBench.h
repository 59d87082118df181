#pragma once
#include <string>
#include <vector>

struct ScanFigures {
  double filterSeconds = 0;  // one scan of the folder with the filter "Med ID3v2"
  double allSeconds = 0;     // one scan with "Alla"
  int allOpens = -1;         // files opened during the "Alla" scan
  int filterRows = 0;        // rows the "Med ID3v2" scan showed
};

// Scans folder through the real main window (offscreen), best of rounds.
ScanFigures MeasureWindowScan(const std::string& folder, int rounds);
