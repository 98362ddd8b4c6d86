#pragma once

#include "greek/betaconverter.h"

#include <string>
#include <utility>
#include <vector>

namespace veso::test {

// Beta Code to Unicode done the plain way: tokens through the converter's forward table, then
// every clean-up rule in turn, each replacing all its occurrences from left to right.
class reference_conversion {
public:
    explicit reference_conversion(const betaconverter& converter);
    wide_string to_unicode(const wide_string& text) const;

private:
    const betaconverter& converter_;
    std::vector<std::vector<std::pair<wide_string, wide_string>>> groups_;
};

} // namespace veso::test
