#include "drivesys/platform/ncore/ndiagram.h"

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>

namespace {
using json = nlohmann::json;

json number(double v) { return std::isfinite(v) ? json(v) : json(nullptr); }
double readNumber(const json& j) { return j.is_null() ? std::numeric_limits<double>::quiet_NaN() : j.get<double>(); }
std::string utf8(const nWString& s) { return s.toUtf8(); }
nWString wide(const json& j) { return nWString::fromUtf8(j.get<std::string>()); }

json axisJson(const nGrafikAxis& a) {
    return {{"label", utf8(a.label)}, {"min", number(a.min)},       {"max", number(a.max)},         {"unit", a.unit},
            {"scale", a.scale},       {"fixedRange", a.fixedRange}, {"reversed", a.reversed},       {"set", a.set}};
}
nGrafikAxis axisFrom(const json& j) {
    nGrafikAxis a;
    a.label = wide(j.at("label"));
    a.min = readNumber(j.at("min"));
    a.max = readNumber(j.at("max"));
    a.unit = j.at("unit").get<int>();
    a.scale = j.at("scale").get<short>();
    a.fixedRange = j.at("fixedRange").get<bool>();
    a.reversed = j.at("reversed").get<bool>();
    a.set = j.at("set").get<bool>();
    return a;
}
NColor colorFrom(const json& j) {
    const auto c = NColor::parse(wide(j));
    if (!c) throw std::invalid_argument("not a colour: " + j.get<std::string>());
    return *c;
}
}  // namespace

// ---- nGrafikData -------------------------------------------------------------------------------

void nGrafikData::addGroupProperty(const nWString& name, const nWString& title, const nWString& text, bool flag) {
    for (auto& g : groups_)
        if (g.name == name) {
            g = {name, title, text, flag};
            return;
        }
    groups_.push_back({name, title, text, flag});
}

void nGrafikData::addElement(const nGrafikDataElement<nWString>& element) { elements_.push_back(element); }

const nWString* nGrafikData::textElement(const nWString& name) const {
    for (const auto& e : elements_)
        if (e.name() == name) return &e.value();
    return nullptr;
}

const nGrafikGroupProperty* nGrafikData::groupProperty(const nWString& name) const {
    for (const auto& g : groups_)
        if (g.name == name) return &g;
    return nullptr;
}

json nGrafikData::toJson() const {
    json j;
    j["ok"] = ok_;
    j["elements"] = json::array();
    for (const auto& e : elements_) j["elements"].push_back({{"name", utf8(e.name())}, {"text", utf8(e.value())}});
    j["groups"] = json::array();
    for (const auto& g : groups_)
        j["groups"].push_back({{"name", utf8(g.name)}, {"title", utf8(g.title)}, {"text", utf8(g.text)}, {"flag", g.flag}});
    j["diagrams"] = json::array();
    for (const auto& d : diagrams_) {
        json dj{{"name", utf8(d.name)}, {"title", utf8(d.title)}, {"xAxis", axisJson(d.xAxis)}, {"yAxis", axisJson(d.yAxis)}};
        dj["curves"] = json::array();
        for (const auto& c : d.curves) {
            json points = json::array();
            for (size_t i = 0; i < c.x.size() && i < c.y.size(); ++i) points.push_back({number(c.x[i]), number(c.y[i])});
            dj["curves"].push_back({{"name", utf8(c.name)},
                                    {"label", utf8(c.label)},
                                    {"group", utf8(c.group)},
                                    {"color", utf8(c.option.color.text())},
                                    {"lineStyle", c.option.lineStyle},
                                    {"visible", c.option.visible},
                                    {"inLegend", c.option.inLegend},
                                    {"points", std::move(points)}});
        }
        dj["markers"] = json::array();
        for (const auto& m : d.markers)
            dj["markers"].push_back({{"x", number(m.x)},
                                     {"y", number(m.y)},
                                     {"color", m.color ? json(utf8(m.color->text())) : json(nullptr)},
                                     {"text", utf8(m.text)}});
        dj["verticalMarkers"] = json::array();
        for (const auto& m : d.verticalMarkers)
            dj["verticalMarkers"].push_back({{"x", number(m.x)}, {"text", utf8(m.text)}, {"flag1", m.flag1}, {"flag2", m.flag2}});
        dj["comment"] = json::array();
        for (const auto& line : d.comment) dj["comment"].push_back(utf8(line));
        j["diagrams"].push_back(std::move(dj));
    }
    return j;
}

