#pragma once
// Result diagrams of a system-dynamics calculation: mode shapes, Campbell diagrams and
// forced-response curves, built from a SystemVibrationResults into the diagram service's
// container.
#include "drivesys/dynamics/vibration_results.h"
#include "drivesys/platform/drivesys_export.h"
#include "drivesys/platform/ncore/ncalculationcontext.h"
#include "drivesys/platform/ncore/ndiagram.h"
#include "drivesys/platform/wmath/plot2d.h"

/// What getSystemDynamicsResults2DData fetches: the selection in the result tree, the Campbell
/// order line and the curve counter that picks colour and line style.
struct DRIVESYS_API ShaftsSystemPlotPropertiesStruct {
    /// Entry of resultsPerShaft.
    int shaftIndex = -1;
    /// Entry of that shaft's shaftResultsPerSubShaft.
    int subShaftIndex = 0;
    /// Mode of the sub-shaft, or curve of the classified Campbell results.
    int modeIndex = 0;
    /// Not read.
    int spareIndex = -1;
    /// Campbell order line: −1 none, else the order minus 1.
    int orderNumber = -1;
    /// Campbell: shaft whose speed line is drawn.
    int shaftSpeedIndex = -1;
    /// Campbell: gear mesh whose frequency line is drawn.
    int gearMeshIndex = -1;
    /// Selects colour and line style; every Campbell fetch increments it.
    int curveCounter = 0;
    ForcedResponsePlotProperties forcedResponseProperties;
    General2DPlotProperties curve;
};

/// Plot settings of the modal and Campbell views, kept by the host; this library only
/// constructs and copies them.
struct DRIVESYS_API SystemModalAndCampbellPlotProperties {
    int slot0 = 0;
    int slot1 = -1;
    int slot2 = 0;
    int slot3 = -1;
    int slot4 = 0;
    int slot5 = 0;
};

/// Colour index (of colour scheme 1, 17 colours) and line style of the Campbell curve with
/// counter `counter`. Counters 0 … 16 are solid with colours 0 … 16; then bands of 16 counters:
/// 17 … 32 style 1, 33 … 48 style 2, from 49 on style 3, each band counting its colours from 0
/// again (17 → 0, 33 → 0, 49 → 0). From 49 on the colour cycles through all 17 colours
/// ((counter − 49) mod 17). Negative counters are taken as 0.
struct CurveStyle {
    int colorIndex = 0;
    int lineStyle = 0;
};
DRIVESYS_API CurveStyle campbellCurveStyle(int counter);

/// The curve `props` selects, by results.performedCalculation: 1 forced response, 2 Campbell
/// (an eigenfrequency curve, or with props.orderNumber set a shaft-speed or gear-mesh order
/// line), 0 the mode shape of one mode; other values give an empty description. Ranges ignore
/// NaN; an empty range (min = max) starts at 0. A Campbell fetch increments props.curveCounter.
///
/// Throws std::out_of_range("invalid vector<T> subscript") for a Campbell curve index beyond
/// eigenID or the classified curves, or a point beyond frequencyInputRange.
DRIVESYS_API General2DPlotProperties getSystemDynamicsResults2DData(const SystemVibrationResults& results,
                                                                    ShaftsSystemPlotPropertiesStruct& props,
                                                                    const General2DPlotDefinitions& defs);

/// Builds the diagram that `commandText` requests into a copy of `data` and returns it.
/// Commands (tokens separated by "_"):
///   DrawForcedResponse_<Quantity>_<Part>_<Direction>[_shaft[_subShaft[_docPoint]]]
///   DrawForcedResponse_<WhirlMajor|WhirlMinor|WhirlPhase>[_shaft[_subShaft[_docPoint]]]
///   DrawCampbell
///   DrawModeShape_<Deflection|Rotation>_<X|Y|Z>_shaft_subShaft_mode
/// Wrong token counts add the text element "error" ("Wrong number of input parameters"); a
/// Campbell request without a speed entry of `modeCount` modes adds "error" with text 5349. Any
/// other first token only sets ok to `drawMarkers`. `crossingOrders` (order lines and their
/// crossings with the eigenfrequency curves) is capped at kMaxDiagramOrders. `context` and
/// `spare` are not read. May throw what getSystemDynamicsResults2DData throws.
DRIVESYS_API nGrafikData InitSystemDynamicGrafik(const wchar_t* commandText, nGrafikData& data, bool drawMarkers,
                                                 const NCalculationContext& context, bool flag, unsigned int modeCount,
                                                 unsigned int crossingOrders, int defaultShaft, int defaultSubShaft,
                                                 int plotParameter, bool spare, const SystemVibrationResults& results);
inline constexpr unsigned kMaxDiagramOrders = 100;
