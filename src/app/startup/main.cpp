#include "app/startup/VelquinApp.h"

int main(int argc, char** argv)
{
    CVelquinApp theApp;
    return theApp.Run(argc, argv);
}
