#include "drivesys/report/text_boxes.h"

namespace ds::report {

bool TextBoxes::place(double x, double y, const std::string& text, bool anchorEnd, double size) {
    size_t chars = 0;
    for (unsigned char c : text) chars += (c & 0xC0) != 0x80 ? 1 : 0;  // UTF-8 lead bytes
    const double width = 0.58 * size * double(chars);
    const Box b{anchorEnd ? x - width : x, y - size, anchorEnd ? x : x + width, y + 0.25 * size};
    for (const Box& o : boxes_)
        if (b.x0 < o.x1 && o.x0 < b.x1 && b.y0 < o.y1 && o.y0 < b.y1) return false;
    boxes_.push_back(b);
    return true;
}

}  // namespace ds::report
