#include "drivesys/render/svgwriter.h"

#include <cmath>
#include <cstdint>
#include <fmt/format.h>

namespace ds {

SvgWriter::SvgWriter(double width, double height, bool standalone) {
    if (standalone) out_ = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
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

namespace {

/// Length of the well-formed UTF-8 sequence at the start of `text`, with its code point in
/// `code`; 0 when the bytes there are not one (a stray or missing continuation byte, an overlong
/// form, a surrogate, a code point above U+10FFFF).
size_t utf8Sequence(std::string_view text, uint32_t& code) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    size_t length = 0;
    code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) length = 2, code = lead & 0x1F;
    else if (lead >= 0xE0 && lead <= 0xEF) length = 3, code = lead & 0x0F;
    else if (lead >= 0xF0 && lead <= 0xF4) length = 4, code = lead & 0x07;
    else return 0;
    if (text.size() < length) return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(i) & 0x3F);
    }
    const uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < smallest[length] || code > 0x10FFFF) return 0;
    if (code >= 0xD800 && code <= 0xDFFF) return 0;
    return length;
}

}  // namespace

std::string SvgWriter::escape(std::string_view text) {
    std::string r;
    r.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (static_cast<unsigned char>(c) >= 0x80) {
            // Bytes that are not UTF-8 become U+FFFD one per byte; the non-characters U+FFFE and
            // U+FFFF, which XML forbids, one per character.
            uint32_t code = 0;
            const size_t n = utf8Sequence(text.substr(i), code);
            if (n == 0) {
                r += "\xEF\xBF\xBD";
                ++i;
            } else {
                if (code == 0xFFFE || code == 0xFFFF) r += "\xEF\xBF\xBD";
                else r.append(text.substr(i, n));
                i += n;
            }
            continue;
        }
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
        ++i;
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

}  // namespace ds
