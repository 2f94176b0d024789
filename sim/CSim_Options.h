#pragma once

// The command line of r740sim.

#include <cstdint>
#include <string>
#include <vector>

struct CSim_Options
{
    // Where it answers: a new pseudo-terminal, or a TCP address.
    bool bPty = false;
    std::string listen; // "HOST:PORT"
    std::string statePath;
    std::string brand; // resource bundle, as r740tool --brand

    // The telephone; an empty text keeps what the state file (or a new document) holds.
    std::string phoneType;
    std::string oem;
    std::string version;
    std::string country;
    std::string serial;
    std::string modules; // four module types, comma-separated
    std::string pin;

    // Faults.
    uint32_t uSeed = 1;
    double dLoss = 0.0;
    double dCorrupt = 0.0;
    double dNak = 0.0;
    double dBitErrors = 0.0;
    double dDuplicate = 0.0;
    double dTruncate = 0.0;
    double dGarbage = 0.0;
    double dLate = 0.0; // share of answers that wait --delay; 0: every answer waits
    unsigned uDelayMs = 0;
    long long nDropAfter = -1; // -1: never
    unsigned uBaud = 0;
    std::string alterBlock; // the block the telephone silently changes once

    std::string logPath;
    bool bHelp = false;

    // Reads the arguments; empty on success, else what is wrong.
    std::string Parse(const std::vector<std::string>& args);
    static std::string Usage();
};
