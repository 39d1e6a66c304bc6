#pragma once

#include "DriverInput.h"
#include "ImpedanceSource.h"

#include <string>

struct SimOptions {
    std::string link;                // --link PATH: symbolic link to the pty slave
    std::string modelToken = "HKA2"; // what "U?" answers
    bool hka = false;                // HK-A band codes
    std::string serial = "0123";
    std::string version = "0200";
    DriverInput driverInput;  // --driver, --added-mass, --box as given
    LoudspeakerParams driver; // the model they make
    std::string curveFile;    // replaces the loudspeaker model when set
    double noisePct = 0;      // --noise: Gaussian noise on |Z| and phase (SweepVariation)
    double driftPct = 0;      // --drift: Re rising over each sweep
    bool seedGiven = false;   // --seed: a repeatable noise sequence
    unsigned long long seed = 0;
    bool fast = false; // no line-rate pacing
    int bitRate = 9600;
    int chunk = 0;        // send in pieces of this many bytes (0: as the line goes)
    int gapMs = 0;        // pause after each piece
    int silentAfter = -1; // points sent before the stream stops for good
    std::string endMark = "OK";
    int crInPoint = -1; // point (from 0) that carries a carriage return
    bool wrongCount = false;
    std::string countReply; // answer band requests with this text and do not sweep
    bool refuseBand = false;
    bool ignoreMe = false;
    bool uncalibrated = false;
    bool verbose = false;
};

enum class ParseResult { Run, Help, Error };

ParseResult parseSimOptions(int argc, char **argv, SimOptions &options, std::string &error);
const char *simUsage();
