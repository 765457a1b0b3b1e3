#pragma once
// The classes of other subsystems that the main window owns or drives. While a subsystem has
// not reached the main line, its include below names the stand-in in standins/; when it
// lands, the include names the real header and the stand-in is deleted.

#include "mainwindow/standins/ChartStandins.h"       // CFftMSChart, CHypnogramMSChart, CFftTrendMSChart
#include "mainwindow/standins/GraphStandin.h"        // CGraph, CRealTimeGraph
#include "mainwindow/standins/SleepScorerStandin.h"  // CSleepScorer
#include "mainwindow/standins/WaveIoStandin.h"       // CWaveIo
#include "mainwindow/standins/WaveLogStandin.h"      // CWaveLog
