#pragma once
// A small but realistic result tree of a system-dynamics calculation, for demos, tests and
// benchmarks: one helical gear mesh between an input shaft (one sub-shaft) and an
// output shaft (two sub-shafts).
//
// What it holds (SI units as the solver writes them; speeds in 1/min, frequencies in Hz):
//   - resultsPerShaft: shaft 0 "Input shaft" (one sub-shaft, 0.4 m) and shaft 1 "Output shaft"
//     (sub-shafts "Output shaft" 0.5 m and "Output shaft bore" 0.2 m); each sub-shaft has three
//     modes whose deflection shapes are cos(m·π·z/L) in y (0.4 of it in x), m = 1, 2, 3 — nodes
//     at z = (2j + 1)·L/(2m); rotations are the slopes of the shapes. Two bearings per shaft.
//   - resultsPerGear: pinion (23 teeth) and wheel (67 teeth) of "Gear mesh 1".
//   - resCampbell: the nominal speed 3000 1/min of the input shaft first, then 21 speeds
//     0 … 6000 1/min, 6 modes each (frequency and description); shaftsSpeeds in revolutions per
//     second (Hz) of both shafts (the output shaft's negative: it turns the other way),
//     gearMeshFrequency = 23 · input speed / 60.
//   - resCampbellClassified: 6 eigenfrequency curves over the 21 sweep speeds (forward and backward
//     whirl of two bending modes, a torsional and an axial mode).
//   - forcedResponseResults: 41 speeds 500 … 6500 1/min; per speed two documentation points
//     (shaft 0 and shaft 1), four bearings (two per shaft) and the gear mesh. Their series hold
//     three rows (x, y, z) of 7 columns: the response to the first 7 harmonics of the gear-mesh
//     excitation (23 · speed / 60 Hz), resonant at 560 Hz and 1150 Hz.
// performedCalculation is 2 (Campbell); set it to 0 for mode shapes, 1 for forced response.
#include "drivesys/dynamics/vibration_results.h"
#include "drivesys/platform/drivesys_export.h"

SystemVibrationResults sampleVibrationResults();
