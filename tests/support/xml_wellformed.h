#pragma once
// Well-formedness of an XML document by a real XML parser (expat): empty when the document
// parses, else the parser's message with line and column. Header-only, so the fuzz harnesses
// can use it too (they link expat).
#include <expat.h>
#include <string>
#include <string_view>

namespace ds_test {

inline std::string xmlWellFormedFault(std::string_view xml) {
    XML_Parser parser = XML_ParserCreate(nullptr);
    if (!parser) return "cannot create an XML parser";
    std::string fault;
    if (XML_Parse(parser, xml.data(), static_cast<int>(xml.size()), XML_TRUE) == XML_STATUS_ERROR)
        fault = std::string(XML_ErrorString(XML_GetErrorCode(parser))) + " at line " +
                std::to_string(XML_GetCurrentLineNumber(parser)) + ", column " +
                std::to_string(XML_GetCurrentColumnNumber(parser));
    XML_ParserFree(parser);
    return fault;
}

}  // namespace ds_test
