#pragma once
// The classes of other subsystems that the main window owns or drives. While a subsystem has
// not reached the main line, its include below names the stand-in in standins/; when it
// lands, the include names the real header and the stand-in is deleted.

#include "analysis/SleepScorer.h"               // CSleepScorer
#include "display/FftMSChart.h"                 // CFftMSChart
#include "display/FftTrendMSChart.h"            // CFftTrendMSChart
#include "display/HypnogramMSChart.h"           // CHypnogramMSChart
#include "display/RealTimeGraph.h"              // CGraph, CRealTimeGraph
#include "mainwindow/standins/WaveIoStandin.h"  // CWaveIo
#include "recording/WaveLog.h"                  // CWaveLog
