#pragma once
// The classes of other subsystems that the main window owns or drives.

#include "analysis/SleepScorer.h"               // CSleepScorer
#include "display/FftMSChart.h"                 // CFftMSChart
#include "display/FftTrendMSChart.h"            // CFftTrendMSChart
#include "display/HypnogramMSChart.h"           // CHypnogramMSChart
#include "display/RealTimeGraph.h"              // CGraph, CRealTimeGraph
#include "receiver/WaveIo.h"                    // CWaveIo
#include "recording/WaveLog.h"                  // CWaveLog
