#pragma once
// SvgWriter: writes an SVG document element by element. Attribute values and texts are escaped
// (& < > " '; characters XML 1.0 forbids replaced, see escape), numbers are written compactly (at most `decimals` decimals, no trailing zeros,
// never "-0"), and finish() closes every element still open, so the result is always
// well-formed XML. Texts are UTF-8.
#include <string>
#include <string_view>
#include <utility>
#include <vector>


namespace ds {

class SvgWriter {
public:
    using Attributes = std::vector<std::pair<std::string, std::string>>;

    /// Starts a document of the given size in user units (= pixels). `standalone`: with the XML
    /// declaration, as a file of its own; without it for an SVG element inside an HTML page.
    SvgWriter(double width, double height, bool standalone = true);

    /// Opens an element that takes children (g, defs, clipPath, ...).
    void open(std::string_view tag, const Attributes& attributes = {});
    /// Closes the element opened last; does nothing when none is open.
    void close();
    /// A childless element (line, rect, polyline, circle, path, ...).
    void element(std::string_view tag, const Attributes& attributes);
    /// A text element at (x, y) holding `content` (escaped).
    void text(double x, double y, std::string_view content, const Attributes& attributes = {});
    /// The finished document; closes what is still open. The writer is spent afterwards.
    std::string finish();

    /// `text` (UTF-8) with & < > " ' replaced by their entities and every character XML 1.0 does
    /// not allow replaced: C0 controls other than tab and line feed by a blank; U+FFFE and U+FFFF
    /// by U+FFFD; bytes that are not UTF-8 (encoded surrogates among them) by U+FFFD, one each.
    static std::string escape(std::string_view text);
    /// Compact number text (see the header comment); non-finite values give "0".
    static std::string number(double value, int decimals = 2);
    /// "x1,y1 x2,y2 ..." for a polyline's points attribute.
    static std::string points(const std::vector<std::pair<double, double>>& points);

private:
    void writeAttributes(const Attributes& attributes);
    std::string out_;
    std::vector<std::string> openTags_;
    int depth_ = 1;
};

}  // namespace ds
