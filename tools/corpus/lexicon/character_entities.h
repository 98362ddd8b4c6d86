#pragma once

#include <string>
#include <string_view>

namespace veso::corpus {

// Text with its character references replaced by the characters they name: numeric ones
// ("&#8212;", "&#x2014;") and the named ones of HTML and the ISO sets that the dictionaries'
// markup uses ("&mdash;", "&emacr;", "&verbar;"). A name outside the table is left as it stands,
// so that the check of the finished definitions reports it.
std::string resolve_entities(std::string_view utf8);

} // namespace veso::corpus
