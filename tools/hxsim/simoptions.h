#ifndef SIMOPTIONS_H
#define SIMOPTIONS_H

#include <QString>

// How the virtual unit is set up (the command line of hxsim, see README.md).
struct SimOptions
{
    QString linkPath;  // symbolic link to the current pseudo-terminal
    QString device;    // a serial device instead of a pseudo-terminal
    int baud = 115200; // for a serial device, and for pacing
    QString stateFile; // settings kept between runs
    double dropShare = 0;
    double corruptShare = 0;
    int answerDelayMs = 0;
    int silentAfter = -1;
    double unplugAfter = -1; // seconds
    double replugAfter = -1; // seconds after unplugging
    bool pace = false;       // hold both directions to the baud rate
    quint32 seed = 1;
    int serialNumber = 100001;
    double gpsFixAfter = 4.0; // seconds
    bool verbose = false;     // log every frame to stderr
};

#endif // SIMOPTIONS_H
