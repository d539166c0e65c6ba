// Arbitrary bytes as the texts and attribute values of an SVG document: whatever they hold
// (markup characters, controls, broken or forbidden UTF-8), the document must parse as XML, and
// what escape returns must hold nothing that escape would still replace.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "drivesys/render/svgwriter.h"
#include "tests/support/xml_wellformed.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // Up to three texts, separated by a zero byte; the third one also names a group.
    const size_t first = input.find('\0');
    const std::string_view a = input.substr(0, first);
    const std::string_view rest = first == std::string_view::npos ? std::string_view() : input.substr(first + 1);
    const size_t second = rest.find('\0');
    const std::string_view b = rest.substr(0, second);
    const std::string_view c = second == std::string_view::npos ? std::string_view() : rest.substr(second + 1);
    ds::SvgWriter w(100, 50);
    w.open("g", {{"id", std::string(c)}});
    w.text(1, 2, a, {{"class", std::string(b)}});
    w.element("line", {{"x1", ds::SvgWriter::number(static_cast<double>(size) / 3)}, {"data-name", std::string(a)}});
    w.text(3, 4, c);
    const std::string svg = w.finish();
    if (const std::string fault = ds_test::xmlWellFormedFault(svg); !fault.empty()) {
        std::fprintf(stderr, "not well-formed: %s\n%s\n", fault.c_str(), svg.c_str());
        std::abort();
    }
    // Escaping twice changes nothing: what escape leaves has nothing left to replace but the
    // ampersands of its own entities.
    const std::string once = ds::SvgWriter::escape(a);
    std::string plain;
    for (char ch : once) plain += ch == '&' ? '#' : ch;
    if (ds::SvgWriter::escape(plain) != plain) std::abort();
    return 0;
}
