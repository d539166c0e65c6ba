#include "platform/ncore/svgwriter.h"

#include <cmath>
#include <fmt/format.h>

SvgWriter::SvgWriter(double width, double height) {
    out_ = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out_ += fmt::format(
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"{0}\" height=\"{1}\" viewBox=\"0 0 {0} {1}\" "
        "font-family=\"DejaVu Sans, Arial, Helvetica, sans-serif\">\n",
        number(width), number(height));
}

void SvgWriter::writeAttributes(const Attributes& attributes) {
    for (const auto& [name, value] : attributes) {
        out_ += ' ';
        out_ += name;
        out_ += "=\"";
        out_ += escape(value);
        out_ += '"';
    }
}

void SvgWriter::open(std::string_view tag, const Attributes& attributes) {
    out_.append(size_t(depth_) * 2, ' ');
    out_ += '<';
    out_ += tag;
    writeAttributes(attributes);
    out_ += ">\n";
    openTags_.emplace_back(tag);
    ++depth_;
}

void SvgWriter::close() {
    if (openTags_.empty()) return;
    --depth_;
    out_.append(size_t(depth_) * 2, ' ');
    out_ += "</" + openTags_.back() + ">\n";
    openTags_.pop_back();
}

void SvgWriter::element(std::string_view tag, const Attributes& attributes) {
    out_.append(size_t(depth_) * 2, ' ');
    out_ += '<';
    out_ += tag;
    writeAttributes(attributes);
    out_ += "/>\n";
}

void SvgWriter::text(double x, double y, std::string_view content, const Attributes& attributes) {
    out_.append(size_t(depth_) * 2, ' ');
    out_ += "<text x=\"" + number(x) + "\" y=\"" + number(y) + "\"";
    writeAttributes(attributes);
    out_ += '>';
    out_ += escape(content);
    out_ += "</text>\n";
}

std::string SvgWriter::finish() {
    while (!openTags_.empty()) close();
    out_ += "</svg>\n";
    return std::move(out_);
}

std::string SvgWriter::escape(std::string_view text) {
    std::string r;
    r.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&': r += "&amp;"; break;
            case '<': r += "&lt;"; break;
            case '>': r += "&gt;"; break;
            case '"': r += "&quot;"; break;
            case '\'': r += "&apos;"; break;
            default:
                // Control characters are not allowed in XML 1.0 text: replace them by a blank.
                r += (static_cast<unsigned char>(c) < 0x20 && c != '\n' && c != '\t') ? ' ' : c;
        }
    }
    return r;
}

std::string SvgWriter::number(double value, int decimals) {
    if (!std::isfinite(value)) return "0";
    std::string s = fmt::format("{:.{}f}", value, decimals < 0 ? 0 : decimals);
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    if (s == "-0") s = "0";
    return s;
}

std::string SvgWriter::points(const std::vector<std::pair<double, double>>& points) {
    std::string s;
    for (const auto& [x, y] : points) {
        if (!s.empty()) s += ' ';
        s += number(x);
        s += ',';
        s += number(y);
    }
    return s;
}
