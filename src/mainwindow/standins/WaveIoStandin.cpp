#include "mainwindow/standins/WaveIoStandin.h"

int CWaveIo::Disconnect()
{
    ++m_generation;
    return 1;
}
