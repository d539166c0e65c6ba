#pragma once
// Labels of a picture that must not overlap: each placed label reserves its box.
#include <string>
#include <vector>

namespace ds::report {

class TextBoxes {
public:
    /// Reserves the box of a label with its baseline at (x, y), starting at x or (anchorEnd)
    /// ending there, in a font of `size` px (width estimated from its characters); false, and
    /// nothing reserved, when it would overlap a label placed before.
    bool place(double x, double y, const std::string& text, bool anchorEnd, double size = 11.0);

private:
    struct Box {
        double x0, y0, x1, y1;
    };
    std::vector<Box> boxes_;
};

}  // namespace ds::report
