#pragma once
// The diagram service: the container nGrafikData that is handed back to the host, and the
// builder NDiagramAdmin that assembles one diagram and writes it into a container.
//
// A container holds named text elements (e.g. "title", "error"), group properties (curve groups
// with a title), one or more diagrams and the ok flag (the host shows a container only when it
// is ok). A diagram has a name and a title, an x and a y axis (label, range, unit, scale), curves
// (name, label, group, colour, line style, points), point markers (position, optional colour,
// text), vertical markers (x, text) and comment lines. Containers are values: copying one copies
// everything. toJson/fromJson give the container's JSON form (see docs/file-formats.md);
// non-finite numbers are written as null and read back as NaN.
#include <optional>
#include <vector>

#include "drivesys/platform/drivesys_export.h"
#include "drivesys/platform/nmath/json.h"
#include "drivesys/platform/nmath/ncolor.h"
#include "drivesys/platform/nmath/ncurveoption.h"
#include "drivesys/platform/ntypes/nwstring.h"

namespace NDiagramAxis {
enum Scale : short { Linear = 0, Logarithmic = 1 };
}

/// Base of the named elements of a container.
class DRIVESYS_API nGrafikDataBaseElement {
public:
    explicit nGrafikDataBaseElement(nWString name) : name_(std::move(name)) {}
    virtual ~nGrafikDataBaseElement() = default;
    const nWString& name() const { return name_; }

private:
    nWString name_;
};

/// A named element holding one value.
template <class T>
class nGrafikDataElement : public nGrafikDataBaseElement {
public:
    nGrafikDataElement(nWString name, T value) : nGrafikDataBaseElement(std::move(name)), value_(std::move(value)) {}
    const T& value() const { return value_; }

private:
    T value_;
};

struct DRIVESYS_API nGrafikAxis {
    nWString label;
    double min = 0.0;
    double max = 0.0;
    /// NDimensions::Unit code.
    int unit = 0;
    short scale = NDiagramAxis::Linear;
    /// The two switches of setXAxis/setYAxis: fixed range and reversed direction.
    bool fixedRange = false;
    bool reversed = false;
    /// false until setXAxis/setYAxis was called.
    bool set = false;
};

struct DRIVESYS_API nGrafikCurve {
    nWString name;
    nWString label;
    nWString group;
    NCurveOption option;
    std::vector<double> x;
    std::vector<double> y;
};

struct DRIVESYS_API nGrafikMarker {
    double x = 0.0;
    double y = 0.0;
    std::optional<NColor> color;
    nWString text;
};

struct DRIVESYS_API nGrafikMarkerX {
    double x = 0.0;
    nWString text;
    bool flag1 = false;
    bool flag2 = false;
};

struct DRIVESYS_API nGrafikDiagram {
    nWString name;
    nWString title;
    nGrafikAxis xAxis;
    nGrafikAxis yAxis;
    std::vector<nGrafikCurve> curves;
    std::vector<nGrafikMarker> markers;
    std::vector<nGrafikMarkerX> verticalMarkers;
    std::vector<nWString> comment;
};

struct DRIVESYS_API nGrafikGroupProperty {
    nWString name;
    nWString title;
    nWString text;
    bool flag = false;
};

class DRIVESYS_API nGrafikData {
public:
    nGrafikData() = default;

    /// Declares a curve group; a group of the same name is replaced.
    void addGroupProperty(const nWString& name, const nWString& title, const nWString& text, bool flag);
    /// Adds a named text element (elements keep their order; names may repeat).
    void addElement(const nGrafikDataElement<nWString>& element);
    void addDiagram(nGrafikDiagram diagram) { diagrams_.push_back(std::move(diagram)); }
    void clearDiagrams() { diagrams_.clear(); }
    void setOk(bool ok) { ok_ = ok; }

    bool isOk() const { return ok_; }
    const std::vector<nGrafikDataElement<nWString>>& elements() const { return elements_; }
    /// The value of the first text element with this name, or null.
    const nWString* textElement(const nWString& name) const;
    const std::vector<nGrafikGroupProperty>& groupProperties() const { return groups_; }
    const nGrafikGroupProperty* groupProperty(const nWString& name) const;
    const std::vector<nGrafikDiagram>& diagrams() const { return diagrams_; }

    nlohmann::json toJson() const;
    /// Reads the JSON form; throws nlohmann::json exceptions on a wrong shape.
    static nGrafikData fromJson(const nlohmann::json& j);

private:
    std::vector<nGrafikDataElement<nWString>> elements_;
    std::vector<nGrafikGroupProperty> groups_;
    std::vector<nGrafikDiagram> diagrams_;
    bool ok_ = false;
};

/// Builds one diagram. Curves are addressed by name; points for an unknown curve are dropped.
class DRIVESYS_API NDiagramAdmin {
public:
    NDiagramAdmin(const nWString& name, const nWString& title);

    void setXAxis(const nWString& label, double min, double max, int unit, short scale, bool fixedRange, bool reversed);
    void setYAxis(const nWString& label, double min, double max, int unit, short scale, bool fixedRange, bool reversed);
    /// Adds a curve; a second curve of the same name is refused (false).
    bool addCurve(const nWString& name, const nWString& label, const NCurveOption& option, const nWString& group);
    /// Appends a point to the named curve; false when there is no such curve.
    bool addCurvePoint(const nWString& name, double x, double y);
    void addMarkerX(double x, const nWString& text, bool flag1, bool flag2);
    void addMarker(double x, double y, const NColor& color, const nWString& text);
    void addMarker(double x, double y, const nWString& text);
    /// Replaces the comment by `text` (one line per line of the text).
    void setComment(const nWString& text);
    void addLineToComment(const nWString& text);
    /// Writes the diagram into `data`: appended to its diagrams when `append`, else replacing them.
    void setDiagram(nGrafikData& data, bool append) const;

    const nGrafikDiagram& diagram() const { return diagram_; }

private:
    nGrafikCurve* findCurve(const nWString& name);
    nGrafikDiagram diagram_;
};
