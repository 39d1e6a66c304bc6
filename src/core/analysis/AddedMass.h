#pragma once

// The single added-mass method: a known mass M on the cone moves the resonance from Fs to Fs'.

// Mms = M / ((Fs / Fs')² - 1), in the unit of M.
double mmsFromAddedMass(double fs, double fsLoaded, double mass);

// How far the mass moved the resonance, as a fraction of Fs: 1 - Fs' / Fs.
double resonanceShift(double fs, double fsLoaded);

// The mass that would move the resonance by `shift` (a fraction) on a cone of mass mms.
double massForShift(double mms, double shift);
