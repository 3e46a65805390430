#pragma once

#include "xml/xml_document.h"

#include <string>
#include <string_view>

// The field steps that every reader and writer of the file formats repeats.
namespace strumvale::formats {

// Finds the next child named name and stores its text; false when there is none.
inline bool readChild(xml::XmlDocument& document, std::string_view name, std::string& text) {
    if (!document.FindChildElement(name))
        return false;
    text = document.GetChildData();
    return true;
}

// Adds a child section and steps into it, so items can be added under it.
inline void beginSection(xml::XmlDocument& document, std::string_view name) {
    document.AddChildElement(name);
    document.IntoElement();
}

} // namespace strumvale::formats
