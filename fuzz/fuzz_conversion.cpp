#include "fuzz_entry.h"
#include "greek/betaconverter.h"

#include <algorithm>
#include <cstdlib>

VESO_FUZZ_TARGET(fuzz_conversion) {
    static const veso::betaconverter converter;
    veso::wide_string text = veso::fuzz::wide_text(data, size);
    veso::wide_string greek = converter.to_unicode(text);
    // Every rule shortens or keeps the text, and only 10,000 characters are read.
    if (greek.size() > std::min<std::size_t>(text.size(), 10000)) {
        std::abort();
    }
    // Converting with a space appended must not depend on how the space is appended.
    veso::wide_string spaced;
    converter.to_unicode_spaced(text, spaced);
    if (spaced != converter.to_unicode(text + u" ")) {
        std::abort();
    }
    veso::wide_string beta = converter.to_betacode(text);
    converter.to_unicode(beta);
    converter.to_betacode(greek);
    return 0;
}