nGrafikData nGrafikData::fromJson(const json& j) {
    nGrafikData data;
    data.ok_ = j.at("ok").get<bool>();
    for (const auto& e : j.at("elements")) data.addElement({wide(e.at("name")), wide(e.at("text"))});
    for (const auto& g : j.at("groups"))
        data.addGroupProperty(wide(g.at("name")), wide(g.at("title")), wide(g.at("text")), g.at("flag").get<bool>());
    for (const auto& dj : j.at("diagrams")) {
        nGrafikDiagram d;
        d.name = wide(dj.at("name"));
        d.title = wide(dj.at("title"));
        d.xAxis = axisFrom(dj.at("xAxis"));
        d.yAxis = axisFrom(dj.at("yAxis"));
        for (const auto& cj : dj.at("curves")) {
            nGrafikCurve c;
            c.name = wide(cj.at("name"));
            c.label = wide(cj.at("label"));
            c.group = wide(cj.at("group"));
            c.option = NCurveOption(colorFrom(cj.at("color")), cj.at("lineStyle").get<int>(), cj.at("visible").get<bool>(),
                                    cj.at("inLegend").get<bool>());
            for (const auto& p : cj.at("points")) {
                c.x.push_back(readNumber(p.at(0)));
                c.y.push_back(readNumber(p.at(1)));
            }
            d.curves.push_back(std::move(c));
        }
        for (const auto& mj : dj.at("markers")) {
            nGrafikMarker m{readNumber(mj.at("x")), readNumber(mj.at("y")), std::nullopt, wide(mj.at("text"))};
            if (!mj.at("color").is_null()) m.color = colorFrom(mj.at("color"));
            d.markers.push_back(std::move(m));
        }
        for (const auto& mj : dj.at("verticalMarkers"))
            d.verticalMarkers.push_back(
                {readNumber(mj.at("x")), wide(mj.at("text")), mj.at("flag1").get<bool>(), mj.at("flag2").get<bool>()});
        for (const auto& line : dj.at("comment")) d.comment.push_back(wide(line));
        data.diagrams_.push_back(std::move(d));
    }
    return data;
}

// ---- NDiagramAdmin -----------------------------------------------------------------------------

NDiagramAdmin::NDiagramAdmin(const nWString& name, const nWString& title) {
    diagram_.name = name;
    diagram_.title = title;
}

void NDiagramAdmin::setXAxis(const nWString& label, double min, double max, int unit, short scale, bool fixedRange,
                             bool reversed) {
    diagram_.xAxis = {label, min, max, unit, scale, fixedRange, reversed, true};
}

void NDiagramAdmin::setYAxis(const nWString& label, double min, double max, int unit, short scale, bool fixedRange,
                             bool reversed) {
    diagram_.yAxis = {label, min, max, unit, scale, fixedRange, reversed, true};
}

nGrafikCurve* NDiagramAdmin::findCurve(const nWString& name) {
    // Searched from the back: points usually go to the curve added last.
    for (auto it = diagram_.curves.rbegin(); it != diagram_.curves.rend(); ++it)
        if (it->name == name) return &*it;
    return nullptr;
}

bool NDiagramAdmin::addCurve(const nWString& name, const nWString& label, const NCurveOption& option,
                             const nWString& group) {
    if (findCurve(name)) return false;
    diagram_.curves.push_back({name, label, group, option, {}, {}});
    return true;
}

bool NDiagramAdmin::addCurvePoint(const nWString& name, double x, double y) {
    nGrafikCurve* c = findCurve(name);
    if (!c) return false;
    c->x.push_back(x);
    c->y.push_back(y);
    return true;
}

void NDiagramAdmin::addMarkerX(double x, const nWString& text, bool flag1, bool flag2) {
    diagram_.verticalMarkers.push_back({x, text, flag1, flag2});
}

void NDiagramAdmin::addMarker(double x, double y, const NColor& color, const nWString& text) {
    diagram_.markers.push_back({x, y, color, text});
}

void NDiagramAdmin::addMarker(double x, double y, const nWString& text) {
    diagram_.markers.push_back({x, y, std::nullopt, text});
}

void NDiagramAdmin::setComment(const nWString& text) {
    diagram_.comment.clear();
    size_t start = 0;
    while (true) {
        const size_t end = text.find(L'\n', start);
        diagram_.comment.push_back(nWString(text.substr(start, end == nWString::npos ? nWString::npos : end - start)));
        if (end == nWString::npos) break;
        start = end + 1;
    }
}

void NDiagramAdmin::addLineToComment(const nWString& text) { diagram_.comment.push_back(text); }

void NDiagramAdmin::setDiagram(nGrafikData& data, bool append) const {
    if (!append) data.clearDiagrams();
    data.addDiagram(diagram_);
}
