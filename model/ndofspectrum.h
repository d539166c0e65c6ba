#pragma once
// NDofSpectrum: the load-spectrum settings of an element per degree of freedom (three
// translations Ux, Uy, Uz and three rotations Rx, Ry, Rz). For each degree of freedom it says
// whether the spectrum is considered, the value at the reference operating point and the value
// per load bin (one entry per bin, empty when no spectrum is used). `spectrumId` is the
// identifier text of the load spectrum the bins belong to.
#include <vector>

#include "drivesys/foundation/record.h"

class DRIVESYS_API NDofSpectrum : public nMetaStruct {
    DS_RECORD(NDofSpectrum)
public:
    nWString spectrumId = L"10050";
    bool considerUx = false;
    double referenceUx = 0.0;
    std::vector<double> spectrumUx;
    bool considerUy = false;
    double referenceUy = 0.0;
    std::vector<double> spectrumUy;
    bool considerUz = false;
    double referenceUz = 0.0;
    std::vector<double> spectrumUz;
    bool considerRx = false;
    double referenceRx = 0.0;
    std::vector<double> spectrumRx;
    bool considerRy = false;
    double referenceRy = 0.0;
    std::vector<double> spectrumRy;
    bool considerRz = false;
    double referenceRz = 0.0;
    std::vector<double> spectrumRz;
};
