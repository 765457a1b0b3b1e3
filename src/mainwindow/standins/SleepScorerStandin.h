#pragma once
// Stand-in for the spectrum and scoring object until the analysis lands.

class CSleepScorer {
public:
    int GetSampleRate() const { return 128; }
};
